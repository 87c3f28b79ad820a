// The bounded reader and the record walk built on it: every read past what
// a reader holds fails and stays failed, and no record reaches past itself.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/byte_reader.h"
#include "metafile/record_walk.h"
#include "tests/support/wmf_builder.h"

namespace vellum::test {
namespace {

const std::vector<uint8_t> LITTLE = {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF};

TEST(ByteReader, LittleOrderReadsTheSameOnEveryHost) {
  ByteReader r(LITTLE.data(), LITTLE.size(), ByteOrder::little);
  EXPECT_EQ(r.u8(), 0x01);
  EXPECT_EQ(r.u16(), 0x1234);
  EXPECT_EQ(r.u32(), 0x12345678u);
  EXPECT_EQ(r.i16(), -2);
  EXPECT_EQ(r.left(), 0u);
  EXPECT_FALSE(r.failed());
}

TEST(ByteReader, HostOrderReadsWhatTheMachineStored) {
  uint8_t bytes[6];
  const uint16_t word = 0xBEEF;
  const uint32_t dword = 0xCAFEF00D;
  std::memcpy(bytes, &word, 2);
  std::memcpy(bytes + 2, &dword, 4);
  ByteReader r(bytes, sizeof bytes);
  EXPECT_EQ(r.u16(), word);
  EXPECT_EQ(r.i32(), int32_t(dword));
}

TEST(ByteReader, AFailedReadReturnsZeroAndTheFailureSticks) {
  ByteReader r(LITTLE.data(), 3, ByteOrder::little);
  EXPECT_EQ(r.u32(), 0u);  // 3 bytes held, 4 asked
  EXPECT_TRUE(r.failed());
  EXPECT_EQ(r.left(), 0u);
  EXPECT_EQ(r.u8(), 0);    // the bytes that were there stay out of reach
  EXPECT_FALSE(r.skip(1));
  uint8_t out[4] = {9, 9, 9, 9};
  EXPECT_FALSE(r.bytes(out, sizeof out));
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[3], 0);
  EXPECT_TRUE(r.failed());
}

TEST(ByteReader, SubTakesExactlyItsBytesAndFailsPastTheEnd) {
  ByteReader r(LITTLE.data(), LITTLE.size(), ByteOrder::little);
  r.skip(1);
  ByteReader word = r.sub(2);
  EXPECT_EQ(r.left(), 6u);
  EXPECT_EQ(word.u16(), 0x1234);
  EXPECT_EQ(word.u8(), 0);  // past the sub-reader, though the parent holds more
  EXPECT_TRUE(word.failed());
  EXPECT_FALSE(r.failed());
  EXPECT_EQ(r.u32(), 0x12345678u);

  ByteReader too_long = r.sub(3);  // 2 left
  EXPECT_TRUE(too_long.failed());
  EXPECT_EQ(too_long.left(), 0u);
  EXPECT_TRUE(r.failed());
  EXPECT_FALSE(ByteReader(LITTLE.data(), 1).sub(0).failed());
}

TEST(ByteReader, FromLooksAheadWithoutMoving) {
  const ByteReader r(LITTLE.data(), LITTLE.size(), ByteOrder::little);
  EXPECT_EQ(r.from(5).u32(), 0xFFFE1234u);
  EXPECT_EQ(r.left(), LITTLE.size());
  EXPECT_FALSE(r.from(LITTLE.size()).failed());
  EXPECT_TRUE(r.from(LITTLE.size() + 1).failed());
  EXPECT_EQ(ByteReader(nullptr, 8).left(), 0u);
}

// A stream of `wmf` in host order, as the walk reads it after conversion on
// a little-endian machine; the walk itself only needs the record framing.
std::vector<uint8_t> stream_of(const WmfBuilder& wmf) { return wmf.finish(); }

TEST(RecordWalk, YieldsEachRecordLimitedToItsDeclaredSize) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, 100, 50).set_window_ext(100, -50).polygon({{1, 2}, {3, 4}}).rectangle(1, 2, 3, 4);
  const auto bytes = stream_of(wmf);
  ByteReader stream(bytes.data(), bytes.size(), ByteOrder::little);
  StreamStart start;
  ASSERT_TRUE(read_stream_start(stream, &start));
  EXPECT_TRUE(start.placeable);
  EXPECT_EQ(start.right, 100);
  EXPECT_EQ(start.header_words, 9);
  EXPECT_EQ(bytes.size() - stream.left(), 40u);

  RecordWalk walk(stream);
  Record r;
  ASSERT_TRUE(walk.next(&r));
  EXPECT_EQ(r.function, 0x020C);
  EXPECT_EQ(r.size_bytes, 10u);
  EXPECT_EQ(r.params.i16(), -50);  // y first
  EXPECT_EQ(r.params.i16(), 100);
  EXPECT_EQ(r.params.u16(), 0);    // the next record is out of reach
  EXPECT_TRUE(r.params.failed());
  ASSERT_TRUE(walk.next(&r));
  EXPECT_EQ(r.type(), 0x24);
  EXPECT_EQ(r.params.left(), 2u + 2 * 4);
  ASSERT_TRUE(walk.next(&r));
  EXPECT_EQ(r.type(), 0x1B);
  EXPECT_FALSE(walk.next(&r));  // end-of-file record
  EXPECT_FALSE(walk.broken());
  EXPECT_TRUE(walk.ended());
}

