// The bitmap records (BITBLT, STRETCHBLT, their DIB forms, STRETCHDIB,
// SETDIBTODEV), PATBLT and SETSTRETCHBLTMODE: a destination rectangle
// mapped to device pixels, a source decoded from the record, the brush as
// the pattern, and the ROP3 run over them (render/gdi/blit.h).
#include <cairo.h>

#include <vector>

#include "render/gdi/raster_objects.h"
#include "render/gdi/blit.h"
#include "render/gdi/dib.h"
#include "render/gdi/figure.h"
#include "render/gdi/handlers.h"

namespace vellum::gdi {

namespace {

// The destination: logical corner and size, mapped and rounded.
BlitTarget device_target(const Player& p, int16_t x, int16_t y, int16_t width, int16_t height) {
  const draw::DevicePoint a = p.mapping().pixel(x, y);
  const draw::DevicePoint b = p.mapping().pixel(double(x) + width, double(y) + height);
  return {a.x, a.y, b.x, b.y};
}

void run(Player& p, const BlitTarget& target, uint32_t rop, const BlitSource* source) {
  sync_clip(p);
  const BrushPattern pattern(p.dc.brush);
  blit(p.cr, target, rop, source, pattern.get(), p.dc.stretch_mode);
}

// A record without a bitmap has exactly the size its function word names
// (3 + high byte words); it acts like PATBLT.
bool without_bitmap(const Record& r) {
  return r.size_bytes / 2 == 3u + (r.function >> 8);
}

struct Placement {
  int16_t src_x = 0, src_y = 0, src_w = 0, src_h = 0;
  int16_t x = 0, y = 0, w = 0, h = 0;
};

// BITBLT and DIBBITBLT: ySrc, xSrc, [reserved,] height, width, yDest, xDest;
// the source is as large as the destination's logical size.
bool read_bitblt(ByteReader& in, bool reserved, Placement* at) {
  at->src_y = in.i16();
  at->src_x = in.i16();
  if (reserved) in.skip(2);
  at->h = at->src_h = in.i16();
  at->w = at->src_w = in.i16();
  at->y = in.i16();
  at->x = in.i16();
  return !in.failed();
}

// STRETCHBLT, DIBSTRETCHBLT and STRETCHDIB: srcH, srcW, ySrc, xSrc,
// [reserved,] dstH, dstW, yDest, xDest.
bool read_stretch(ByteReader& in, bool reserved, Placement* at) {
  at->src_h = in.i16();
  at->src_w = in.i16();
  at->src_y = in.i16();
  at->src_x = in.i16();
  if (reserved) in.skip(2);
  at->h = in.i16();
  at->w = in.i16();
  at->y = in.i16();
  at->x = in.i16();
  return !in.failed();
}

// Source rows of a DIB count from the bottom row when it was stored
// bottom-up (and always for SETDIBTODEV).
BlitSource dib_source(const Bitmap& bitmap, const Placement& at, bool from_bottom) {
  BlitSource s{&bitmap, at.src_x, at.src_y, at.src_w, at.src_h};
  if (from_bottom) s.y = bitmap.height() - at.src_y - at.src_h;
  return s;
}

void bitmap16_blit(Player& p, const Record& r, bool stretch) {
  ByteReader in = r.params;
  const uint32_t rop = in.u32();
  Placement at;
  const bool sourceless = without_bitmap(r);
  if (!(stretch ? read_stretch(in, sourceless, &at) : read_bitblt(in, sourceless, &at))) return;
  const BlitTarget target = device_target(p, at.x, at.y, at.w, at.h);
  if (sourceless) {
    run(p, target, rop, nullptr);
    return;
  }
  Bitmap16Header header;
  Bitmap bitmap;
  if (!read_bitmap16_header(in, &header) ||
      decode_bitmap16(header, in, draw_colour_word(p.dc.text_colour),
                      draw_colour_word(p.dc.bk_colour), &bitmap) != BitmapStatus::ok)
    return;
  const BlitSource source{&bitmap, at.src_x, at.src_y, at.src_w, at.src_h};
  run(p, target, rop, &source);
}

void dib_blit(Player& p, const Record& r, bool stretch) {
  ByteReader in = r.params;
  const uint32_t rop = in.u32();
  Placement at;
  const bool sourceless = without_bitmap(r);
  if (!(stretch ? read_stretch(in, sourceless, &at) : read_bitblt(in, sourceless, &at))) return;
  const BlitTarget target = device_target(p, at.x, at.y, at.w, at.h);
  if (sourceless) {
    run(p, target, rop, nullptr);
    return;
  }
  Bitmap bitmap;
  if (decode_dib(in, {DIB_RGB_COLORS, {}, 0}, &bitmap) != BitmapStatus::ok) return;
  const BlitSource source = dib_source(bitmap, at, bitmap.bottom_up());
  run(p, target, rop, &source);
}

}  // namespace

void play_bitblt(Player& p, const Record& r) { bitmap16_blit(p, r, false); }
void play_stretchblt(Player& p, const Record& r) { bitmap16_blit(p, r, true); }
void play_dibbitblt(Player& p, const Record& r) { dib_blit(p, r, false); }
void play_dibstretchblt(Player& p, const Record& r) { dib_blit(p, r, true); }

void play_stretchdib(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint32_t rop = in.u32();
  const uint16_t usage = in.u16();
  Placement at;
  if (!read_stretch(in, false, &at)) return;
  const PaletteColours palette(*p.dc.palette);
  Bitmap bitmap;
  if (decode_dib(in, {usage, palette.colours(), 0}, &bitmap) != BitmapStatus::ok) return;
  const BlitSource source = dib_source(bitmap, at, bitmap.bottom_up());
  run(p, device_target(p, at.x, at.y, at.w, at.h), rop, &source);
}

// One DIB pixel per device pixel from the mapped corner; the bits hold
// ScanCount rows from StartScan on.
void play_setdibtodev(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t usage = in.u16();
  const uint16_t scan_count = in.u16();
  const uint16_t start_scan = in.u16();
  Placement at;
  at.src_y = in.i16();
  at.src_x = in.i16();
  at.src_h = in.i16();
  at.src_w = in.i16();
  at.y = in.i16();
  at.x = in.i16();
  if (in.failed() || scan_count == 0) return;
  const PaletteColours palette(*p.dc.palette);
  Bitmap bitmap;
  if (decode_dib(in, {usage, palette.colours(), scan_count}, &bitmap) != BitmapStatus::ok) return;
  at.src_y = int16_t(at.src_y - start_scan);
  const BlitSource source = dib_source(bitmap, at, true);
  const draw::DevicePoint corner = p.mapping().pixel(at.x, at.y);
  const BlitTarget target{corner.x, corner.y, corner.x + at.src_w, corner.y + at.src_h};
  run(p, target, ROP_SRCCOPY, &source);
}

void play_patblt(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint32_t rop = in.u32();
  const int16_t h = in.i16(), w = in.i16(), y = in.i16(), x = in.i16();
  if (in.failed()) return;
  run(p, device_target(p, x, y, w, h), rop, nullptr);
}

void play_setstretchbltmode(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t mode = in.u16();
  if (!in.failed() && mode >= STRETCH_ANDSCANS && mode <= STRETCH_HALFTONE)
    p.dc.stretch_mode = mode;
}

}  // namespace vellum::gdi
