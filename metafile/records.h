// The record field types and the 23 record decoders. A decoder checks only
// the record's minimum size, writes its outputs in a fixed order and returns
// the record's size in bytes (0 when it refuses the record, outputs then
// untouched). Arrays, strings and bitmap rows are handed back as addresses
// inside the record; such counted data may claim more than the record
// holds, so every consumer reads it through a RecordSpan (record_span.h).
#pragma once

#include <cstdint>

namespace vellum {

struct Point16 { int16_t x, y; };
struct Rect16 { int16_t left, top, right, bottom; };
struct ColorRef { uint8_t red, green, blue, reserved; };

#pragma pack(push, 2)
struct PenObject {
  uint16_t style;
  Point16 width;  // x is the pen width
  ColorRef colour;
};
struct BrushObject {
  uint16_t style;
  ColorRef colour;
  uint16_t hatch;
};
// The fixed 18 bytes; the face name follows at 18, up to the record's end.
struct FontObject {
  int16_t height, width, escapement, orientation, weight;
  uint8_t italic, underline, strike_out, charset;
  uint8_t out_precision, clip_precision, quality, pitch_and_family;
};
struct Bitmap16Header {
  int16_t type, width, height, bytes_per_row;
  uint8_t planes, bits_per_pixel;
};
#pragma pack(pop)
static_assert(sizeof(PenObject) == 10 && sizeof(BrushObject) == 8);
static_assert(sizeof(FontObject) == 18 && sizeof(Bitmap16Header) == 10);

inline constexpr uint32_t FONT_FACE_OFFSET = 18;  // within the FontObject

// Unaligned-safe loads of the types from an address inside a record.
Point16 load_point(const uint8_t* at);           // x at 0, y at 2
BrushObject load_brush(const uint8_t* at);
FontObject load_font(const uint8_t* at);

uint32_t decode_SETBKCOLOR(const uint8_t* record, ColorRef* colour);
uint32_t decode_SETMAPMODE(const uint8_t* record, uint16_t* mode);
uint32_t decode_SETPOLYFILLMODE(const uint8_t* record, uint16_t* mode);
uint32_t decode_SETTEXTCOLOR(const uint8_t* record, ColorRef* colour);
uint32_t decode_SETWINDOWEXT(const uint8_t* record, Point16* extent);
uint32_t decode_LINETO(const uint8_t* record, Point16* point);
uint32_t decode_MOVETO(const uint8_t* record, Point16* point);
uint32_t decode_INTERSECTCLIPRECT(const uint8_t* record, Rect16* rect);
uint32_t decode_ELLIPSE(const uint8_t* record, Rect16* rect);
uint32_t decode_RECTANGLE(const uint8_t* record, Rect16* rect);
uint32_t decode_ROUNDRECT(const uint8_t* record, int16_t* corner_width,
                          int16_t* corner_height, Rect16* rect);
uint32_t decode_PATBLT(const uint8_t* record, Point16* dest, Point16* size, uint32_t* rop);
// TEXTOUT needs 12 bytes + its length padded to even (the length word, the
// string and the start point after it); a negative length is refused.
uint32_t decode_TEXTOUT(const uint8_t* record, Point16* start, int16_t* length,
                        const uint8_t** string);
// The two transfers: the form without bitmap has parameter count + 3 words
// (minimum 24 and 28 bytes); the bitmap form must hold its whole
// Bitmap16Header (minimum 32 and 36 bytes), pixels from 32 and 36.
uint32_t decode_BITBLT(const uint8_t* record, Point16* dest, Point16* size, Point16* source,
                       uint32_t* rop, Bitmap16Header* bitmap, const uint8_t** pixels);
uint32_t decode_STRETCHBLT(const uint8_t* record, Point16* dest, Point16* dest_size,
                           Point16* source, Point16* source_size, uint32_t* rop,
                           Bitmap16Header* bitmap, const uint8_t** pixels);
uint32_t decode_POLYGON(const uint8_t* record, uint16_t* count, const uint8_t** points);
uint32_t decode_POLYLINE(const uint8_t* record, uint16_t* count, const uint8_t** points);
uint32_t decode_ESCAPE(const uint8_t* record, uint16_t* function, uint16_t* byte_count,
                       const uint8_t** data);
uint32_t decode_SETTEXTALIGN(const uint8_t* record, uint16_t* align);
// When 8 + 2 x polygons lies past the record, `points` is the record's end.
uint32_t decode_POLYPOLYGON(const uint8_t* record, uint16_t* polygons,
                            const uint8_t** counts, const uint8_t** points);
uint32_t decode_CREATEPENINDIRECT(const uint8_t* record, PenObject* pen);
uint32_t decode_CREATEFONTINDIRECT(const uint8_t* record, const uint8_t** font);
uint32_t decode_CREATEBRUSHINDIRECT(const uint8_t* record, const uint8_t** brush);

}  // namespace vellum
