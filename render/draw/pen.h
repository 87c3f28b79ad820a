// A GDI pen as a value: style bits, logical width, colour.
#pragma once

#include <cstdint>

#include "render/draw/colour.h"

namespace vellum::draw {

enum PenStyle : uint16_t {
  PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4,
  PS_NULL = 5, PS_INSIDEFRAME = 6, PS_USERSTYLE = 7, PS_ALTERNATE = 8,
};

struct Pen {
  uint16_t style = PS_SOLID;  // the whole style word: low nibble kind, then cap and join bits
  int32_t width = 0;          // logical units; 0 = one device pixel at any scale
  Colour colour = BLACK;
  uint16_t kind() const { return style & 0x000F; }
  bool visible() const { return kind() != PS_NULL; }
};

// Width in device pixels: 0 gives 1, others scale by |scale| (the mapping's
// x factor) and round, never below 1.
double pen_device_width(const Pen& pen, double scale);

}  // namespace vellum::draw
