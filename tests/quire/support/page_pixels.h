// A laid-out page drawn at one pixel per point, its own size, for tests
// that look at where ink lands.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/document.h"

namespace quire_test {

struct Rendered {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // ARGB32, white paper 0xFFFFFFFF
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Page `page` (from 1) of `doc`; an empty picture when there is no such page.
Rendered draw(const quire::Document& doc, int page);

// Whether rows [top, bottom) hold a pixel of `colour`, or with 0 any non-white pixel.
bool inked(const Rendered& r, int top, int bottom, uint32_t colour = 0);

// Non-white pixels in the box [left, right) x [top, bottom).
int ink_in(const Rendered& r, int left, int top, int right, int bottom);

}  // namespace quire_test
