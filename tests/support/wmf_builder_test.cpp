// The builder's bytes checked against hand-laid file order, so fixtures
// elsewhere can trust it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "tests/support/wmf_builder.h"

namespace vellum::test {
namespace {

uint16_t u16_at(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
uint32_t u32_at(const std::vector<uint8_t>& b, size_t at) {
  return u16_at(b, at) | uint32_t{u16_at(b, at + 2)} << 16;
}

TEST(WmfBuilder, PlaceableHeaderHasKeyBoxAndXorChecksum) {
  const auto bytes = WmfBuilder().placeable(-10, 20, 300, 400, 96).finish();
  ASSERT_GE(bytes.size(), 22u + 18u + 6u);
  EXPECT_EQ((std::vector<uint8_t>{0xD7, 0xCD, 0xC6, 0x9A}), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4));
  EXPECT_EQ(static_cast<int16_t>(u16_at(bytes, 6)), -10);
  EXPECT_EQ(u16_at(bytes, 8), 20);
  EXPECT_EQ(u16_at(bytes, 10), 300);
  EXPECT_EQ(u16_at(bytes, 12), 400);
  EXPECT_EQ(u16_at(bytes, 14), 96);
  uint16_t x = 0;
  for (size_t i = 0; i < 20; i += 2) x ^= u16_at(bytes, i);
  EXPECT_EQ(u16_at(bytes, 20), x);
  EXPECT_EQ(u16_at(WmfBuilder().placeable(0, 0, 1, 1).placeable_checksum(0xBEEF).finish(), 20), 0xBEEF);
}

TEST(WmfBuilder, MetafileHeaderCountsWholeFileAndLargestRecord) {
  WmfBuilder wmf;
  wmf.rectangle(1, 2, 3, 4).polygon({{0, 0}, {5, 0}, {5, 5}});
  const auto bytes = wmf.finish();
  // header 18 + rectangle 14 + polygon 8 + 12 + EOF 6
  ASSERT_EQ(bytes.size(), 18u + 14u + 20u + 6u);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(u16_at(bytes, 2), 9);
  EXPECT_EQ(u32_at(bytes, 6), bytes.size() / 2);
  EXPECT_EQ(u32_at(bytes, 12), 10u);  // the polygon
  EXPECT_EQ((std::vector<uint8_t>{3, 0, 0, 0, 0, 0}), std::vector<uint8_t>(bytes.end() - 6, bytes.end()));
}

TEST(WmfBuilder, RecordsStoreYFirstAndRectanglesBottomFirst) {
  WmfBuilder wmf;
  wmf.line_to(7, -5).rectangle(10, 20, 30, 40);
  const auto bytes = wmf.finish();
  const auto at = wmf.record_offsets();
  ASSERT_EQ(at.size(), 2u);
  EXPECT_EQ(u32_at(bytes, at[0]), 5u);
  EXPECT_EQ(bytes[at[0] + 4], 0x13);
  EXPECT_EQ(bytes[at[0] + 5], 0x02);
  EXPECT_EQ(static_cast<int16_t>(u16_at(bytes, at[0] + 6)), -5);
  EXPECT_EQ(u16_at(bytes, at[0] + 8), 7);
  EXPECT_EQ(u16_at(bytes, at[1] + 6), 40);
  EXPECT_EQ(u16_at(bytes, at[1] + 12), 10);
}

TEST(WmfBuilder, TransferFormsDifferInSize) {
  WmfBuilder plain, with_bitmap;
  plain.bit_blt(1, 2, 3, 4, 5, 6, 0xCC0020);
  Bitmap16 bitmap{2, 1, 8, 1, 24, {10, 20, 30, 40, 50, 60, 0, 0}};
  with_bitmap.bit_blt(1, 2, 3, 4, 5, 6, 0xCC0020, bitmap);
  EXPECT_EQ(u32_at(plain.finish(), 18), 12u);  // parameter count 9 + 3
  const auto bytes = with_bitmap.finish();
  EXPECT_EQ(u32_at(bytes, 18), 16u + 4u);      // 32 bytes of fields, 8 of pixels
  EXPECT_EQ(bytes[18 + 30], 1);                // planes
  EXPECT_EQ(bytes[18 + 31], 24);               // bits per pixel
  EXPECT_EQ(bytes[18 + 32], 10);
}

TEST(WmfBuilder, TextIsPaddedToEvenAndPointFollows) {
  WmfBuilder wmf;
  wmf.text_out(100, 200, "abcde");
  const auto bytes = wmf.finish();
  EXPECT_EQ(u16_at(bytes, 18 + 6), 5);
  EXPECT_EQ(bytes[18 + 13], 0);
  EXPECT_EQ(u16_at(bytes, 18 + 14), 200);
  EXPECT_EQ(u16_at(bytes, 18 + 16), 100);
}

TEST(WmfBuilder, BrokenStreamOptions) {
  WmfBuilder wmf;
  wmf.header_size_words(12).file_size_words(99).without_eof().trailing({0xEE, 0xEE, 0xEE});
  wmf.record(0x2D, 0x01).word(3).size_words(1000).end();
  const auto bytes = wmf.finish();
  ASSERT_EQ(bytes.size(), 24u + 8u + 3u);
  EXPECT_EQ(u16_at(bytes, 2), 12);
  EXPECT_EQ(u32_at(bytes, 6), 99u);
  EXPECT_EQ(u32_at(bytes, 24), 1000u);
  EXPECT_EQ(bytes.back(), 0xEE);
}

TEST(WmfBuilder, WritesFileEqualToFinish) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, 10, 10).ellipse(0, 0, 10, 10);
  const std::string path = ::testing::TempDir() + "builder_test.wmf";
  ASSERT_TRUE(wmf.write_to(path));
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> read((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(read, wmf.finish());
  std::remove(path.c_str());
  EXPECT_FALSE(wmf.write_to("/nonexistent-dir/x.wmf"));
}

}  // namespace
}  // namespace vellum::test
