#include "metafile/records.h"

#include <algorithm>

#include "metafile/record_types.h"
#include "metafile/stream_layout.h"

namespace vellum {
namespace {

bool holds_minimum(const Record& record, uint8_t type) {
  return record.size_bytes >= record_minimum_bytes(type);
}

// Records keep single points y first.
Point16 read_point_y_first(ByteReader& r) {
  const int16_t y = r.i16();
  return {r.i16(), y};
}

// Records keep rectangles bottom, right, top, left.
Rect16 read_rect_reversed(ByteReader& r) {
  Rect16 rect;
  rect.bottom = r.i16();
  rect.right = r.i16();
  rect.top = r.i16();
  rect.left = r.i16();
  return rect;
}

Bitmap16Header read_bitmap16(ByteReader& r) {
  Bitmap16Header h;
  h.type = r.i16();
  h.width = r.i16();
  h.height = r.i16();
  h.bytes_per_row = r.i16();
  h.planes = r.u8();
  h.bits_per_pixel = r.u8();
  return h;
}

FontObject read_font(ByteReader& r) {
  FontObject f;
  f.height = r.i16();
  f.width = r.i16();
  f.escapement = r.i16();
  f.orientation = r.i16();
  f.weight = r.i16();
  f.italic = r.u8();
  f.underline = r.u8();
  f.strike_out = r.u8();
  f.charset = r.u8();
  f.out_precision = r.u8();
  f.clip_precision = r.u8();
  f.quality = r.u8();
  f.pitch_and_family = r.u8();
  return f;
}

BrushObject read_brush(ByteReader& r) {
  BrushObject b;
  b.style = r.u16();
  b.colour = read_colour(r);
  b.hatch = r.u16();
  return b;
}

// The part of a claim of n bytes that lies inside the reader.
ByteReader claimed(ByteReader& r, size_t n) { return r.sub(std::min(n, r.left())); }

template <typename Output>
uint32_t decode_one(const Record& record, uint8_t type, Output* out, Output (*read)(ByteReader&)) {
  if (!holds_minimum(record, type)) return 0;
  ByteReader params = record.params;
  *out = read(params);
  return record.size_bytes;
}

uint16_t read_word(ByteReader& r) { return r.u16(); }

// The bitmap form of BITBLT and STRETCHBLT has one word fewer before the
// bitmap than the form without (no reserved word); the Bitmap16Header and
// the pixels follow. The form without has exactly parameter count + 3 words.
constexpr uint32_t BITBLT_PIXELS_AT = 32;
constexpr uint32_t STRETCHBLT_PIXELS_AT = 36;

uint32_t decode_transfer(const Record& record, uint8_t type, bool stretch, BitTransfer* out) {
  if (!holds_minimum(record, type)) return 0;
  BitTransfer t{};
  t.with_bitmap = record.size_bytes / 2 != (record.function >> 8) + 3u;
  ByteReader p = record.params;
  t.rop = p.u32();
  if (stretch) t.source_size = read_point_y_first(p);
  t.source = read_point_y_first(p);
  if (!t.with_bitmap) p.skip(2);
  t.size = read_point_y_first(p);
  t.dest = read_point_y_first(p);
  if (t.with_bitmap) {
    t.bitmap = read_bitmap16(p);
    t.pixels = p;
  }
  if (p.failed()) return 0;  // the bitmap form cut inside its header
  *out = t;
  return record.size_bytes;
}

uint32_t decode_point_list(const Record& record, uint8_t type, PointList* out) {
  if (!holds_minimum(record, type)) return 0;
  ByteReader p = record.params;
  PointList list;
  list.count = p.u16();
  list.points = claimed(p, 4u * list.count);
  *out = list;
  return record.size_bytes;
}

}  // namespace

Point16 read_point(ByteReader& r) {
  const int16_t x = r.i16();
  return {x, r.i16()};
}

ColorRef read_colour(ByteReader& r) {
  ColorRef c;
  c.red = r.u8();
  c.green = r.u8();
  c.blue = r.u8();
  c.reserved = r.u8();
  return c;
}

Point16 load_point(const uint8_t* at) {
  ByteReader r(at, sizeof(Point16));
  return read_point(r);
}

BrushObject load_brush(const uint8_t* at) {
  ByteReader r(at, sizeof(BrushObject));
  return read_brush(r);
}

FontObject load_font(const uint8_t* at) {
  ByteReader r(at, sizeof(FontObject));
  return read_font(r);
}

size_t copy_string(ByteReader text, size_t max_length, char* out, size_t capacity) {
  if (!out || capacity == 0) return 0;
  const size_t limit = std::min({text.left(), max_length, capacity - 1});
  size_t n = 0;
  for (; n < limit; ++n) {
    const uint8_t c = text.u8();
    if (c == 0) break;
    out[n] = static_cast<char>(c);
  }
  out[n] = '\0';
  return n;
}

// Reader forms.

uint32_t decode_SETBKCOLOR(const Record& record, ColorRef* colour) {
  return decode_one(record, U_WMR_SETBKCOLOR, colour, read_colour);
}

uint32_t decode_SETMAPMODE(const Record& record, uint16_t* mode) {
  return decode_one(record, U_WMR_SETMAPMODE, mode, read_word);
}

uint32_t decode_SETPOLYFILLMODE(const Record& record, uint16_t* mode) {
  return decode_one(record, U_WMR_SETPOLYFILLMODE, mode, read_word);
}

uint32_t decode_SETTEXTCOLOR(const Record& record, ColorRef* colour) {
  return decode_one(record, U_WMR_SETTEXTCOLOR, colour, read_colour);
}

uint32_t decode_SETWINDOWEXT(const Record& record, Point16* extent) {
  return decode_one(record, U_WMR_SETWINDOWEXT, extent, read_point_y_first);
}

uint32_t decode_LINETO(const Record& record, Point16* point) {
  return decode_one(record, U_WMR_LINETO, point, read_point_y_first);
}

uint32_t decode_MOVETO(const Record& record, Point16* point) {
  return decode_one(record, U_WMR_MOVETO, point, read_point_y_first);
}

uint32_t decode_INTERSECTCLIPRECT(const Record& record, Rect16* rect) {
  return decode_one(record, U_WMR_INTERSECTCLIPRECT, rect, read_rect_reversed);
}

uint32_t decode_ELLIPSE(const Record& record, Rect16* rect) {
  return decode_one(record, U_WMR_ELLIPSE, rect, read_rect_reversed);
}

uint32_t decode_RECTANGLE(const Record& record, Rect16* rect) {
  return decode_one(record, U_WMR_RECTANGLE, rect, read_rect_reversed);
}

uint32_t decode_ROUNDRECT(const Record& record, int16_t* corner_width, int16_t* corner_height,
                          Rect16* rect) {
  if (!holds_minimum(record, U_WMR_ROUNDRECT)) return 0;
  ByteReader p = record.params;
  const int16_t height = p.i16();
  *corner_width = p.i16();
  *corner_height = height;
  *rect = read_rect_reversed(p);
  return record.size_bytes;
}

uint32_t decode_PATBLT(const Record& record, Point16* dest, Point16* size, uint32_t* rop) {
  if (!holds_minimum(record, U_WMR_PATBLT)) return 0;
  ByteReader p = record.params;
  const uint32_t operation = p.u32();
  const Point16 extent = read_point_y_first(p);
  *dest = read_point_y_first(p);
  *size = extent;
  *rop = operation;
  return record.size_bytes;
}

// The record must hold its length word, the string padded to even, and the
// start point after it; a negative length places the point nowhere.
uint32_t decode_TEXTOUT(const Record& record, TextOut* text) {
  if (!holds_minimum(record, U_WMR_TEXTOUT)) return 0;
  ByteReader p = record.params;
  TextOut t;
  t.length = p.i16();
  if (t.length < 0) return 0;
  t.string = p.sub(size_t(t.length));
  p.skip(size_t(t.length & 1));
  t.start = read_point_y_first(p);
  if (p.failed()) return 0;
  *text = t;
  return record.size_bytes;
}

uint32_t decode_BITBLT(const Record& record, BitTransfer* transfer) {
  return decode_transfer(record, U_WMR_BITBLT, false, transfer);
}

uint32_t decode_STRETCHBLT(const Record& record, BitTransfer* transfer) {
  return decode_transfer(record, U_WMR_STRETCHBLT, true, transfer);
}

uint32_t decode_POLYGON(const Record& record, PointList* list) {
  return decode_point_list(record, U_WMR_POLYGON, list);
}

uint32_t decode_POLYLINE(const Record& record, PointList* list) {
  return decode_point_list(record, U_WMR_POLYLINE, list);
}

uint32_t decode_ESCAPE(const Record& record, Escape* escape) {
  if (!holds_minimum(record, U_WMR_ESCAPE)) return 0;
  ByteReader p = record.params;
  Escape e;
  e.function = p.u16();
  e.byte_count = p.u16();
  e.data = claimed(p, e.byte_count);
  *escape = e;
  return record.size_bytes;
}

uint32_t decode_SETTEXTALIGN(const Record& record, uint16_t* align) {
  return decode_one(record, U_WMR_SETTEXTALIGN, align, read_word);
}

// Counts past the record's end are cut off, and the points then start at
// the record's end: none.
uint32_t decode_POLYPOLYGON(const Record& record, PolygonSet* set) {
  if (!holds_minimum(record, U_WMR_POLYPOLYGON)) return 0;
  ByteReader p = record.params;
  PolygonSet s;
  s.polygons = p.u16();
  s.counts = claimed(p, 2u * s.polygons);
  s.points = p;
  *set = s;
  return record.size_bytes;
}

uint32_t decode_CREATEPENINDIRECT(const Record& record, PenObject* pen) {
  if (!holds_minimum(record, U_WMR_CREATEPENINDIRECT)) return 0;
  ByteReader p = record.params;
  PenObject made;
  made.style = p.u16();
  made.width = read_point(p);
  made.colour = read_colour(p);
  *pen = made;
  return record.size_bytes;
}

uint32_t decode_CREATEFONTINDIRECT(const Record& record, FontRecord* font) {
  if (!holds_minimum(record, U_WMR_CREATEFONTINDIRECT)) return 0;
  ByteReader p = record.params;
  FontRecord f;
  f.font = read_font(p);
  f.face = p;
  *font = f;
  return record.size_bytes;
}

uint32_t decode_CREATEBRUSHINDIRECT(const Record& record, BrushObject* brush) {
  return decode_one(record, U_WMR_CREATEBRUSHINDIRECT, brush, read_brush);
}

// Address forms: the reader forms on the record at `record`, their arrays
// handed back as the addresses where they begin.

uint32_t decode_SETBKCOLOR(const uint8_t* record, ColorRef* colour) {
  return decode_SETBKCOLOR(record_at(record), colour);
}

uint32_t decode_SETMAPMODE(const uint8_t* record, uint16_t* mode) {
  return decode_SETMAPMODE(record_at(record), mode);
}

uint32_t decode_SETPOLYFILLMODE(const uint8_t* record, uint16_t* mode) {
  return decode_SETPOLYFILLMODE(record_at(record), mode);
}

uint32_t decode_SETTEXTCOLOR(const uint8_t* record, ColorRef* colour) {
  return decode_SETTEXTCOLOR(record_at(record), colour);
}

uint32_t decode_SETWINDOWEXT(const uint8_t* record, Point16* extent) {
  return decode_SETWINDOWEXT(record_at(record), extent);
}

uint32_t decode_LINETO(const uint8_t* record, Point16* point) {
  return decode_LINETO(record_at(record), point);
}

uint32_t decode_MOVETO(const uint8_t* record, Point16* point) {
  return decode_MOVETO(record_at(record), point);
}

uint32_t decode_INTERSECTCLIPRECT(const uint8_t* record, Rect16* rect) {
  return decode_INTERSECTCLIPRECT(record_at(record), rect);
}

uint32_t decode_ELLIPSE(const uint8_t* record, Rect16* rect) {
  return decode_ELLIPSE(record_at(record), rect);
}

uint32_t decode_RECTANGLE(const uint8_t* record, Rect16* rect) {
  return decode_RECTANGLE(record_at(record), rect);
}

uint32_t decode_ROUNDRECT(const uint8_t* record, int16_t* corner_width, int16_t* corner_height,
                          Rect16* rect) {
  return decode_ROUNDRECT(record_at(record), corner_width, corner_height, rect);
}

uint32_t decode_PATBLT(const uint8_t* record, Point16* dest, Point16* size, uint32_t* rop) {
  return decode_PATBLT(record_at(record), dest, size, rop);
}

uint32_t decode_TEXTOUT(const uint8_t* record, Point16* start, int16_t* length,
                        const uint8_t** string) {
  TextOut text;
  const uint32_t size = decode_TEXTOUT(record_at(record), &text);
  if (size == 0) return 0;
  *start = text.start;
  *length = text.length;
  *string = record + RECORD_HEADER_SIZE + 2;
  return size;
}

uint32_t decode_BITBLT(const uint8_t* record, Point16* dest, Point16* size_out, Point16* source,
                       uint32_t* rop, Bitmap16Header* bitmap, const uint8_t** pixels) {
  BitTransfer t;
  const uint32_t size = decode_BITBLT(record_at(record), &t);
  if (size == 0) return 0;
  *dest = t.dest;
  *size_out = t.size;
  *source = t.source;
  *rop = t.rop;
  *bitmap = t.bitmap;
  *pixels = t.with_bitmap ? record + BITBLT_PIXELS_AT : nullptr;
  return size;
}

uint32_t decode_STRETCHBLT(const uint8_t* record, Point16* dest, Point16* dest_size,
                           Point16* source, Point16* source_size, uint32_t* rop,
                           Bitmap16Header* bitmap, const uint8_t** pixels) {
  BitTransfer t;
  const uint32_t size = decode_STRETCHBLT(record_at(record), &t);
  if (size == 0) return 0;
  *dest = t.dest;
  *dest_size = t.size;
  *source = t.source;
  *source_size = t.source_size;
  *rop = t.rop;
  *bitmap = t.bitmap;
  *pixels = t.with_bitmap ? record + STRETCHBLT_PIXELS_AT : nullptr;
  return size;
}

uint32_t decode_POLYGON(const uint8_t* record, uint16_t* count, const uint8_t** points) {
  PointList list;
  const uint32_t size = decode_POLYGON(record_at(record), &list);
  if (size == 0) return 0;
  *count = list.count;
  *points = record + RECORD_HEADER_SIZE + 2;
  return size;
}

uint32_t decode_POLYLINE(const uint8_t* record, uint16_t* count, const uint8_t** points) {
  return decode_POLYGON(record, count, points);
}

uint32_t decode_ESCAPE(const uint8_t* record, uint16_t* function, uint16_t* byte_count,
                       const uint8_t** data) {
  Escape escape;
  const uint32_t size = decode_ESCAPE(record_at(record), &escape);
  if (size == 0) return 0;
  *function = escape.function;
  *byte_count = escape.byte_count;
  *data = record + RECORD_HEADER_SIZE + 4;
  return size;
}

uint32_t decode_SETTEXTALIGN(const uint8_t* record, uint16_t* align) {
  return decode_SETTEXTALIGN(record_at(record), align);
}

// When the counts claim more than the record holds, the points' address is
// the record's end: an address inside (or just past) the record where no
// points are, instead of one far beyond the buffer.
uint32_t decode_POLYPOLYGON(const uint8_t* record, uint16_t* polygons, const uint8_t** counts,
                            const uint8_t** points) {
  PolygonSet set;
  const uint32_t size = decode_POLYPOLYGON(record_at(record), &set);
  if (size == 0) return 0;
  *polygons = set.polygons;
  *counts = record + RECORD_HEADER_SIZE + 2;
  *points = *counts + set.counts.left();
  return size;
}

uint32_t decode_CREATEPENINDIRECT(const uint8_t* record, PenObject* pen) {
  return decode_CREATEPENINDIRECT(record_at(record), pen);
}

uint32_t decode_CREATEFONTINDIRECT(const uint8_t* record, const uint8_t** font) {
  FontRecord f;
  const uint32_t size = decode_CREATEFONTINDIRECT(record_at(record), &f);
  if (size) *font = record + RECORD_HEADER_SIZE;
  return size;
}

uint32_t decode_CREATEBRUSHINDIRECT(const uint8_t* record, const uint8_t** brush) {
  BrushObject b;
  const uint32_t size = decode_CREATEBRUSHINDIRECT(record_at(record), &b);
  if (size) *brush = record + RECORD_HEADER_SIZE;
  return size;
}

}  // namespace vellum
