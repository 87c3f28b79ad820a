#include "fuzz/metafile/record_walk.h"

#include <cstdlib>

#include "metafile/bitmap_pixels.h"
#include "metafile/field_access.h"
#include "metafile/record_names.h"
#include "metafile/record_span.h"
#include "metafile/records.h"
#include "metafile/stream_layout.h"

namespace vellum::fuzz {
namespace {

// Larger pictures are legal but only cost time here.
constexpr uint64_t MAX_FUZZ_PIXELS = 1u << 20;

uint32_t sum_bytes(const RecordSpan& span, const uint8_t* at, uint32_t claimed) {
  uint32_t sum = 0;
  const uint32_t n = span.items_from(at, 1, claimed);
  for (uint32_t i = 0; i < n; ++i) sum += at[i];
  return sum;
}

uint32_t sum_points(const RecordSpan& span, const uint8_t* at, uint32_t claimed) {
  uint32_t sum = 0;
  const uint32_t n = span.items_from(at, 4, claimed);
  for (uint32_t i = 0; i < n; ++i) {
    const Point16 p = load_point(at + 4 * i);
    sum += static_cast<uint16_t>(p.x) + static_cast<uint16_t>(p.y);
  }
  return sum;
}

uint32_t convert_bitmap(const RecordSpan& span, const Bitmap16Header& header, const uint8_t* pixels) {
  if (!pixels) return 0;
  const uint32_t width = static_cast<uint16_t>(header.width);
  const uint32_t height = static_cast<uint16_t>(header.height);
  if (uint64_t{width} * height > MAX_FUZZ_PIXELS) return 0;
  const uint32_t available = span.bytes_from(pixels);
  const bool indexed = header.bits_per_pixel < 16;
  // Indexed rows borrow the pixel bytes as their colour table.
  uint8_t* out = nullptr;
  const int result = pixels_to_rgba(pixels, available, pixels, span.items_from(pixels, 4, 256), &out,
                                    width, height, header.bits_per_pixel, indexed, header.type & 1);
  uint32_t sum = static_cast<uint32_t>(result);
  if (out) {
    for (uint64_t i = 0; i < uint64_t{width} * height * 4; i += 61) sum += out[i];
    std::free(out);
  }
  return sum;
}

uint32_t play_record(const uint8_t* record, uint32_t size) {
  const RecordSpan span(record, size);
  Point16 a{}, b{}, c{}, d{};
  Rect16 rect{};
  ColorRef colour{};
  uint16_t word = 0, count = 0;
  int16_t length = 0, e = 0;
  uint32_t rop = 0;
  const uint8_t *at = nullptr, *more = nullptr;
  Bitmap16Header bitmap{};
  PenObject pen{};
  switch (record[4]) {
    case U_WMR_SETBKCOLOR: return decode_SETBKCOLOR(record, &colour) + colour.red;
    case U_WMR_SETMAPMODE: return decode_SETMAPMODE(record, &word) + word;
    case U_WMR_SETPOLYFILLMODE: return decode_SETPOLYFILLMODE(record, &word) + word;
    case U_WMR_SETTEXTCOLOR: return decode_SETTEXTCOLOR(record, &colour) + colour.blue;
    case U_WMR_SETWINDOWEXT: return decode_SETWINDOWEXT(record, &a) + a.x;
    case U_WMR_LINETO: return decode_LINETO(record, &a) + a.y;
    case U_WMR_MOVETO: return decode_MOVETO(record, &a) + a.x;
    case U_WMR_INTERSECTCLIPRECT: return decode_INTERSECTCLIPRECT(record, &rect) + rect.left;
    case U_WMR_ELLIPSE: return decode_ELLIPSE(record, &rect) + rect.top;
    case U_WMR_RECTANGLE: return decode_RECTANGLE(record, &rect) + rect.right;
    case U_WMR_ROUNDRECT: return decode_ROUNDRECT(record, &length, &e, &rect) + length + e + rect.bottom;
    case U_WMR_PATBLT: return decode_PATBLT(record, &a, &b, &rop) + rop;
    case U_WMR_TEXTOUT:
      if (!decode_TEXTOUT(record, &a, &length, &at)) return 0;
      return sum_bytes(span, at, static_cast<uint16_t>(length)) + a.x;
    case U_WMR_BITBLT:
      if (!decode_BITBLT(record, &a, &b, &c, &rop, &bitmap, &at)) return 0;
      return convert_bitmap(span, bitmap, at);
    case U_WMR_STRETCHBLT:
      if (!decode_STRETCHBLT(record, &a, &b, &c, &d, &rop, &bitmap, &at)) return 0;
      return convert_bitmap(span, bitmap, at);
    case U_WMR_POLYGON:
      if (!decode_POLYGON(record, &count, &at)) return 0;
      return sum_points(span, at, count);
    case U_WMR_POLYLINE:
      if (!decode_POLYLINE(record, &count, &at)) return 0;
      return sum_points(span, at, count);
    case U_WMR_ESCAPE:
      if (!decode_ESCAPE(record, &word, &count, &at)) return 0;
      return sum_bytes(span, at, count) + word;
    case U_WMR_SETTEXTALIGN: return decode_SETTEXTALIGN(record, &word) + word;
    case U_WMR_POLYPOLYGON: {
      if (!decode_POLYPOLYGON(record, &count, &at, &more)) return 0;
      const uint32_t polygons = span.items_from(at, 2, count);
      uint32_t points = 0;
      for (uint32_t i = 0; i < polygons; ++i) points += load_u16(at + 2 * i);
      return sum_points(span, more, points);
    }
    case U_WMR_CREATEPENINDIRECT: return decode_CREATEPENINDIRECT(record, &pen) + pen.colour.green;
    case U_WMR_CREATEFONTINDIRECT: {
      if (!decode_CREATEFONTINDIRECT(record, &at)) return 0;
      char face[152];
      const FontObject font = load_font(at);
      return static_cast<uint32_t>(span.copy_string(at + FONT_FACE_OFFSET, 151, face, sizeof face)) +
             static_cast<uint32_t>(font.height);
    }
    case U_WMR_CREATEBRUSHINDIRECT:
      if (!decode_CREATEBRUSHINDIRECT(record, &at)) return 0;
      return load_brush(at).hatch;
    default: return record_type_name(record[4])[6];
  }
}

}  // namespace

uint32_t walk_records(const uint8_t* buffer, size_t size) {
  PlaceableHeader placeable;
  MetafileHeader header;
  const uint8_t* end = buffer + size;
  size_t offset = decode_header(buffer, end, &placeable, &header);
  if (offset == 0) return 0;
  uint32_t sum = 0;
  while (offset < size) {
    const uint8_t* record = buffer + offset;
    const uint32_t bytes = bounded_record_size(record, end);
    if (bytes == 0 || record[4] == U_WMR_EOF) break;
    sum += play_record(record, bytes);
    offset += bytes;
  }
  return sum;
}

}  // namespace vellum::fuzz
