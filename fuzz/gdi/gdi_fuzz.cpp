// Whole playbacks of arbitrary bytes through the GDI player onto a small
// surface, the frame fitted to it; the last byte chooses whether the file's
// own viewport records count.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/gdi/gdi_player.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > (1u << 20)) return 0;
  constexpr int SIDE = 96;
  vellum::gdi::Frame frame{};
  double height = SIDE;
  if (vellum::gdi::find_frame(data, size, &frame) && frame.width() != 0)
    height = std::clamp(std::fabs(frame.height() / frame.width()) * SIDE, 1.0, double(SIDE));
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, SIDE, SIDE);
  cairo_t* cr = cairo_create(surface);
  vellum::SkipTally skipped;
  vellum::gdi::PlayOptions options;
  options.caller_viewport = data[size - 1] & 1;
  vellum::gdi::play(data, size, cr, SIDE, height, &skipped, options);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return 0;
}
