// RecordSpan, the check every consumer makes before reading counted data.
#include <gtest/gtest.h>

#include <cstring>

#include "metafile/record_span.h"
#include "metafile/records.h"
#include "tests/metafile/host_order.h"
#include "tests/support/wmf_builder.h"

namespace vellum::test {
namespace {

TEST(RecordSpan, BytesFromAnAddressToTheRecordEnd) {
  std::vector<uint8_t> bytes(32, 0);
  const RecordSpan span(bytes.data() + 4, 20);
  EXPECT_EQ(span.bytes_from(bytes.data() + 4), 20u);
  EXPECT_EQ(span.bytes_from(bytes.data() + 23), 1u);
  EXPECT_EQ(span.bytes_from(bytes.data() + 24), 0u);  // just past the end
  EXPECT_EQ(span.bytes_from(bytes.data() + 3), 0u);   // before the start
  EXPECT_EQ(span.bytes_from(nullptr), 0u);
}

TEST(RecordSpan, ItemsAreCutToWhatTheRecordHolds) {
  std::vector<uint8_t> bytes(20, 0);
  const RecordSpan span(bytes.data(), 20);
  EXPECT_EQ(span.items_from(bytes.data() + 8, 4, 1000), 3u);  // 12 bytes: three points
  EXPECT_EQ(span.items_from(bytes.data() + 8, 4, 2), 2u);
  EXPECT_EQ(span.items_from(bytes.data() + 9, 4, 5), 2u);     // a partial item does not count
  EXPECT_EQ(span.items_from(bytes.data() + 8, 0, 5), 0u);
}

TEST(RecordSpan, PolygonClaimingMorePointsThanItHolds) {
  WmfBuilder wmf;
  wmf.record(0x24, 3).words({500, 1, 2, 3, 4}).end();
  const auto bytes = to_host(wmf.finish());
  const uint8_t* record = bytes.data() + wmf.record_offsets()[0];
  uint16_t count = 0;
  const uint8_t* points = nullptr;
  const uint32_t size = decode_POLYGON(record, &count, &points);
  EXPECT_EQ(count, 500);
  EXPECT_EQ(RecordSpan(record, size).items_from(points, 4, count), 2u);
}

TEST(RecordSpan, CopyStringStopsAtNulLimitCapacityOrRecordEnd) {
  const char text[] = {'A', 'r', 'i', 'a', 'l', 0, 'x', 'y'};
  const auto* at = reinterpret_cast<const uint8_t*>(text);
  char out[16];
  EXPECT_EQ(RecordSpan(at, sizeof text).copy_string(at, 100, out, sizeof out), 5u);
  EXPECT_STREQ(out, "Arial");
  EXPECT_EQ(RecordSpan(at, sizeof text).copy_string(at, 3, out, sizeof out), 3u);
  EXPECT_STREQ(out, "Ari");
  EXPECT_EQ(RecordSpan(at, sizeof text).copy_string(at, 100, out, 3), 2u);
  EXPECT_STREQ(out, "Ar");
  // A face name without its NUL ends with the record.
  EXPECT_EQ(RecordSpan(at, 4).copy_string(at, 100, out, sizeof out), 4u);
  EXPECT_STREQ(out, "Aria");
  EXPECT_EQ(RecordSpan(at, 4).copy_string(at + 4, 100, out, sizeof out), 0u);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(RecordSpan(at, 4).copy_string(at, 100, nullptr, 0), 0u);
}

TEST(RecordSpan, FontFaceNameWithoutTerminatorStaysInsideTheRecord) {
  WmfBuilder wmf;
  wmf.record(0xFB, 2).words({12, 0, 0, 0, 400}).bytes({0, 0, 0, 0, 0, 0, 0, 0, 'S', 'a', 'n', 's'}).end();
  const auto bytes = to_host(wmf.finish());
  const uint8_t* record = bytes.data() + wmf.record_offsets()[0];
  const uint8_t* font = nullptr;
  const uint32_t size = decode_CREATEFONTINDIRECT(record, &font);
  ASSERT_EQ(size, 28u);
  char face[152];
  EXPECT_EQ(RecordSpan(record, size).copy_string(font + FONT_FACE_OFFSET, 151, face, sizeof face), 4u);
  EXPECT_STREQ(face, "Sans");
}

}  // namespace
}  // namespace vellum::test
