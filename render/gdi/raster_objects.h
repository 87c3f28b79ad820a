// The DC's objects as the raster code takes them: colours as 0x00RRGGBB
// words, the selected palette as a list of them, the brush as a blit
// pattern, and decoded bitmaps as pattern-brush pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "render/draw/brush.h"
#include "render/gdi/blit.h"
#include "render/gdi/dib.h"
#include "render/gdi/palette.h"

namespace vellum::gdi {

inline uint32_t draw_colour_word(draw::Colour c) {
  return uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue;
}

class PaletteColours {
 public:
  explicit PaletteColours(const Palette& palette);
  std::span<const uint32_t> colours() const { return colours_; }

 private:
  std::vector<uint32_t> colours_;
};

// A brush as the pattern of a raster operation: solid colour, an 8x8 hatch
// whose gaps leave the destination alone, or the brush's pattern pixels.
// get() is null for a null brush.
class BrushPattern {
 public:
  explicit BrushPattern(const draw::Brush& brush);
  const BlitPattern* get() const { return visible_ ? &pattern_ : nullptr; }

 private:
  bool visible_ = true;
  BlitPattern pattern_;
  std::vector<uint32_t> tile_;
};

// A decoded bitmap as pattern-brush pixels (opaque ARGB32 words).
std::shared_ptr<const draw::PatternImage> pattern_image(const Bitmap& bitmap);

}  // namespace vellum::gdi
