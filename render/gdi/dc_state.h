// The device-context state a GDI playback carries and SAVEDC copies whole,
// with the defaults of a fresh display DC ("Display Device Context
// Defaults"): black 1-pixel pen, white brush, system font, opaque white
// background, black text, TA_LEFT|TA_TOP, R2_COPYPEN, ALTERNATE, MM_TEXT.
#pragma once

#include <cstdint>
#include <memory>

#include "render/draw/brush.h"
#include "render/draw/font.h"
#include "render/draw/mapping.h"
#include "render/draw/paint.h"
#include "render/draw/pen.h"
#include "render/gdi/clip.h"
#include "render/gdi/palette.h"

namespace vellum::gdi {

inline constexpr int BK_TRANSPARENT = 1;
inline constexpr int BK_OPAQUE = 2;
inline constexpr int POLYFILL_ALTERNATE = 1;
inline constexpr int POLYFILL_WINDING = 2;
inline constexpr int STRETCH_BLACKONWHITE = 1;

// Text alignment bits (TextAlignmentMode).
inline constexpr uint16_t TA_UPDATECP = 0x0001;
inline constexpr uint16_t TA_HORIZONTAL = 0x0006;  // mask
inline constexpr uint16_t TA_RIGHT = 0x0002;
inline constexpr uint16_t TA_CENTER = 0x0006;
inline constexpr uint16_t TA_VERTICAL = 0x0018;    // mask
inline constexpr uint16_t TA_BOTTOM = 0x0008;
inline constexpr uint16_t TA_BASELINE = 0x0018;

struct DcState {
  draw::Pen pen;                 // BLACK_PEN
  draw::Brush brush;             // WHITE_BRUSH
  draw::Font font = draw::system_font();
  std::shared_ptr<const Palette> palette = default_palette();
  Clip clip;
  draw::Mapping mapping;
  int bk_mode = BK_OPAQUE;
  draw::Colour bk_colour = draw::WHITE;
  draw::Colour text_colour = draw::BLACK;
  uint16_t text_align = 0;
  int16_t char_extra = 0;        // logical units after every character
  int16_t break_count = 0;       // SETTEXTJUSTIFICATION
  int16_t break_extra = 0;
  int rop2 = draw::R2_COPYPEN;
  int poly_fill_mode = POLYFILL_ALTERNATE;
  int stretch_mode = STRETCH_BLACKONWHITE;
  uint32_t mapper_flags = 0;
  double cp_x = 0, cp_y = 0;     // current position, logical

  draw::Background background() const { return {bk_mode != BK_TRANSPARENT, bk_colour}; }
};

}  // namespace vellum::gdi
