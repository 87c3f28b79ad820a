#include "tests/render/gdi/gdi_probe.h"

#include <cairo.h>

#include <algorithm>

namespace vellum::test {

Rgba GdiPicture::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {0, 0, 0, 0};
  const uint32_t w = pixels[size_t(y) * width + x];
  const int a = int(w >> 24);
  if (a == 0) return {0, 0, 0, 0};
  auto channel = [&](int shift) { return (int((w >> shift) & 0xFF) * 255 + a / 2) / a; };
  return {a, channel(16), channel(8), channel(0)};
}

bool GdiPicture::is(int x, int y, int red, int green, int blue) const {
  const Rgba c = at(x, y);
  auto near = [](int a, int b) { return a - b <= 3 && b - a <= 3; };
  return c.alpha == 255 && near(c.red, red) && near(c.green, green) && near(c.blue, blue);
}

int GdiPicture::inked() const {
  int n = 0;
  for (uint32_t w : pixels) n += (w >> 24) != 0;
  return n;
}

GdiPicture::Bounds GdiPicture::ink_bounds(int x0, int y0, int x1, int y1) const {
  if (x1 < 0) x1 = width;
  if (y1 < 0) y1 = height;
  Bounds b{width, height, -1, -1};
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (at(x, y).alpha > 0) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

std::string GdiPicture::describe(int x, int y) const {
  const Rgba c = at(x, y);
  return "(" + std::to_string(x) + "," + std::to_string(y) + ") argb(" + std::to_string(c.alpha) +
         "," + std::to_string(c.red) + "," + std::to_string(c.green) + "," +
         std::to_string(c.blue) + ")";
}

GdiPicture play_gdi(const std::vector<uint8_t>& bytes, int width, int height,
                    GdiOptions options) {
  GdiPicture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(size_t(width) * height, 0);
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(picture.pixels.data()), CAIRO_FORMAT_ARGB32, width, height,
      width * 4);
  cairo_t* cr = cairo_create(surface);
  if (options.white) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
  }
  gdi::PlayOptions play_options;
  play_options.caller_viewport = options.caller_viewport;
  picture.played = gdi::play(bytes.data(), bytes.size(), cr, width, height, &picture.skipped,
                             play_options);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  cairo_surface_destroy(surface);
  return picture;
}

WmfBuilder gdi_canvas(int width, int height) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, width, height);
  return wmf;
}

}  // namespace vellum::test
