// A GDI logical font as a value: the LOGFONT fields of CREATEFONTINDIRECT.
#pragma once

#include <cstdint>
#include <string>

namespace vellum::draw {

struct Font {
  int16_t height = 0;       // < 0 character height, > 0 cell height, 0 default
  int16_t width = 0;        // 0 design aspect, else average character width
  int16_t escapement = 0;   // tenths of a degree, counter-clockwise
  int16_t orientation = 0;  // ignored (GM_COMPATIBLE)
  int16_t weight = 0;       // 0 default (400), 700 bold
  uint8_t italic = 0, underline = 0, strike_out = 0, charset = 0;
  uint8_t out_precision = 0, clip_precision = 0, quality = 0, pitch_and_family = 0;
  std::string face;  // bytes as recorded, up to the first NUL, at most 32
  bool operator==(const Font&) const = default;
};

inline constexpr uint8_t ANSI_CHARSET = 0;
inline constexpr uint8_t DEFAULT_CHARSET = 1;
inline constexpr uint8_t SYMBOL_CHARSET = 2;

// The stock SYSTEM_FONT a fresh DC holds.
Font system_font();

}  // namespace vellum::draw
