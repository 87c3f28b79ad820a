// The record-type table and the dispatch check built on it, and the reader
// form of the decoders: counted data cut to the record, and records read
// straight from file order as well as after conversion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "metafile/record_types.h"
#include "metafile/records.h"
#include "tests/metafile/host_order.h"
#include "tests/support/wmf_builder.h"

namespace vellum::test {
namespace {

struct Entry {
  uint32_t type;
};
constexpr auto TYPE_OF = [](const Entry& e) { return e.type; };
constexpr Entry SORTED[] = {{U_WMR_SETBKCOLOR}, {U_WMR_SELECTOBJECT}, {0x02FA}};
constexpr Entry UNSORTED[] = {{U_WMR_SELECTOBJECT}, {U_WMR_SETBKCOLOR}};
constexpr Entry REPEATED[] = {{U_WMR_LINETO}, {U_WMR_LINETO}};
constexpr Entry UNNAMED[] = {{U_WMR_LINETO}, {0x49}};
constexpr Entry WRONG_FUNCTION[] = {{0x0301}};  // SETBKCOLOR's type byte, not its function
static_assert(dispatch_table_fits_record_types(SORTED, TYPE_OF));
static_assert(!dispatch_table_fits_record_types(UNSORTED, TYPE_OF));
static_assert(!dispatch_table_fits_record_types(REPEATED, TYPE_OF));
static_assert(!dispatch_table_fits_record_types(UNNAMED, TYPE_OF));
static_assert(!dispatch_table_fits_record_types(WRONG_FUNCTION, TYPE_OF));

TEST(RecordTypes, EveryNamedTypeHasItsFunctionFamilyAndMinimum) {
  EXPECT_EQ(std::size(RECORD_TYPES), 73u);
  const RecordTypeInfo* pen = find_record_type(0xFA);
  ASSERT_NE(pen, nullptr);
  EXPECT_EQ(pen->function, 0x02FA);
  EXPECT_STREQ(pen->name, "U_WMR_CREATEPENINDIRECT");
  EXPECT_EQ(pen->family, ConversionFamily::pen);
  EXPECT_EQ(record_minimum_bytes(0xFA), 16u);
  EXPECT_EQ(find_record_type(0x49), nullptr);
  EXPECT_EQ(record_minimum_bytes(0x49), 6u);
  for (const RecordTypeInfo& info : RECORD_TYPES) {
    EXPECT_GE(info.minimum_bytes, 6u) << info.name;
    EXPECT_EQ(info.minimum_bytes % 2, 0u) << info.name;
  }
}

// The first record of `wmf`, converted to host order as playback reads it.
class Converted {
 public:
  explicit Converted(const WmfBuilder& wmf) : bytes_(to_host(wmf.finish())), at_(wmf.record_offsets()[0]) {}
  Record record() const { return record_at(bytes_.data() + at_); }

