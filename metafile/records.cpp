#include "metafile/records.h"

#include <cstring>

#include "metafile/field_access.h"
#include "metafile/stream_layout.h"

namespace vellum {
namespace {

// Records keep single points y first: y at `at`, x at `at + 2`.
Point16 point_y_first(const uint8_t* at) { return {load_i16(at + 2), load_i16(at)}; }

// Records keep rectangles bottom, right, top, left.
Rect16 rect_reversed(const uint8_t* at) {
  return {load_i16(at + 6), load_i16(at + 4), load_i16(at + 2), load_i16(at)};
}

ColorRef load_colour(const uint8_t* at) {
  ColorRef colour;
  std::memcpy(&colour, at, sizeof colour);
  return colour;
}

template <typename Output>
uint32_t decode_one(const uint8_t* record, int32_t minimum, Output* out, Output (*load)(const uint8_t*),
                    uint32_t at) {
  const uint32_t size = record_size_at_least(record, minimum);
  if (size) *out = load(record + at);
  return size;
}

uint16_t load_word(const uint8_t* at) { return load_u16(at); }

// The two transfer records without a bitmap hold exactly their parameter
// count + 3 words.
bool has_bitmap(const uint8_t* record) { return load_u32(record) != record[5] + 3u; }

// The bitmap header is copied out and the pixels follow it; a transfer
// without bitmap gets a zeroed header and no pixels.
void take_bitmap(const uint8_t* header, Bitmap16Header* bitmap, const uint8_t** pixels) {
  if (header) {
    std::memcpy(bitmap, header, sizeof *bitmap);
    *pixels = header + sizeof *bitmap;
  } else {
    std::memset(bitmap, 0, sizeof *bitmap);
    *pixels = nullptr;
  }
}

}  // namespace

Point16 load_point(const uint8_t* at) { return {load_i16(at), load_i16(at + 2)}; }

BrushObject load_brush(const uint8_t* at) {
  BrushObject brush;
  std::memcpy(&brush, at, sizeof brush);
  return brush;
}

FontObject load_font(const uint8_t* at) {
  FontObject font;
  std::memcpy(&font, at, sizeof font);
  return font;
}

uint32_t decode_SETBKCOLOR(const uint8_t* record, ColorRef* colour) {
  return decode_one(record, 10, colour, load_colour, 6);
}

uint32_t decode_SETMAPMODE(const uint8_t* record, uint16_t* mode) {
  return decode_one(record, 8, mode, load_word, 6);
}

uint32_t decode_SETPOLYFILLMODE(const uint8_t* record, uint16_t* mode) {
  return decode_one(record, 8, mode, load_word, 6);
}

uint32_t decode_SETTEXTCOLOR(const uint8_t* record, ColorRef* colour) {
  return decode_one(record, 10, colour, load_colour, 6);
}

uint32_t decode_SETWINDOWEXT(const uint8_t* record, Point16* extent) {
  return decode_one(record, 10, extent, point_y_first, 6);
}

uint32_t decode_LINETO(const uint8_t* record, Point16* point) {
  return decode_one(record, 10, point, point_y_first, 6);
}

uint32_t decode_MOVETO(const uint8_t* record, Point16* point) {
  return decode_one(record, 10, point, point_y_first, 6);
}

uint32_t decode_INTERSECTCLIPRECT(const uint8_t* record, Rect16* rect) {
  return decode_one(record, 14, rect, rect_reversed, 6);
}

uint32_t decode_ELLIPSE(const uint8_t* record, Rect16* rect) {
  return decode_one(record, 14, rect, rect_reversed, 6);
}

uint32_t decode_RECTANGLE(const uint8_t* record, Rect16* rect) {
  return decode_one(record, 14, rect, rect_reversed, 6);
}

uint32_t decode_ROUNDRECT(const uint8_t* record, int16_t* corner_width, int16_t* corner_height,
                          Rect16* rect) {
  const uint32_t size = record_size_at_least(record, 18);
  if (!size) return 0;
  *corner_width = load_i16(record + 8);
  *corner_height = load_i16(record + 6);
  *rect = rect_reversed(record + 10);
  return size;
}

uint32_t decode_PATBLT(const uint8_t* record, Point16* dest, Point16* size_out, uint32_t* rop) {
  const uint32_t size = record_size_at_least(record, 18);
  if (!size) return 0;
  *dest = point_y_first(record + 14);
  *size_out = point_y_first(record + 10);
  *rop = load_u32(record + 6);
  return size;
}

// The record must hold its length word, the string padded to even, and the
// start point after it; a negative length places the point nowhere.
uint32_t decode_TEXTOUT(const uint8_t* record, Point16* start, int16_t* length,
                        const uint8_t** string) {
  if (!record_size_at_least(record, 8)) return 0;
  const int16_t count = load_i16(record + 6);
  if (count < 0) return 0;
  const int32_t padded = count + (count & 1);
  const uint32_t size = record_size_at_least(record, 12 + padded);
  if (!size) return 0;
  *start = point_y_first(record + 8 + padded);
  *length = count;
  *string = record + 8;
  return size;
}

// A record in the bitmap form must also hold the whole Bitmap16Header that
// is copied out of it, so its minimum is the header's end.
uint32_t decode_BITBLT(const uint8_t* record, Point16* dest, Point16* size_out, Point16* source,
                       uint32_t* rop, Bitmap16Header* bitmap, const uint8_t** pixels) {
  if (!record_size_at_least(record, 24)) return 0;
  const bool with_bitmap = has_bitmap(record);
  const uint32_t size = record_size_at_least(record, with_bitmap ? 32 : 24);
  if (!size) return 0;
  const uint32_t fields = with_bitmap ? 14 : 16;  // where size and destination begin
  *dest = point_y_first(record + fields + 4);
  *size_out = point_y_first(record + fields);
  *source = point_y_first(record + 10);
  *rop = load_u32(record + 6);
  take_bitmap(with_bitmap ? record + 22 : nullptr, bitmap, pixels);
  return size;
}

uint32_t decode_STRETCHBLT(const uint8_t* record, Point16* dest, Point16* dest_size,
                           Point16* source, Point16* source_size, uint32_t* rop,
                           Bitmap16Header* bitmap, const uint8_t** pixels) {
  if (!record_size_at_least(record, 28)) return 0;
  const bool with_bitmap = has_bitmap(record);
  const uint32_t size = record_size_at_least(record, with_bitmap ? 36 : 28);
  if (!size) return 0;
  const uint32_t fields = with_bitmap ? 18 : 20;
  *dest = point_y_first(record + fields + 4);
  *dest_size = point_y_first(record + fields);
  *source = point_y_first(record + 14);
  *source_size = point_y_first(record + 10);
  *rop = load_u32(record + 6);
  take_bitmap(with_bitmap ? record + 26 : nullptr, bitmap, pixels);
  return size;
}

uint32_t decode_POLYGON(const uint8_t* record, uint16_t* count, const uint8_t** points) {
  const uint32_t size = record_size_at_least(record, 10);
  if (!size) return 0;
  *count = load_u16(record + 6);
  *points = record + 8;
  return size;
}

uint32_t decode_POLYLINE(const uint8_t* record, uint16_t* count, const uint8_t** points) {
  return decode_POLYGON(record, count, points);
}

uint32_t decode_ESCAPE(const uint8_t* record, uint16_t* function, uint16_t* byte_count,
                       const uint8_t** data) {
  const uint32_t size = record_size_at_least(record, 10);
  if (!size) return 0;
  *function = load_u16(record + 6);
  *byte_count = load_u16(record + 8);
  *data = record + 10;
  return size;
}

uint32_t decode_SETTEXTALIGN(const uint8_t* record, uint16_t* align) {
  return decode_one(record, 8, align, load_word, 6);
}

// When the counts claim more than the record holds, the points' address is
// the record's end: an address inside (or just past) the record, where a
// RecordSpan finds no points, instead of one far beyond the buffer.
uint32_t decode_POLYPOLYGON(const uint8_t* record, uint16_t* polygons, const uint8_t** counts,
                            const uint8_t** points) {
  const uint32_t size = record_size_at_least(record, 10);
  if (!size) return 0;
  const uint16_t n = load_u16(record + 6);
  const uint32_t points_at = 8u + 2u * n;
  *polygons = n;
  *counts = record + 8;
  *points = record + (points_at <= size ? points_at : size);
  return size;
}

uint32_t decode_CREATEPENINDIRECT(const uint8_t* record, PenObject* pen) {
  const uint32_t size = record_size_at_least(record, 16);
  if (size) std::memcpy(pen, record + 6, sizeof *pen);
  return size;
}

uint32_t decode_CREATEFONTINDIRECT(const uint8_t* record, const uint8_t** font) {
  const uint32_t size = record_size_at_least(record, 26);
  if (size) *font = record + 6;
  return size;
}

uint32_t decode_CREATEBRUSHINDIRECT(const uint8_t* record, const uint8_t** brush) {
  const uint32_t size = record_size_at_least(record, 14);
  if (size) *brush = record + 6;
  return size;
}

}  // namespace vellum
