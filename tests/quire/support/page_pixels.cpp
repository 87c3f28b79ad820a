#include "page_pixels.h"

#include <cairo.h>

#include <algorithm>

#include "engine/page_layout.h"

namespace quire_test {

Rendered draw(const quire::Document& doc, int page) {
  if (page < 1 || static_cast<size_t>(page) > doc.layout.pages.size()) return {};
  const quire::Page& laid = doc.layout.pages[static_cast<size_t>(page - 1)];
  Rendered out{static_cast<int>(laid.width), static_cast<int>(laid.height), {}};
  out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
  cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(out.pixels.data()),
                                                                 CAIRO_FORMAT_ARGB32, out.width, out.height, out.width * 4);
  cairo_t* cr = cairo_create(surface);
  if (quire::draw_page(cr, doc.model, doc.layout, static_cast<size_t>(page - 1)) != 0) out = {};
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return out;
}

bool inked(const Rendered& r, int top, int bottom, uint32_t colour) {
  for (int y = std::max(0, top); y < std::min(bottom, r.height); ++y)
    for (int x = 0; x < r.width; ++x) {
      const uint32_t p = r.at(x, y);
      if (colour ? p == colour : p != 0xFFFFFFFFu) return true;
    }
  return false;
}

int ink_in(const Rendered& r, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = std::max(0, top); y < std::min(bottom, r.height); ++y)
    for (int x = std::max(0, left); x < std::min(right, r.width); ++x) count += r.at(x, y) != 0xFFFFFFFFu;
  return count;
}

}  // namespace quire_test
