// Pattern brushes: DIBCREATEPATTERNBRUSH (a DIB with its colour usage) and
// CREATEPATTERNBRUSH (an old Bitmap16). Each takes the lowest free object
// slot even when its bitmap cannot be decoded; such a brush fills black.
#include "render/gdi/dib.h"
#include "render/gdi/handlers.h"
#include "render/gdi/raster_objects.h"

namespace vellum::gdi {

namespace {

draw::Brush pattern_brush(uint16_t style, const Bitmap& bitmap, BitmapStatus status) {
  draw::Brush brush;
  brush.style = style;
  brush.colour = draw::BLACK;
  if (status == BitmapStatus::ok) brush.pattern = pattern_image(bitmap);
  return brush;
}

}  // namespace

// Style BS_PATTERN reads the table as RGB colours; any other style is
// taken as BS_DIBPATTERNPT with the record's colour usage (writers put
// BS_SOLID there too).
void play_dibcreatepatternbrush(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t style = in.u16();
  uint16_t usage = in.u16();
  if (style == draw::BS_PATTERN) usage = DIB_RGB_COLORS;
  const PaletteColours palette(*p.dc.palette);
  Bitmap bitmap;
  const BitmapStatus status =
      in.failed() ? BitmapStatus::truncated : decode_dib(in, {usage, palette.colours(), 0}, &bitmap);
  p.objects.add(pattern_brush(draw::BS_DIBPATTERNPT, bitmap, status));
}

// Bitmap16 header with its 4-byte bits pointer, 18 reserved bytes, then the
// rows. A monochrome pattern takes the text and background colours in force
// when the brush is made.
void play_createpatternbrush(Player& p, const Record& r) {
  ByteReader in = r.params;
  Bitmap16Header header;
  Bitmap bitmap;
  BitmapStatus status = BitmapStatus::truncated;
  if (read_bitmap16_header(in, &header) && in.skip(4 + 18)) {
    // The rows are as wide as the bits need, rounded to 16 bits.
    header.width_bytes = int16_t(((int32_t(header.width) * header.bits_per_pixel + 15) >> 4) << 1);
    status = decode_bitmap16(header, in, draw_colour_word(p.dc.text_colour),
                             draw_colour_word(p.dc.bk_colour), &bitmap);
  }
  p.objects.add(pattern_brush(draw::BS_PATTERN, bitmap, status));
}

}  // namespace vellum::gdi
