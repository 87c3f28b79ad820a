#include "fuzz/metafile/record_walk.h"

#include <cstdlib>

#include "metafile/bitmap_pixels.h"
#include "metafile/record_names.h"
#include "metafile/record_walk.h"
#include "metafile/records.h"
#include "metafile/stream_layout.h"

namespace vellum::fuzz {
namespace {

// Larger pictures are legal but only cost time here.
constexpr uint64_t MAX_FUZZ_PIXELS = 1u << 20;

uint32_t sum_bytes(ByteReader r) {
  uint32_t sum = 0;
  while (r.left() > 0) sum += r.u8();
  return sum;
}

uint32_t sum_points(ByteReader points, uint32_t claimed) {
  uint32_t sum = 0;
  for (uint32_t i = 0; i < claimed && points.left() >= 4; ++i) {
    const Point16 p = read_point(points);
    sum += static_cast<uint16_t>(p.x) + static_cast<uint16_t>(p.y);
  }
  return sum;
}

uint32_t convert_bitmap(const BitTransfer& t) {
  if (!t.with_bitmap) return 0;
  const Bitmap16Header& header = t.bitmap;
  const uint32_t width = static_cast<uint16_t>(header.width);
  const uint32_t height = static_cast<uint16_t>(header.height);
  if (uint64_t{width} * height > MAX_FUZZ_PIXELS) return 0;
  const bool indexed = header.bits_per_pixel < 16;
  // Indexed rows borrow the pixel bytes as their colour table.
  uint8_t* out = nullptr;
  const int result = pixels_to_rgba(t.pixels, t.pixels, &out, width, height, header.bits_per_pixel,
                                    indexed, header.type & 1);
  uint32_t sum = static_cast<uint32_t>(result);
  if (out) {
    for (uint64_t i = 0; i < uint64_t{width} * height * 4; i += 61) sum += out[i];
    std::free(out);
  }
  return sum;
}

// Decodes a record with the decoder of its type and reads all it hands out.
uint32_t play_record(const Record& record) {
  Point16 a{};
  Rect16 rect{};
  ColorRef colour{};
  uint16_t word = 0;
  int16_t width = 0, height = 0;
  uint32_t rop = 0;
  switch (record.type()) {
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
    case U_WMR_ROUNDRECT: return decode_ROUNDRECT(record, &width, &height, &rect) + width + height + rect.bottom;
    case U_WMR_PATBLT: {
      Point16 size{};
      return decode_PATBLT(record, &a, &size, &rop) + rop;
    }
    case U_WMR_TEXTOUT: {
      TextOut text{};
      if (!decode_TEXTOUT(record, &text)) return 0;
      return sum_bytes(text.string) + text.start.x;
    }
    case U_WMR_BITBLT:
    case U_WMR_STRETCHBLT: {
      BitTransfer t{};
      const bool stretch = record.type() == U_WMR_STRETCHBLT;
      if (!(stretch ? decode_STRETCHBLT(record, &t) : decode_BITBLT(record, &t))) return 0;
      return convert_bitmap(t);
    }
    case U_WMR_POLYGON:
    case U_WMR_POLYLINE: {
      PointList list{};
      if (!decode_POLYGON(record, &list)) return 0;
      return sum_points(list.points, list.count);
    }
    case U_WMR_ESCAPE: {
      Escape escape{};
      if (!decode_ESCAPE(record, &escape)) return 0;
      return sum_bytes(escape.data) + escape.function;
    }
    case U_WMR_SETTEXTALIGN: return decode_SETTEXTALIGN(record, &word) + word;
    case U_WMR_POLYPOLYGON: {
      PolygonSet set{};
      if (!decode_POLYPOLYGON(record, &set)) return 0;
      uint32_t points = 0;
      for (uint32_t i = 0; i < set.polygons && set.counts.left() >= 2; ++i) points += set.counts.u16();
      return sum_points(set.points, points);
    }
    case U_WMR_CREATEPENINDIRECT: {
      PenObject pen{};
      return decode_CREATEPENINDIRECT(record, &pen) + pen.colour.green;
    }
    case U_WMR_CREATEFONTINDIRECT: {
      FontRecord font{};
      if (!decode_CREATEFONTINDIRECT(record, &font)) return 0;
      char face[152];
      return static_cast<uint32_t>(copy_string(font.face, 151, face, sizeof face)) +
             static_cast<uint32_t>(font.font.height);
    }
    case U_WMR_CREATEBRUSHINDIRECT: {
      BrushObject brush{};
      return decode_CREATEBRUSHINDIRECT(record, &brush) + brush.hatch;
    }
    default: return record_type_name(record.type())[6];
  }
}

}  // namespace

uint32_t walk_records(const uint8_t* buffer, size_t size) {
  uint32_t sum = 0;
  // As playback walks: bounded_record_size on each record, then its decoder.
  PlaceableHeader placeable;
  MetafileHeader header;
  const uint8_t* end = buffer + size;
  size_t offset = decode_header(buffer, end, &placeable, &header);
  if (offset == 0) return 0;
  while (offset < size) {
    const uint8_t* record = buffer + offset;
    const uint32_t bytes = bounded_record_size(record, end);
    if (bytes == 0 || record[4] == U_WMR_EOF) break;
    sum += play_record(record_at(record));
    offset += bytes;
  }
  // And as the record walk yields them.
  ByteReader stream(buffer, size);
  StreamStart start;
  if (!read_stream_start(stream, &start)) return sum;
  RecordWalk walk(stream);
  Record record;
  while (walk.next(&record)) sum += play_record(record);
  return sum;
}

}  // namespace vellum::fuzz
