// An RGB colour as GDI holds it: three bytes, always opaque.
#pragma once

#include <cstdint>

typedef struct _cairo cairo_t;

namespace vellum::draw {

struct Colour {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Colour&) const = default;
};

inline constexpr Colour BLACK{0, 0, 0};
inline constexpr Colour WHITE{255, 255, 255};

// The colour with every bit flipped (what ~P means in the ROP2 tables).
inline constexpr Colour inverted(Colour c) {
  return {uint8_t(255 - c.red), uint8_t(255 - c.green), uint8_t(255 - c.blue)};
}

// Makes the colour cairo's opaque source; a byte b becomes b / 255.
void set_source_colour(cairo_t* cr, Colour c);

}  // namespace vellum::draw
