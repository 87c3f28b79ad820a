// FLOODFILL and EXTFLOODFILL on the pixels already drawn: the 4-connected
// area around the start pixel, bounded by a colour (border mode) or made of
// one colour (surface mode), filled with the brush. Done where it is cheap:
// on an image surface whose user space is its pixel grid; elsewhere (a
// scaled context, a vector surface) nothing is filled.
#include <cairo.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "render/gdi/figure.h"
#include "render/gdi/handlers.h"

namespace vellum::gdi {

namespace {

constexpr uint16_t FLOODFILLBORDER = 0;
constexpr uint16_t FLOODFILLSURFACE = 1;

struct Pixels {
  unsigned char* data = nullptr;
  int width = 0, height = 0, stride = 0;
  double offset_x = 0, offset_y = 0;  // device = user + offset
};

// The target's pixels when user space is the pixel grid moved by whole pixels.
bool pixels_of(cairo_t* cr, Pixels* out) {
  cairo_surface_t* surface = cairo_get_target(cr);
  if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return false;
  const cairo_format_t format = cairo_image_surface_get_format(surface);
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) return false;
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  if (m.xx != 1 || m.yy != 1 || m.xy != 0 || m.yx != 0 || m.x0 != std::floor(m.x0) ||
      m.y0 != std::floor(m.y0))
    return false;
  cairo_surface_flush(surface);
  out->data = cairo_image_surface_get_data(surface);
  out->width = cairo_image_surface_get_width(surface);
  out->height = cairo_image_surface_get_height(surface);
  out->stride = cairo_image_surface_get_stride(surface);
  out->offset_x = m.x0;
  out->offset_y = m.y0;
  return out->data != nullptr;
}

// The pixel's colour as 0xRRGGBB; unpainted (transparent) pixels count as
// the white a host paints under a picture.
uint32_t colour_at(const Pixels& px, int x, int y) {
  uint32_t w;
  std::memcpy(&w, px.data + size_t(y) * px.stride + size_t(x) * 4, 4);
  const uint32_t a = w >> 24;
  if (a == 0) return 0xFFFFFF;
  if (a == 255) return w & 0xFFFFFF;
  auto un = [&](int shift) { return ((((w >> shift) & 0xFF) * 255 + a / 2) / a) & 0xFF; };
  return un(16) << 16 | un(8) << 8 | un(0);
}

void flood(Player& p, int16_t lx, int16_t ly, draw::Colour colour, uint16_t mode) {
  Pixels px;
  if (!pixels_of(p.cr, &px)) return;
  const draw::DevicePoint start = p.mapping().pixel(lx, ly);
  const double sx = start.x + px.offset_x, sy = start.y + px.offset_y;
  if (!(sx >= 0 && sy >= 0 && sx < px.width && sy < px.height)) return;
  const uint32_t key = uint32_t(colour.red) << 16 | uint32_t(colour.green) << 8 | colour.blue;
  auto inside = [&](int x, int y) {
    const uint32_t c = colour_at(px, x, y);
    return mode == FLOODFILLSURFACE ? c == key : c != key;
  };
  if (!inside(int(sx), int(sy))) return;
  // Scanline fill: each run is found once; `seen` bounds the work by the area.
  std::vector<uint8_t> seen(size_t(px.width) * px.height, 0);
  std::vector<std::pair<int, int>> stack{{int(sx), int(sy)}};
  begin_figure(p);
  while (!stack.empty()) {
    auto [x, y] = stack.back();
    stack.pop_back();
    if (seen[size_t(y) * px.width + x] || !inside(x, y)) continue;
    int left = x, right = x;
    while (left > 0 && !seen[size_t(y) * px.width + left - 1] && inside(left - 1, y)) --left;
    while (right + 1 < px.width && !seen[size_t(y) * px.width + right + 1] && inside(right + 1, y))
      ++right;
    for (int i = left; i <= right; ++i) seen[size_t(y) * px.width + i] = 1;
    cairo_rectangle(p.cr, left - px.offset_x, y - px.offset_y, right - left + 1, 1);
    for (int ny : {y - 1, y + 1}) {
      if (ny < 0 || ny >= px.height) continue;
      for (int i = left; i <= right; ++i)
        if (!seen[size_t(ny) * px.width + i] && inside(i, ny)) {
          stack.push_back({i, ny});
          while (i + 1 <= right && inside(i + 1, ny)) ++i;  // one seed per run
        }
    }
  }
  fill_path(p);
}

}  // namespace

void play_floodfill(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint32_t colorref = in.u32();
  const int16_t y = in.i16();
  const int16_t x = in.i16();
  if (!in.failed()) flood(p, x, y, p.colour(colorref), FLOODFILLBORDER);
}

void play_extfloodfill(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t mode = in.u16();
  const uint32_t colorref = in.u32();
  const int16_t y = in.i16();
  const int16_t x = in.i16();
  if (!in.failed() && (mode == FLOODFILLBORDER || mode == FLOODFILLSURFACE))
    flood(p, x, y, p.colour(colorref), mode);
}

}  // namespace vellum::gdi
