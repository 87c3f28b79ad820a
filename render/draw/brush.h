// A GDI brush as a value: solid, null, hatched or a pattern of pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/draw/colour.h"

namespace vellum::draw {

enum BrushStyle : uint16_t {
  BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2, BS_PATTERN = 3, BS_DIBPATTERN = 5,
  BS_DIBPATTERNPT = 6,
};

enum HatchStyle : uint16_t {
  HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4,
  HS_DIAGCROSS = 5,
};

// The pixels of a pattern brush, decoded once: premultiplied ARGB32 words
// (cairo's layout), rows top-down, width x height. Tiles from device (0, 0)
// one pixel per device pixel.
struct PatternImage {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

struct Brush {
  uint16_t style = BS_SOLID;
  Colour colour = WHITE;
  uint16_t hatch = HS_HORIZONTAL;
  std::shared_ptr<const PatternImage> pattern;  // BS_PATTERN / BS_DIBPATTERN* only
  bool visible() const { return style != BS_NULL; }
};

// Whether pixel (x, y) of the 8x8 hatch cell is a line pixel.
bool hatch_bit(uint16_t hatch, int x, int y);

}  // namespace vellum::draw
