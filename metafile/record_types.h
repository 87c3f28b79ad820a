// Every WMF record type in one table: its function word, its name, how the
// byte-order conversion treats it, and the smallest size a record of it can
// have. The U_WMR_ constants, record_type_name, the conversion's family per
// type and the decoders' minimum sizes are all derived from this one list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace vellum {

// How the byte-order conversion treats a record after its size field
// (record_conversion.cpp has the layout of each).
enum class ConversionFamily : uint8_t {
  size_only, words1, words2, words4, words6, words8, dword, colour_point, mode_colour_point,
  patblt, point_list, polygon_list, textout, exttextout, escape, bitblt, stretchblt,
  dib_bitblt, dib_stretchblt, setdibtodev, stretchdib, dib_pattern_brush, palette,
  pattern_brush, pen, font, brush, region,
};

// X(NAME, function word, conversion family, minimum record bytes), by type
// byte (the function's low byte). The minimum is the 6-byte header and the
// fixed parameters before any counted data (strings, arrays, bitmaps); for
// BITBLT and STRETCHBLT that of the form without bitmap, for a font the
// fixed part and one word of face name, for TEXTOUT an empty string. Type
// values missing here have no record name and convert their size only.
#define VELLUM_WMF_RECORD_TYPES(X)                                  \
  X(U_WMR_EOF, 0x0000, size_only, 6)                                \
  X(U_WMR_SETBKCOLOR, 0x0201, size_only, 10)                        \
  X(U_WMR_SETBKMODE, 0x0102, words1, 8)                             \
  X(U_WMR_SETMAPMODE, 0x0103, words1, 8)                            \
  X(U_WMR_SETROP2, 0x0104, words1, 8)                               \
  X(U_WMR_SETRELABS, 0x0105, size_only, 6)                          \
  X(U_WMR_SETPOLYFILLMODE, 0x0106, words1, 8)                       \
  X(U_WMR_SETSTRETCHBLTMODE, 0x0107, words1, 8)                     \
  X(U_WMR_SETTEXTCHAREXTRA, 0x0108, words1, 8)                      \
  X(U_WMR_SETTEXTCOLOR, 0x0209, size_only, 10)                      \
  X(U_WMR_SETTEXTJUSTIFICATION, 0x020A, words2, 10)                 \
  X(U_WMR_SETWINDOWORG, 0x020B, words2, 10)                         \
  X(U_WMR_SETWINDOWEXT, 0x020C, words2, 10)                         \
  X(U_WMR_SETVIEWPORTORG, 0x020D, words2, 10)                       \
  X(U_WMR_SETVIEWPORTEXT, 0x020E, words2, 10)                       \
  X(U_WMR_OFFSETWINDOWORG, 0x020F, words2, 10)                      \
  X(U_WMR_SCALEWINDOWEXT, 0x0410, words4, 14)                       \
  X(U_WMR_OFFSETVIEWPORTORG, 0x0211, words2, 10)                    \
  X(U_WMR_SCALEVIEWPORTEXT, 0x0412, words4, 14)                     \
  X(U_WMR_LINETO, 0x0213, words2, 10)                               \
  X(U_WMR_MOVETO, 0x0214, words2, 10)                               \
  X(U_WMR_EXCLUDECLIPRECT, 0x0415, words4, 14)                      \
  X(U_WMR_INTERSECTCLIPRECT, 0x0416, words4, 14)                    \
  X(U_WMR_ARC, 0x0817, words8, 22)                                  \
  X(U_WMR_ELLIPSE, 0x0418, words4, 14)                              \
  X(U_WMR_FLOODFILL, 0x0419, colour_point, 14)                      \
  X(U_WMR_PIE, 0x081A, words8, 22)                                  \
  X(U_WMR_RECTANGLE, 0x041B, words4, 14)                            \
  X(U_WMR_ROUNDRECT, 0x061C, words6, 18)                            \
  X(U_WMR_PATBLT, 0x061D, patblt, 18)                               \
  X(U_WMR_SAVEDC, 0x001E, size_only, 6)                             \
  X(U_WMR_SETPIXEL, 0x041F, colour_point, 14)                       \
  X(U_WMR_OFFSETCLIPRGN, 0x0220, words2, 10)                        \
  X(U_WMR_TEXTOUT, 0x0521, textout, 12)                             \
  X(U_WMR_BITBLT, 0x0922, bitblt, 24)                               \
  X(U_WMR_STRETCHBLT, 0x0B23, stretchblt, 28)                       \
  X(U_WMR_POLYGON, 0x0324, point_list, 10)                          \
  X(U_WMR_POLYLINE, 0x0325, point_list, 10)                         \
  X(U_WMR_ESCAPE, 0x0626, escape, 10)                               \
  X(U_WMR_RESTOREDC, 0x0127, words1, 8)                             \
  X(U_WMR_FILLREGION, 0x0228, words2, 10)                           \
  X(U_WMR_FRAMEREGION, 0x0429, words4, 14)                          \
  X(U_WMR_INVERTREGION, 0x012A, words1, 8)                          \
  X(U_WMR_PAINTREGION, 0x012B, words1, 8)                           \
  X(U_WMR_SELECTCLIPREGION, 0x012C, words1, 8)                      \
  X(U_WMR_SELECTOBJECT, 0x012D, words1, 8)                          \
  X(U_WMR_SETTEXTALIGN, 0x012E, words1, 8)                          \
  X(U_WMR_DRAWTEXT, 0x062F, size_only, 6)                           \
  X(U_WMR_CHORD, 0x0830, words8, 22)                                \
  X(U_WMR_SETMAPPERFLAGS, 0x0231, dword, 10)                        \
  X(U_WMR_EXTTEXTOUT, 0x0A32, exttextout, 14)                       \
  X(U_WMR_SETDIBTODEV, 0x0D33, setdibtodev, 24)                     \
  X(U_WMR_SELECTPALETTE, 0x0234, words1, 8)                         \
  X(U_WMR_REALIZEPALETTE, 0x0035, size_only, 6)                     \
  X(U_WMR_ANIMATEPALETTE, 0x0436, palette, 10)                      \
  X(U_WMR_SETPALENTRIES, 0x0037, palette, 10)                       \
  X(U_WMR_POLYPOLYGON, 0x0538, polygon_list, 10)                    \
  X(U_WMR_RESIZEPALETTE, 0x0139, words1, 8)                         \
  X(U_WMR_DIBBITBLT, 0x0940, dib_bitblt, 24)                        \
  X(U_WMR_DIBSTRETCHBLT, 0x0B41, dib_stretchblt, 28)                \
  X(U_WMR_DIBCREATEPATTERNBRUSH, 0x0142, dib_pattern_brush, 10)     \
  X(U_WMR_STRETCHDIB, 0x0F43, stretchdib, 28)                       \
  X(U_WMR_EXTFLOODFILL, 0x0548, mode_colour_point, 16)              \
  X(U_WMR_DELETEOBJECT, 0x01F0, words1, 8)                          \
  X(U_WMR_CREATEPALETTE, 0x00F7, palette, 10)                       \
  X(U_WMR_CREATEBRUSH, 0x00F8, size_only, 6)                        \
  X(U_WMR_CREATEPATTERNBRUSH, 0x01F9, pattern_brush, 16)            \
  X(U_WMR_CREATEPENINDIRECT, 0x02FA, pen, 16)                       \
  X(U_WMR_CREATEFONTINDIRECT, 0x02FB, font, 26)                     \
  X(U_WMR_CREATEBRUSHINDIRECT, 0x02FC, brush, 14)                   \
  X(U_WMR_CREATEBITMAPINDIRECT, 0x02FD, size_only, 6)               \
  X(U_WMR_CREATEBITMAP, 0x06FE, size_only, 6)                       \
  X(U_WMR_CREATEREGION, 0x06FF, region, 28)

