#include "page_export.h"

#include <cairo-pdf.h>

#include <cmath>

#include <host/path.h>

#include "engine/page_drawing.h"
#include "options.h"
#include "tools/common/cairo_output.h"
#include "tools/common/exit_codes.h"

namespace quire_export {
namespace {

using vellum::tools::OutputFile;

constexpr double POINTS_PER_INCH = 72;
constexpr int MAX_IMAGE_SIDE = 32767;  // cairo's largest image surface

ExportResult not_written(const std::string& name, const std::string& why) {
  return {vellum::tools::EXIT_NOT_WRITTEN, name + ": not written: " + why};
}

void set_metadata(cairo_surface_t* surface, const quire::Document& doc) {
  const quire::DocumentProperties& p = doc.properties;
  if (!p.title.empty()) cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, p.title.c_str());
  if (!p.author.empty()) cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_AUTHOR, p.author.c_str());
  if (!p.subject.empty()) cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_SUBJECT, p.subject.c_str());
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "quire-export");
}

// Draws one page scaled into a new image surface; NULL when it would pass cairo's limits.
cairo_surface_t* page_image(const quire::Document& doc, int page, double scale) {
  const quire::PageSize size = quire::document_page_size(doc, page);
  const double width = std::ceil(size.width * scale), height = std::ceil(size.height * scale);
  if (width < 1 || height < 1 || width > MAX_IMAGE_SIDE || height > MAX_IMAGE_SIDE) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(width), int(height));
  cairo_t* cr = cairo_create(surface);
  quire::draw_document_page(doc, page, cr, scale);
  cairo_destroy(cr);
  return surface;
}

}  // namespace

ExportResult write_pdf(const quire::Document& doc, const std::vector<int>& pages, const std::string& output,
                       const Progress& progress) {
  OutputFile file;
  if (!file.open(tool_path_of(output.c_str()))) return not_written(output, file.reason());
  const quire::PageSize first = quire::document_page_size(doc, pages.front());
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(vellum::tools::write_to_output, &file, first.width, first.height);
  set_metadata(surface, doc);
  cairo_t* cr = cairo_create(surface);
  for (size_t i = 0; i < pages.size(); ++i) {
    const quire::PageSize size = quire::document_page_size(doc, pages[i]);
    cairo_pdf_surface_set_size(surface, size.width, size.height);
    quire::draw_document_page(doc, pages[i], cr, 1.0);
    cairo_show_page(cr);
    if (progress) progress(int(i + 1), int(pages.size()));
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS)
    return not_written(output, file.reason().empty() ? cairo_status_to_string(status) : file.reason());
  if (!file.commit()) return not_written(output, file.reason());
  return {};
}

ExportResult write_pngs(const quire::Document& doc, const std::vector<int>& pages, const std::string& pattern,
                        double dpi, const Progress& progress) {
  const double scale = dpi / POINTS_PER_INCH;
  for (size_t i = 0; i < pages.size(); ++i) {
    const std::string name = name_for_page(pattern, pages[i]);
    cairo_surface_t* image = page_image(doc, pages[i], scale);
    if (!image)
      return {vellum::tools::EXIT_TOO_LARGE,
              name + ": not written: page " + std::to_string(pages[i]) + " is too large at this --dpi"};
    OutputFile file;
    cairo_status_t status = CAIRO_STATUS_WRITE_ERROR;
    if (file.open(tool_path_of(name.c_str()))) status = cairo_surface_write_to_png_stream(image, vellum::tools::write_to_output, &file);
    cairo_surface_destroy(image);
    if (status != CAIRO_STATUS_SUCCESS || !file.commit())
      return not_written(name, file.reason().empty() ? cairo_status_to_string(status) : file.reason());
    if (progress) progress(int(i + 1), int(pages.size()));
  }
  return {};
}

}  // namespace quire_export
