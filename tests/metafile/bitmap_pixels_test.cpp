#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "metafile/bitmap_pixels.h"

namespace vellum::test {
namespace {

struct Converted {
  int result;
  std::unique_ptr<uint8_t, decltype(&std::free)> buffer{nullptr, &std::free};
  std::vector<uint8_t> bytes(size_t n) const {
    return buffer ? std::vector<uint8_t>(buffer.get(), buffer.get() + n) : std::vector<uint8_t>{};
  }
};

Converted convert(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height, uint32_t bits,
                  const std::vector<uint8_t>* table = nullptr, bool reverse = false) {
  Converted c;
  uint8_t* out = nullptr;
  c.result = pixels_to_rgba(pixels.data(), static_cast<uint32_t>(pixels.size()),
                            table ? table->data() : nullptr,
                            table ? static_cast<uint32_t>(table->size() / 4) : 0, &out, width, height,
                            bits, table != nullptr, reverse);
  c.buffer.reset(out);
  return c;
}

TEST(PixelsToRgba, DirectColourDepths) {
  auto rgb = convert({10, 20, 30, 40, 50, 60, 0, 0}, 2, 1, 24);
  EXPECT_EQ(rgb.result, PIXELS_OK);
  EXPECT_EQ(rgb.bytes(8), (std::vector<uint8_t>{30, 20, 10, 0, 60, 50, 40, 0}));

  auto v555 = convert({0x1F, 0x00, 0x00, 0x7C, 0xE0, 0x03, 0, 0}, 3, 1, 16);
  EXPECT_EQ(v555.result, PIXELS_OK);
  EXPECT_EQ(v555.bytes(12), (std::vector<uint8_t>{0, 0, 248, 0, 248, 0, 0, 0, 0, 248, 0, 0}));

  auto rgba = convert({1, 2, 3, 4}, 1, 1, 32);
  EXPECT_EQ(rgba.bytes(4), (std::vector<uint8_t>{3, 2, 1, 4}));
}

TEST(PixelsToRgba, IndexedDepthsReadThroughTheTable) {
  const std::vector<uint8_t> table{
      1, 2, 3, 9,      // 0: blue 1, green 2, red 3
      40, 50, 60, 0};  // 1
  // Nine 1-bit pixels: two bytes, then two padding bytes, then the second row.
  auto mono = convert({0b10100000, 0b10000000, 0xFF, 0xFF, 0b01000000, 0, 0, 0}, 9, 2, 1, &table);
  EXPECT_EQ(mono.result, PIXELS_OK);
  const auto out = mono.bytes(9 * 2 * 4);
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8), (std::vector<uint8_t>{60, 50, 40, 0, 3, 2, 1, 9}));
  EXPECT_EQ(out[8 * 4], 60);       // pixel 8 of row 0: the first bit of the second byte
  EXPECT_EQ(out[9 * 4 + 4], 60);   // row 1 starts after the padding: pixel 1 set
  EXPECT_EQ(out[9 * 4], 3);

  auto nibbles = convert({0x10, 0, 0, 0}, 2, 1, 4, &table);
  EXPECT_EQ(nibbles.bytes(8), (std::vector<uint8_t>{60, 50, 40, 0, 3, 2, 1, 9}));
  auto bytes = convert({1, 0, 0, 0}, 2, 1, 8, &table);
  EXPECT_EQ(bytes.bytes(8), (std::vector<uint8_t>{60, 50, 40, 0, 3, 2, 1, 9}));
}

TEST(PixelsToRgba, IndexPastTheTableGivesBlack) {
  const std::vector<uint8_t> table{1, 2, 3, 4};  // one entry, exactly sized
  auto c = convert({0, 200, 0, 0}, 2, 1, 8, &table);
  EXPECT_EQ(c.result, PIXELS_OK);
  EXPECT_EQ(c.bytes(8), (std::vector<uint8_t>{3, 2, 1, 4, 0, 0, 0, 0}));
}

TEST(PixelsToRgba, RowsReversed) {
  auto c = convert({1, 2, 3, 0, 4, 5, 6, 0}, 1, 2, 24, nullptr, true);
  EXPECT_EQ(c.bytes(8), (std::vector<uint8_t>{6, 5, 4, 0, 3, 2, 1, 0}));
}

TEST(PixelsToRgba, RowsPastTheInputAreNotReadAndStayZero) {
  // Three rows claimed, one and a half present: the exactly sized input
  // makes the sanitizer catch any read past it.
  auto c = convert({1, 2, 3, 0, 4, 5}, 1, 3, 24);
  EXPECT_EQ(c.result, PIXELS_OK);
  EXPECT_EQ(c.bytes(12), (std::vector<uint8_t>{3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  // The last row needs its pixel bytes, not its padding.
  auto last = convert({1, 2, 3, 0, 4, 5, 6}, 1, 2, 24);
  EXPECT_EQ(last.bytes(8), (std::vector<uint8_t>{3, 2, 1, 0, 6, 5, 4, 0}));
}

TEST(PixelsToRgba, ArgumentChecksInOrderAllocateNothing) {
  const std::vector<uint8_t> table{1, 2, 3, 4};
  const std::vector<uint8_t> empty_table;
  EXPECT_EQ(convert({1, 2, 3, 4}, 0, 1, 24).result, PIXELS_EMPTY);
  EXPECT_EQ(convert({1, 2, 3, 4}, 1, 0, 24).result, PIXELS_EMPTY);
  EXPECT_EQ(convert({1, 2, 3, 4}, 1, 1, 0).result, PIXELS_EMPTY);
  EXPECT_EQ(convert({}, 1, 1, 24).result, PIXELS_EMPTY);
  EXPECT_EQ(convert({1, 2, 3, 4}, 1, 1, 24, &table).result, PIXELS_TABLE_TOO_DEEP);
  EXPECT_EQ(convert({1, 2, 3, 4}, 1, 1, 8).result, PIXELS_NEEDS_TABLE);
  EXPECT_EQ(convert({1, 2, 3, 4}, 1, 1, 8, &empty_table).result, PIXELS_NO_MEMORY);
  EXPECT_EQ(convert({1, 2, 3, 4}, 0, 1, 24).buffer, nullptr);
  EXPECT_EQ(convert({1}, 1, 1, 8).buffer, nullptr);
}

TEST(PixelsToRgba, UnsupportedDepthFailsAfterAllocating) {
  const std::vector<uint8_t> table{1, 2, 3, 4};
  auto twenty = convert({1, 2, 3, 4}, 1, 1, 20);
  EXPECT_EQ(twenty.result, PIXELS_BAD_DEPTH);
  ASSERT_NE(twenty.buffer, nullptr);
  EXPECT_EQ(twenty.bytes(4), (std::vector<uint8_t>{0, 0, 0, 0}));
  auto two = convert({1, 2, 3, 4}, 1, 1, 2, &table);
  EXPECT_EQ(two.result, PIXELS_BAD_DEPTH);
  EXPECT_NE(two.buffer, nullptr);
}

TEST(PixelsToRgba, OutputLargerThanA32BitCountIsRefused) {
  auto c = convert({1, 2, 3, 4}, 0x10000, 0x10000, 32);
  EXPECT_EQ(c.result, PIXELS_NO_MEMORY);
  EXPECT_EQ(c.buffer, nullptr);
}

}  // namespace
}  // namespace vellum::test
