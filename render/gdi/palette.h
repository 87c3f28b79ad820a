// Logical palettes: CREATEPALETTE objects and the DC's DEFAULT_PALETTE, and
// ColorRef values (RGB, PALETTEINDEX, PALETTERGB) resolved against them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/draw/colour.h"

namespace vellum::gdi {

struct Palette {
  std::vector<draw::Colour> entries;
};

// The 20 static colours of DEFAULT_PALETTE (index 1 = RGB(128, 0, 0)).
std::shared_ptr<const Palette> default_palette();

// A ColorRef as the four bytes R, G, B, flags: flags 1 takes the colour at
// the low 16 bits' index of `palette` (black past its end); any other value
// reads the bytes as RGB (PALETTERGB on a true-colour surface).
draw::Colour resolve_colour(uint32_t colorref, const Palette& palette);

}  // namespace vellum::gdi
