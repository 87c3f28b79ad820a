// Raster operations as GDI's BitBlt, StretchBlt and PatBlt do them: every
// pixel of the destination rectangle becomes a bitwise function of the
// brush pattern (P), the source bitmap (S) and the destination (D), chosen
// by the ROP3 code's index byte.
//
// The work happens on pixels: the destination is read back from cr's
// target when that is an image surface, the result is computed per pixel
// and painted back through cr's clip. Where the destination cannot be read
// (vector surfaces) it is taken as white paper, and pixels the operation
// leaves unchanged on white stay untouched; the same rule keeps transparent
// pixels of an image target transparent (a mask blitted with SRCAND over
// nothing leaves nothing around the mask).
#pragma once

#include <cstdint>

#include "render/gdi/dib.h"

typedef struct _cairo cairo_t;

namespace vellum::gdi {

// ROP3 codes as records carry them; bits 16..23 are the truth table.
inline constexpr uint32_t ROP_SRCCOPY = 0x00CC0020;
inline constexpr uint32_t ROP_SRCPAINT = 0x00EE0086;
inline constexpr uint32_t ROP_SRCAND = 0x008800C6;
inline constexpr uint32_t ROP_SRCINVERT = 0x00660046;
inline constexpr uint32_t ROP_SRCERASE = 0x00440328;
inline constexpr uint32_t ROP_NOTSRCCOPY = 0x00330008;
inline constexpr uint32_t ROP_NOTSRCERASE = 0x001100A6;
inline constexpr uint32_t ROP_MERGECOPY = 0x00C000CA;
inline constexpr uint32_t ROP_MERGEPAINT = 0x00BB0226;
inline constexpr uint32_t ROP_PATCOPY = 0x00F00021;
inline constexpr uint32_t ROP_PATPAINT = 0x00FB0A09;
inline constexpr uint32_t ROP_PATINVERT = 0x005A0049;
inline constexpr uint32_t ROP_DSTINVERT = 0x00550009;
inline constexpr uint32_t ROP_BLACKNESS = 0x00000042;
inline constexpr uint32_t ROP_WHITENESS = 0x00FF0062;

// Stretch modes (SETSTRETCHBLTMODE): how shrinking picks source pixels.
inline constexpr int STRETCH_ANDSCANS = 1;      // BLACKONWHITE: AND of each block
inline constexpr int STRETCH_ORSCANS = 2;       // WHITEONBLACK: OR of each block
inline constexpr int STRETCH_DELETESCANS = 3;   // COLORONCOLOR: one pixel of each
inline constexpr int STRETCH_HALFTONE = 4;      // one pixel of each, as GDI here

constexpr uint8_t rop_index(uint32_t rop) { return uint8_t(rop >> 16); }
// Whether the result depends on S, P or D.
constexpr bool rop_uses_source(uint8_t index) { return ((index >> 2) ^ index) & 0x33; }
constexpr bool rop_uses_pattern(uint8_t index) { return ((index >> 4) ^ index) & 0x0F; }
constexpr bool rop_uses_destination(uint8_t index) { return ((index >> 1) ^ index) & 0x55; }

// The operation on 24-bit colours, bit by bit: result bit = index bit
// number (p << 2 | s << 1 | d).
uint32_t apply_rop3(uint8_t index, uint32_t p, uint32_t s, uint32_t d);

// The brush pattern in GDI device pixels: one colour (0x00RRGGBB), or a
// tile repeated from device (0, 0) (hatches and pattern brushes) of
// 0xFFRRGGBB words, where a word with a zero top byte leaves its pixel
// alone (a hatch's gaps).
struct BlitPattern {
  uint32_t colour = 0;
  const uint32_t* tile = nullptr;  // width x height, rows top-down
  int width = 0, height = 0;
  // 0xFFRRGGBB, or 0 for a pixel the pattern leaves alone.
  uint32_t at(int64_t x, int64_t y) const;
};

// The source: a rectangle of the bitmap in its pixels, y from the top row.
// A negative width or height runs back from x or y, covering
// (x + width, x]: the image comes out mirrored.
struct BlitSource {
  const Bitmap* bitmap = nullptr;
  int32_t x = 0, y = 0, width = 0, height = 0;
};

// The destination in cr's user space (GDI device units): the source's
// (x, y) corner lands at (x1, y1), the opposite one at (x2, y2). x2 < x1 or
// y2 < y1 mirrors that axis; a mirrored axis covers (x2, x1] rather than
// [x1, x2), as GDI does.
struct BlitTarget {
  double x1, y1, x2, y2;
};

// Largest destination, in device pixels, one operation works on.
inline constexpr uint64_t MAX_BLIT_PIXELS = uint64_t(1) << 24;

// Runs the operation; `source` and `pattern` may be null when the ROP does
// not use them (a ROP that needs a missing one does nothing). False when
// nothing was drawn for that reason or because the destination passed
// MAX_BLIT_PIXELS.
bool blit(cairo_t* cr, const BlitTarget& target, uint32_t rop, const BlitSource* source,
          const BlitPattern* pattern, int stretch_mode);

}  // namespace vellum::gdi
