#include "tools/vellum-render/convert.h"

#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include <host/path.h>

#include "tools/common/cairo_output.h"
#include "tools/common/exit_codes.h"
#include "tools/common/input_file.h"
#include "tools/common/png_writer.h"

namespace vellum::render_tool {
namespace {

using namespace vellum::tools;

// Larger than any metafile a writer makes, and what the exact player can index.
constexpr size_t MAX_INPUT_BYTES = size_t(256) << 20;

std::string name_of(const std::string& path, const char* stdio) { return path == "-" ? stdio : path; }

Conversion failed(int code, std::string error) {
  Conversion c;
  c.code = code;
  c.error = std::move(error);
  return c;
}

std::string size_text(const PixelFit& fit) { return std::to_string(fit.width) + "x" + std::to_string(fit.height); }

Conversion refusal(PictureStatus status, const std::string& input, const Options& options, const PixelFit& fit) {
  switch (status) {
    case PictureStatus::ok: break;
    case PictureStatus::not_a_picture:
      return failed(EXIT_NOT_USABLE, input + (options.player == Player::exact
                                                  ? ": no placeable header, nothing drawn (--mode gdi draws it)"
                                                  : ": not a Windows Metafile, or it sets no frame to draw in"));
    case PictureStatus::no_units_per_inch:
      return failed(EXIT_NOT_USABLE, input + ": no placeable header, so no units per inch for --dpi");
    case PictureStatus::too_large:
      return failed(EXIT_TOO_LARGE, input + (fit.width && fit.height
                                                 ? ": picture of " + size_text(fit) + " pixels is too large"
                                                 : ": picture would pass 32767 pixels a side"));
    case PictureStatus::no_memory:
      return failed(EXIT_TOO_LARGE, input + ": no memory for a picture of " + size_text(fit) + " pixels");
  }
  return failed(EXIT_NOT_USABLE, input + ": not drawn");
}

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

cairo_surface_t* vector_surface(Format format, OutputFile* out, double width, double height) {
  switch (format) {
    case Format::svg: {
      cairo_surface_t* svg = cairo_svg_surface_create_for_stream(write_to_output, out, width, height);
      cairo_svg_surface_set_document_unit(svg, CAIRO_SVG_UNIT_PX);
      return svg;
    }
    case Format::pdf: return cairo_pdf_surface_create_for_stream(write_to_output, out, width, height);
    case Format::ps:
    case Format::eps: {
      cairo_surface_t* ps = cairo_ps_surface_create_for_stream(write_to_output, out, width, height);
      cairo_ps_surface_set_eps(ps, format == Format::eps);
      return ps;
    }
    case Format::png: break;
  }
  return nullptr;
}

// Draws the picture into out; a status other than ok when drawing failed,
// and *written false when the bytes could not be written.
PictureStatus write_picture(const PicturePlan& plan, const Options& options, OutputFile* out, DrawReport* report,
                            bool* written) {
  if (*options.format == Format::png) {
    uint32_t* pixels = nullptr;
    const PictureStatus status = render_pixels(plan, options.background, &pixels, report);
    if (status != PictureStatus::ok) return status;
    *written = write_png(pixels, plan.fit.width, plan.fit.height, out);
    std::free(pixels);
    return PictureStatus::ok;
  }
  Surface surface(vector_surface(*options.format, out, plan.fit.width, plan.fit.height), cairo_surface_destroy);
  cairo_t* cr = cairo_create(surface.get());
  const PictureStatus status = draw_picture(plan, cr, options.background, report);
  cairo_destroy(cr);
  cairo_surface_finish(surface.get());
  *written = cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS;
  return status;
}

}  // namespace

Conversion convert(const std::string& input_path, const std::string& output_path, const Options& options) {
  const std::string input = name_of(input_path, "standard input");
  const std::string output = name_of(output_path, "standard output");
  std::vector<uint8_t> bytes;
  const InputRead read = read_input(host_path_of(input_path.c_str()), MAX_INPUT_BYTES, &bytes);
  if (read.code != EXIT_OK) return failed(read.code, input + ": cannot read: " + read.reason);
  if (bytes.empty()) return failed(EXIT_NOT_USABLE, input + ": empty file, not a picture");

  PicturePlan plan;
  const PictureStatus planned = plan_picture(bytes.data(), bytes.size(), options.player, options.size, &plan);
  if (planned != PictureStatus::ok) return refusal(planned, input, options, plan.fit);

  plan.gdi_play = options.gdi_play;
  auto out = std::make_unique<OutputFile>();
  if (!out->open(host_path_of(output_path.c_str())))
    return failed(EXIT_NOT_WRITTEN, output + ": cannot write: " + out->reason());
  DrawReport report;
  bool written = false;
  const PictureStatus drawn = write_picture(plan, options, out.get(), &report, &written);
  if (drawn != PictureStatus::ok) return refusal(drawn, input, options, plan.fit);
  if (!written) {
    const std::string reason = out->reason().empty() ? "the picture could not be encoded" : out->reason();
    return failed(EXIT_NOT_WRITTEN, output + ": cannot write: " + reason);
  }
  Conversion done{EXIT_OK, "", plan.fit.width, plan.fit.height, report.skipped.summary(), report.transparent,
                  std::move(out)};
  if (options.strict && !done.skipped.empty()) done.code = EXIT_SKIPPED;
  return done;
}

void put_in_place(Conversion* conversion, const std::string& output_path, bool committed, const std::string& reason) {
  conversion->written.reset();
  if (committed) return;
  *conversion = failed(EXIT_NOT_WRITTEN, name_of(output_path, "standard output") + ": cannot write: " + reason);
}

}  // namespace vellum::render_tool