// The record type constants: the type byte of each function.
enum RecordType : uint8_t {
#define VELLUM_RECORD_TYPE_CONSTANT(name, function, family, minimum) name = uint8_t(function),
  VELLUM_WMF_RECORD_TYPES(VELLUM_RECORD_TYPE_CONSTANT)
#undef VELLUM_RECORD_TYPE_CONSTANT
};

struct RecordTypeInfo {
  uint16_t function;         // the whole function word; its low byte is the type
  const char* name;          // "U_WMR_" and the record name
  ConversionFamily family;
  uint32_t minimum_bytes;    // header and fixed parameters
  constexpr uint8_t type() const { return uint8_t(function); }
};

inline constexpr RecordTypeInfo RECORD_TYPES[] = {
#define VELLUM_RECORD_TYPE_ENTRY(name, function, family, minimum) \
  {function, #name, ConversionFamily::family, minimum},
    VELLUM_WMF_RECORD_TYPES(VELLUM_RECORD_TYPE_ENTRY)
#undef VELLUM_RECORD_TYPE_ENTRY
};

constexpr bool record_types_sorted_and_unique() {
  for (size_t i = 1; i < std::size(RECORD_TYPES); ++i)
    if (RECORD_TYPES[i - 1].type() >= RECORD_TYPES[i].type()) return false;
  return true;
}
static_assert(record_types_sorted_and_unique(), "one entry per type byte, in order");

// The index in RECORD_TYPES of a type byte, or of a whole function word
// (a value above 0xFF); -1 for a value without a record name.
constexpr int record_type_index(uint32_t value) {
  for (size_t i = 0; i < std::size(RECORD_TYPES); ++i) {
    const RecordTypeInfo& info = RECORD_TYPES[i];
    if (value <= 0xFF ? info.type() == value : info.function == value) return int(i);
  }
  return -1;
}

// The entry for a type byte, or null for a value without a record name.
constexpr const RecordTypeInfo* find_record_type(uint8_t type) {
  const int i = record_type_index(type);
  return i < 0 ? nullptr : &RECORD_TYPES[i];
}

// The smallest record of a type, in bytes; the bare header for unnamed values.
constexpr uint32_t record_minimum_bytes(uint8_t type) {
  const int i = record_type_index(type);
  return i < 0 ? 6 : RECORD_TYPES[i].minimum_bytes;
}

// Whether a dispatch table fits the record types: each entry's type (the
// value `type_of` takes from it: a type byte, or a whole function word) is a
// named record type, and the entries are sorted by it without repeats. Every
// player's dispatch table is checked with it at compile time:
//   static_assert(dispatch_table_fits_record_types(TABLE, [](auto& e) { return e.type; }));
template <typename Entry, size_t N, typename TypeOf>
constexpr bool dispatch_table_fits_record_types(const Entry (&table)[N], TypeOf type_of) {
  for (size_t i = 0; i < N; ++i) {
    const uint32_t value = type_of(table[i]);
    if (record_type_index(value) < 0) return false;
    if (i > 0 && uint32_t(type_of(table[i - 1])) >= value) return false;
  }
  return true;
}

}  // namespace vellum
