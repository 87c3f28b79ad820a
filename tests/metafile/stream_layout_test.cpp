#include <gtest/gtest.h>

#include <cstring>

#include "metafile/stream_layout.h"
#include "tests/metafile/host_order.h"
#include "tests/support/wmf_builder.h"

namespace vellum::test {
namespace {

// A buffer holding one record of `words` in its size field and `bytes` bytes.
std::vector<uint8_t> record_buffer(uint32_t words, size_t bytes) {
  std::vector<uint8_t> buffer(bytes, 0);
  std::memcpy(buffer.data(), &words, sizeof words);  // host order
  return buffer;
}

TEST(BoundedRecordSize, RefusesRecordsShorterThanThreeWords) {
  for (uint32_t words : {0u, 1u, 2u}) {
    auto buffer = record_buffer(words, 16);
    EXPECT_EQ(bounded_record_size(buffer.data(), buffer.data() + buffer.size()), 0u) << words;
  }
  auto buffer = record_buffer(3, 16);
  EXPECT_EQ(bounded_record_size(buffer.data(), buffer.data() + buffer.size()), 6u);
}

TEST(BoundedRecordSize, RecordMustEndInsideTheBuffer) {
  auto exact = record_buffer(5, 10);
  EXPECT_EQ(bounded_record_size(exact.data(), exact.data() + exact.size()), 10u);
  auto short_by_one = record_buffer(5, 9);
  EXPECT_EQ(bounded_record_size(short_by_one.data(), short_by_one.data() + short_by_one.size()), 0u);
}

TEST(BoundedRecordSize, SizesThatWrapOrFillTheAddressSpaceAreRefused) {
  auto wraps = record_buffer(0x80000000u, 16);  // doubles to 0
  EXPECT_EQ(bounded_record_size(wraps.data(), wraps.data() + wraps.size()), 0u);
  auto huge = record_buffer(0x7FFFFFFFu, 16);
  EXPECT_EQ(bounded_record_size(huge.data(), huge.data() + huge.size()), 0u);
}

TEST(BoundedRecordSize, FewerThanSixBytesLeftIsNotRead) {
  // Exactly sized heap blocks: the sanitizer catches any read of the size
  // field past the buffer.
  for (size_t left = 0; left < 6; ++left) {
    std::vector<uint8_t> buffer(left + 1, 3);
    const uint8_t* record = buffer.data() + 1;
    EXPECT_EQ(bounded_record_size(record, buffer.data() + buffer.size()), 0u) << left;
  }
}

TEST(RecordSizeAtLeast, ComparesTheDoubledSizeAsSigned) {
  auto seven = record_buffer(7, 14);
  EXPECT_EQ(record_size_at_least(seven.data(), 14), 14u);
  EXPECT_EQ(record_size_at_least(seven.data(), 15), 0u);
  auto negative = record_buffer(0x40000000u, 8);  // 0x80000000 bytes
  EXPECT_EQ(record_size_at_least(negative.data(), 6), 0u);
}

TEST(DecodeHeader, FirstRecordFollowsTheDeclaredHeaderSize) {
  PlaceableHeader placeable{};
  MetafileHeader header{};
  WmfBuilder with;
  with.placeable(1, 2, 300, 200, 72);
  auto bytes = to_host(with.finish());
  EXPECT_EQ(decode_header(bytes.data(), bytes.data() + bytes.size(), &placeable, &header), 40u);
  EXPECT_EQ(uint32_t{placeable.key}, PLACEABLE_KEY);
  EXPECT_EQ(placeable.left, 1);
  EXPECT_EQ(placeable.top, 2);
  EXPECT_EQ(placeable.right, 300);
  EXPECT_EQ(placeable.bottom, 200);
  EXPECT_EQ(placeable.inch, 72);
  EXPECT_EQ(header.header_size, 9);
  EXPECT_EQ(header.version, 0x0300);
  EXPECT_EQ(uint32_t{header.size}, (bytes.size() - 22) / 2);
  EXPECT_EQ(header.type[0], 1);

  bytes = to_host(WmfBuilder().finish());
  EXPECT_EQ(decode_header(bytes.data(), bytes.data() + bytes.size(), &placeable, &header), 18u);
  EXPECT_EQ(uint32_t{placeable.key}, 0u);
  EXPECT_EQ(placeable.right, 0);

  WmfBuilder longer;
  longer.placeable(0, 0, 10, 10).header_size_words(12);
  bytes = to_host(longer.finish());
  EXPECT_EQ(decode_header(bytes.data(), bytes.data() + bytes.size(), &placeable, &header), 46u);
}

TEST(DecodeHeader, TooShortStreamsLeaveOutputsAsTheyWere) {
  const auto bytes = to_host(WmfBuilder().placeable(0, 0, 10, 10).finish());
  PlaceableHeader placeable;
  MetafileHeader header;
  std::memset(&placeable, 0xAB, sizeof placeable);
  std::memset(&header, 0xAB, sizeof header);
  for (size_t length : {0u, 1u, 4u}) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + length);
    EXPECT_EQ(decode_header(cut.data(), cut.data() + cut.size(), &placeable, &header), 0u);
    EXPECT_EQ(placeable.handle, 0xABAB);
    EXPECT_EQ(header.version, 0xABAB);
  }
  // Key present but the placeable header cut: nothing written either.
  std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 22);
  EXPECT_EQ(decode_header(cut.data(), cut.data() + cut.size(), &placeable, &header), 0u);
  EXPECT_EQ(placeable.handle, 0xABAB);
}

TEST(DecodeHeader, HeaderWithNothingAfterItFailsAfterThePlaceableWasCopied) {
  const auto bytes = to_host(WmfBuilder().placeable(0, 0, 10, 10).finish());
  PlaceableHeader placeable;
  MetafileHeader header;
  std::memset(&placeable, 0xAB, sizeof placeable);
  std::memset(&header, 0xAB, sizeof header);
  std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 40);
  EXPECT_EQ(decode_header(cut.data(), cut.data() + cut.size(), &placeable, &header), 0u);
  EXPECT_EQ(placeable.right, 10);
  EXPECT_EQ(header.version, 0xABAB);
  // A header size pointing at or past the end fails the same way.
  WmfBuilder far;
  far.header_size_words(200);
  auto far_bytes = to_host(far.finish());
  far_bytes.resize(60);
  EXPECT_EQ(decode_header(far_bytes.data(), far_bytes.data() + far_bytes.size(), &placeable, &header), 0u);
  EXPECT_EQ(header.version, 0xABAB);
}

TEST(DecodeHeader, MissingOutputsFail) {
  const auto bytes = to_host(WmfBuilder().finish());
  PlaceableHeader placeable;
  MetafileHeader header;
  EXPECT_EQ(decode_header(bytes.data(), bytes.data() + bytes.size(), nullptr, &header), 0u);
  EXPECT_EQ(decode_header(bytes.data(), bytes.data() + bytes.size(), &placeable, nullptr), 0u);
}

TEST(RecordFraming, FunctionBytesSurviveConversionOnAnyHost) {
  WmfBuilder wmf;
  wmf.create_pen(0, 1, 10, 20, 30);
  const auto bytes = to_host(wmf.finish());
  const size_t at = wmf.record_offsets()[0];
  EXPECT_EQ(bytes[at + 4], 0xFA);
  EXPECT_EQ(bytes[at + 5], 0x02);
  EXPECT_EQ(bounded_record_size(bytes.data() + at, bytes.data() + bytes.size()), 16u);
}

}  // namespace
}  // namespace vellum::test