TEST(RecordWalk, BrokenFramingStopsTheWalk) {
  struct Case { const char* what; uint32_t declared_words; };
  for (const Case& c : {Case{"size 0", 0}, Case{"size 2 words", 2}, Case{"past the buffer", 40},
                        Case{"size that doubles past 32 bits", 0x80000005u}}) {
    WmfBuilder wmf;
    wmf.rectangle(1, 2, 3, 4).record(0x13, 2).words({5, 6}).size_words(c.declared_words).end().move_to(1, 1);
    const auto bytes = stream_of(wmf);
    ByteReader stream(bytes.data(), bytes.size(), ByteOrder::little);
    StreamStart start;
    ASSERT_TRUE(read_stream_start(stream, &start));
    RecordWalk walk(stream);
    Record r;
    EXPECT_TRUE(walk.next(&r)) << c.what;
    EXPECT_FALSE(walk.next(&r)) << c.what;
    EXPECT_TRUE(walk.broken()) << c.what;
  }
}

TEST(RecordWalk, AStreamWithoutEndOfFileEndsWithItsBytes) {
  WmfBuilder wmf;
  wmf.rectangle(1, 2, 3, 4).without_eof();
  const auto bytes = stream_of(wmf);
  ByteReader stream(bytes.data(), bytes.size(), ByteOrder::little);
  StreamStart start;
  ASSERT_TRUE(read_stream_start(stream, &start));
  EXPECT_FALSE(start.placeable);
  RecordWalk walk(stream);
  Record r;
  EXPECT_TRUE(walk.next(&r));
  EXPECT_FALSE(walk.next(&r));
  EXPECT_FALSE(walk.broken());
  EXPECT_FALSE(walk.ended());
}

TEST(RecordWalk, HeadersThatDoNotFitAreRefused) {
  StreamStart start;
  const auto short_header = WmfBuilder().header_size_words(8).finish();
  ByteReader a(short_header.data(), short_header.size(), ByteOrder::little);
  EXPECT_FALSE(read_stream_start(a, &start));
  const auto cut = WmfBuilder().placeable(0, 0, 10, 10).finish();
  ByteReader b(cut.data(), 30, ByteOrder::little);  // the metafile header cut after 8 bytes
  EXPECT_FALSE(read_stream_start(b, &start));
  const auto long_header = WmfBuilder().header_size_words(12).finish();
  ByteReader c(long_header.data(), long_header.size(), ByteOrder::little);
  ASSERT_TRUE(read_stream_start(c, &start));
  EXPECT_EQ(long_header.size() - c.left(), 24u);  // the declared size is honoured
}

TEST(RecordAt, SizeOnlyAsFarAsItsDoubleFitsIn31Bits) {
  std::vector<uint8_t> record(16, 0);
  const uint32_t words = 8;
  std::memcpy(record.data(), &words, 4);
  record[4] = 0x24;
  record[5] = 0x03;
  Record r = record_at(record.data());
  EXPECT_EQ(r.function, 0x0324);
  EXPECT_EQ(r.size_bytes, 16u);
  EXPECT_EQ(r.params.left(), 10u);
  const uint32_t huge = 0x40000000;  // 2^31 bytes: negative as a signed size
  std::memcpy(record.data(), &huge, 4);
  r = record_at(record.data());
  EXPECT_EQ(r.size_bytes, 0u);
  EXPECT_EQ(r.params.left(), 0u);
}

}  // namespace
}  // namespace vellum::test
