// The record field types and the 23 record decoders. A decoder checks only
// the record's minimum size (from the record-type table), writes its outputs
// in a fixed order and returns the record's size in bytes (0 when it refuses
// the record, outputs then untouched).
//
// Each decoder comes in two forms. The reader form takes a Record (as the
// walk yields it, or record_at for an address) and fills a plain struct
// whose arrays, strings and bitmap rows are readers over the bytes the
// record really holds: counted data may claim more than that, and what lies
// past the record's end is out of reach. The address form keeps the
// original outputs (addresses inside the record) and reads through the
// reader form.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/byte_reader.h"
#include "metafile/record_walk.h"

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

// Unaligned-safe loads of the types from an address inside a record (for
// the addresses the address-form decoders hand out).
Point16 load_point(const uint8_t* at);           // x at 0, y at 2
BrushObject load_brush(const uint8_t* at);
FontObject load_font(const uint8_t* at);

// Fields read from a record's parameters, in the reader's byte order.
Point16 read_point(ByteReader& r);               // x first, as in point arrays
ColorRef read_colour(ByteReader& r);

// What counted data a record holds. `count`-like fields are as the record
// claims them; each reader covers the part of the claim that lies inside
// the record, so a consumer reads whole items while they are left.
struct PointList {            // POLYGON, POLYLINE
  uint16_t count;
  ByteReader points;          // Point16s, x first
};
struct PolygonSet {           // POLYPOLYGON
  uint16_t polygons;
  ByteReader counts;          // one u16 point count per polygon
  ByteReader points;          // all polygons' points, one after another
};
struct TextOut {              // TEXTOUT; the whole string lies inside
  Point16 start;
  int16_t length;
  ByteReader string;
};
struct Escape {
  uint16_t function;
  uint16_t byte_count;
  ByteReader data;
};
struct BitTransfer {          // BITBLT (source_size 0) and STRETCHBLT
  Point16 dest, size, source, source_size;
  uint32_t rop;
  bool with_bitmap;
  Bitmap16Header bitmap;      // zero without bitmap
  ByteReader pixels;          // the rest of the record after the header
};
struct FontRecord {
  FontObject font;
  ByteReader face;            // from the face name to the record's end
};

// Copies a NUL-terminated byte string from `text` into out (capacity > 0,
// always terminated): stops at a NUL, after `max_length` bytes, at
// capacity - 1, or where the reader ends. Returns the bytes copied.
size_t copy_string(ByteReader text, size_t max_length, char* out, size_t capacity);

// Reader forms.
uint32_t decode_SETBKCOLOR(const Record& record, ColorRef* colour);
uint32_t decode_SETMAPMODE(const Record& record, uint16_t* mode);
uint32_t decode_SETPOLYFILLMODE(const Record& record, uint16_t* mode);
uint32_t decode_SETTEXTCOLOR(const Record& record, ColorRef* colour);
uint32_t decode_SETWINDOWEXT(const Record& record, Point16* extent);
uint32_t decode_LINETO(const Record& record, Point16* point);
uint32_t decode_MOVETO(const Record& record, Point16* point);
uint32_t decode_INTERSECTCLIPRECT(const Record& record, Rect16* rect);
uint32_t decode_ELLIPSE(const Record& record, Rect16* rect);
uint32_t decode_RECTANGLE(const Record& record, Rect16* rect);
uint32_t decode_ROUNDRECT(const Record& record, int16_t* corner_width, int16_t* corner_height,
                          Rect16* rect);
uint32_t decode_PATBLT(const Record& record, Point16* dest, Point16* size, uint32_t* rop);
uint32_t decode_TEXTOUT(const Record& record, TextOut* text);
uint32_t decode_BITBLT(const Record& record, BitTransfer* transfer);
uint32_t decode_STRETCHBLT(const Record& record, BitTransfer* transfer);
uint32_t decode_POLYGON(const Record& record, PointList* list);
uint32_t decode_POLYLINE(const Record& record, PointList* list);
uint32_t decode_ESCAPE(const Record& record, Escape* escape);
uint32_t decode_SETTEXTALIGN(const Record& record, uint16_t* align);
uint32_t decode_POLYPOLYGON(const Record& record, PolygonSet* set);
uint32_t decode_CREATEPENINDIRECT(const Record& record, PenObject* pen);
uint32_t decode_CREATEFONTINDIRECT(const Record& record, FontRecord* font);
uint32_t decode_CREATEBRUSHINDIRECT(const Record& record, BrushObject* brush);

// Address forms, on a record that bounded_record_size has accepted.

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
