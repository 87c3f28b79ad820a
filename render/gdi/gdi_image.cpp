#include "render/gdi/gdi_image.h"

#include <cairo.h>

#include <cmath>
#include <cstdlib>

#include "metafile/record_walk.h"
#include "render/fitting.h"

namespace vellum::gdi {

ImageResult render_image(const uint8_t* data, size_t size, uint32_t limit, RenderTarget* target,
                         SkipTally* skipped, const ImageOptions& options) {
  Frame frame{};
  if (!find_frame(data, size, &frame)) {
    ByteReader stream(data, size, ByteOrder::little);
    StreamStart start;
    return read_stream_start(stream, &start) ? ImageResult::no_frame : ImageResult::not_metafile;
  }
  const uint32_t w0 = uint32_t(std::fabs(frame.width()));
  const uint32_t h0 = uint32_t(std::fabs(frame.height()));
  const FittedSize fit = fit_to_limit(w0, h0, limit);
  std::free(target->Pixels);
  target->Pixels = nullptr;
  target->Width = fit.width;
  target->Height = fit.height;
  const size_t bytes = pixel_buffer_bytes(fit.width, fit.height);
  if (bytes == 0) return ImageResult::too_large;
  target->Pixels = std::calloc(bytes, 1);
  if (target->Pixels == nullptr) return ImageResult::too_large;
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      static_cast<unsigned char*>(target->Pixels), CAIRO_FORMAT_ARGB32, int(fit.width),
      int(fit.height), int(fit.width * 4));
  cairo_t* cr = cairo_create(surface);
  if (options.opaque_background) {
    const uint32_t c = options.background_rgb;
    cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                         (c & 0xFF) / 255.0);
    cairo_paint(cr);
  }
  play(data, size, cr, double(fit.width), double(fit.height), skipped, options.play);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  cairo_surface_destroy(surface);
  return ImageResult::ok;
}

}  // namespace vellum::gdi