 private:
  std::vector<uint8_t> bytes_;
  size_t at_;
};

TEST(ReaderDecoders, CountsAreCutToWhatTheRecordHolds) {
  WmfBuilder polygon;
  polygon.record(0x24, 3).words({500, 1, 2, 3, 4, 5}).end();  // 500 points claimed, 2 and a half held
  const Converted polygon_bytes(polygon);  // outlives the readers into it
  PointList list{};
  ASSERT_EQ(decode_POLYGON(polygon_bytes.record(), &list), 18u);
  EXPECT_EQ(list.count, 500);
  EXPECT_EQ(list.points.left(), 10u);

  WmfBuilder escape;
  escape.record(0x26, 5).words({21, 100, 7, 0}).end();
  const Converted escape_bytes(escape);
  Escape e{};
  ASSERT_EQ(decode_ESCAPE(escape_bytes.record(), &e), 14u);
  EXPECT_EQ(e.byte_count, 100);
  EXPECT_EQ(e.data.left(), 4u);

  WmfBuilder set;
  set.record(0x38, 5).words({30000, 3, 3}).end();
  const Converted set_bytes(set);
  PolygonSet s{};
  ASSERT_EQ(decode_POLYPOLYGON(set_bytes.record(), &s), 12u);
  EXPECT_EQ(s.polygons, 30000);
  EXPECT_EQ(s.counts.left(), 4u);
  EXPECT_EQ(s.points.left(), 0u);
}

TEST(ReaderDecoders, FaceNameStopsAtItsNulTheLimitOrTheRecordEnd) {
  WmfBuilder wmf;
  wmf.record(0xFB, 2).words({12, 0, 0, 0, 400}).bytes({0, 0, 0, 0, 0, 0, 0, 0, 'S', 'a', 'n', 's'}).end();
  const Converted wmf_bytes(wmf);
  FontRecord font{};
  ASSERT_EQ(decode_CREATEFONTINDIRECT(wmf_bytes.record(), &font), 28u);
  EXPECT_EQ(font.font.weight, 400);
  char face[152];
  EXPECT_EQ(copy_string(font.face, 151, face, sizeof face), 4u);  // no NUL: ends with the record
  EXPECT_STREQ(face, "Sans");
  EXPECT_EQ(copy_string(font.face, 2, face, sizeof face), 2u);
  EXPECT_STREQ(face, "Sa");
  EXPECT_EQ(copy_string(font.face, 151, face, 4), 3u);
  EXPECT_STREQ(face, "San");
  const uint8_t nul_inside[] = {'A', 0, 'B'};
  EXPECT_EQ(copy_string(ByteReader(nul_inside, 3), 151, face, sizeof face), 1u);
  EXPECT_STREQ(face, "A");
}

// A player that reads the file's own bytes without converting them decodes
// the same fields, on either kind of host.
TEST(ReaderDecoders, ReadStraightFromFileOrder) {
  WmfBuilder wmf;
  Bitmap16 image{1, 1, 4, 1, 24, {10, 20, 30, 0}};
  wmf.create_pen(0x2201, 7, 1, 2, 3).text_out(-11, 22, "abc").bit_blt(1, 2, 30, 40, 5, 6, 0xCC0020, image);
  const auto bytes = wmf.finish();
  ByteReader stream(bytes.data(), bytes.size(), ByteOrder::little);
  StreamStart start;
  ASSERT_TRUE(read_stream_start(stream, &start));
  RecordWalk walk(stream);
  Record r;

  ASSERT_TRUE(walk.next(&r));
  PenObject pen{};
  ASSERT_EQ(decode_CREATEPENINDIRECT(r, &pen), 16u);
  EXPECT_EQ(pen.style, 0x2201);
  EXPECT_EQ(pen.width.x, 7);
  EXPECT_EQ(pen.colour.blue, 3);

  ASSERT_TRUE(walk.next(&r));
  TextOut text{};
  ASSERT_EQ(decode_TEXTOUT(r, &text), 16u);
  EXPECT_EQ(text.start.x, -11);
  EXPECT_EQ(text.start.y, 22);
  EXPECT_EQ(text.string.left(), 3u);
  EXPECT_EQ(text.string.u8(), 'a');

  ASSERT_TRUE(walk.next(&r));
  BitTransfer t{};
  ASSERT_EQ(decode_BITBLT(r, &t), 36u);
  EXPECT_TRUE(t.with_bitmap);
  EXPECT_EQ(t.dest.x, 1);
  EXPECT_EQ(t.size.y, 40);
  EXPECT_EQ(t.rop, 0xCC0020u);
  EXPECT_EQ(t.bitmap.width, 1);
  EXPECT_EQ(t.bitmap.bits_per_pixel, 24);
  EXPECT_EQ(t.pixels.left(), 4u);
  EXPECT_EQ(t.pixels.u8(), 10);
}

}  // namespace
}  // namespace vellum::test
