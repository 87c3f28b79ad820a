// Which bytes of each record type are 16-bit words, 32-bit values or byte
// data, and their conversion. Every conversion goes through a BoundedSwapper
// limited to the record, so counts that claim more than the record holds
// convert only what lies inside it.
#include <array>

#include "metafile/bounded_swapper.h"
#include "metafile/record_types.h"

namespace vellum {
namespace {

using Family = ConversionFamily;

// The family of every type byte, from the record-type table; values
// without a record name convert their size only.
constexpr std::array<Family, 256> make_family_table() {
  std::array<Family, 256> table{};
  for (const RecordTypeInfo& info : RECORD_TYPES) table[info.type()] = info.family;
  return table;
}

constexpr std::array<Family, 256> FAMILIES = make_family_table();

constexpr size_t padded(int32_t length) { return static_cast<size_t>(length + (length & 1)); }

// The first four words of a Bitmap16Header: type, width, height, bytes per
// row. Its plane and depth bytes and the pixels after it are byte data.
void convert_bitmap16(BoundedSwapper& r, size_t at) { r.words(at, 4); }

// A bitmap information header, by its own length: the 12-byte core header
// or the 40-byte information header (longer successors convert these 40).
void convert_bitmap_info(BoundedSwapper& r, size_t at) {
  uint32_t length = 0;
  if (!r.read_u32(at, &length)) return;
  if (length == 12) {
    r.dwords(at, 1);
    r.words(at + 4, 4);
  } else {
    r.dwords(at, 3);
    r.words(at + 12, 2);
    r.dwords(at + 16, 6);
  }
}

void convert_polygon_list(BoundedSwapper& r) {
  uint16_t polygons = 0;
  if (!r.read_u16(6, &polygons)) return;
  r.words(6, 1);
  uint64_t points = 0;
  for (size_t i = 0; i < polygons; ++i) {
    uint16_t count = 0;
    if (!r.read_u16(8 + 2 * i, &count)) break;  // the rest lies past the record
    points += count;
  }
  r.words(8, polygons);
  r.words(8 + 2u * polygons, 2 * points);
}

// A negative string length gives no position for what follows the string:
// only the fixed fields before it are converted.
void convert_textout(BoundedSwapper& r) {
  int16_t length = 0;
  if (!r.read_i16(6, &length)) return;
  r.words(6, 1);
  if (length >= 0) r.words(8 + padded(length), 2);
}

void convert_exttextout(BoundedSwapper& r) {
  int16_t length = 0;
  uint16_t options = 0;
  const bool readable = r.read_i16(10, &length) && r.read_u16(12, &options);
  r.words(6, 4);  // y, x, length, options
  if (!readable) return;
  size_t string = 14;
  if (options & 0x0006) {  // opaque or clipped: a rectangle precedes the string
    r.words(14, 4);
    string = 22;
  }
  // The spacing array is optional: BoundedSwapper keeps a missing one untouched.
  if (length >= 0) r.words(string + padded(length), static_cast<uint64_t>(length));
}

void convert_escape(BoundedSwapper& r) {
  uint16_t function = 0;
  const bool readable = r.read_u16(6, &function);
  r.words(6, 2);  // escape function, byte count
  // Line cap, line join and miter limit carry one 32-bit value.
  if (readable && function >= 21 && function <= 23) r.dwords(10, 1);
}

// BITBLT and STRETCHBLT come with or without a bitmap; the form without one
// has exactly parameter count + 3 words. `fixed` words follow the raster
// operation in the form without bitmap, one fewer in the form with one.
void convert_transfer(BoundedSwapper& r, uint32_t size_words, uint8_t parameter_count,
                      size_t fixed, bool device_independent) {
  r.dwords(6, 1);
  if (size_words == parameter_count + 3u) {
    r.words(10, fixed);
    return;
  }
  r.words(10, fixed - 1);
  const size_t bitmap = 10 + 2 * (fixed - 1);
  if (device_independent) {
    convert_bitmap_info(r, bitmap);
  } else {
    convert_bitmap16(r, bitmap);
  }
}

void convert_dib_pattern_brush(BoundedSwapper& r) {
  uint16_t style = 0;
  const bool readable = r.read_u16(6, &style);
  r.words(6, 2);  // style, colour usage
  if (!readable) return;
  if (style == 3) {
    convert_bitmap16(r, 10);
  } else {
    convert_bitmap_info(r, 10);
  }
}

// The region object at offset 6 as the standard lays it out: two words, a
// 32-bit object count, then nothing but 16-bit words (region size, scan
// count, largest scan, bounding box, and the scans). Everything after the
// count is converted up to the record's end, so no length is trusted.
void convert_region(BoundedSwapper& r) {
  r.words(6, 2);
  r.dwords(10, 1);
  r.words_to_end(14);
}

}  // namespace

void convert_record_body(BoundedSwapper& r, uint8_t type, uint8_t parameter_count,
                         uint32_t size_words) {
  switch (FAMILIES[type]) {
    case Family::size_only: return;
    case Family::words1: return r.words(6, 1);
    case Family::words2: return r.words(6, 2);
    case Family::words4: return r.words(6, 4);
    case Family::words6: return r.words(6, 6);
    case Family::words8: return r.words(6, 8);
    case Family::dword: return r.dwords(6, 1);
    case Family::colour_point: return r.words(10, 2);
    case Family::mode_colour_point:
      r.words(6, 1);
      return r.words(12, 2);
    case Family::patblt:
      r.dwords(6, 1);
      return r.words(10, 4);
    case Family::point_list: {
      uint16_t count = 0;
      if (!r.read_u16(6, &count)) return;
      r.words(6, 1);
      return r.words(8, 2u * count);
    }
    case Family::polygon_list: return convert_polygon_list(r);
    case Family::textout: return convert_textout(r);
    case Family::exttextout: return convert_exttextout(r);
    case Family::escape: return convert_escape(r);
    case Family::bitblt: return convert_transfer(r, size_words, parameter_count, 7, false);
    case Family::stretchblt: return convert_transfer(r, size_words, parameter_count, 9, false);
    case Family::dib_bitblt: return convert_transfer(r, size_words, parameter_count, 7, true);
    case Family::dib_stretchblt: return convert_transfer(r, size_words, parameter_count, 9, true);
    case Family::setdibtodev:
      r.words(6, 9);
      return convert_bitmap_info(r, 24);
    case Family::stretchdib:
      r.dwords(6, 1);
      r.words(10, 9);
      return convert_bitmap_info(r, 28);
    case Family::dib_pattern_brush: return convert_dib_pattern_brush(r);
    case Family::palette: return r.words(6, 2);
    case Family::pattern_brush: return convert_bitmap16(r, 6);
    case Family::pen: return r.words(6, 3);
    case Family::font: return r.words(6, 5);
    case Family::brush:
      r.words(6, 1);
      return r.words(12, 1);
    case Family::region: return convert_region(r);
  }
}

}  // namespace vellum
