#include "render/gdi/dib.h"

#include <gtest/gtest.h>

#include "tests/support/raster_records.h"

namespace vellum::gdi {
namespace {

using test::Dib;

constexpr uint32_t RED = 0xFF0000, GREEN = 0x00FF00, BLUE = 0x0000FF, WHITE = 0xFFFFFF;

Dib make(int width, int height, int bits, uint32_t compression = 0) {
  Dib dib;
  dib.width = width;
  dib.height = height;
  dib.bits_per_pixel = bits;
  dib.compression = compression;
  return dib;
}

test::Bitmap16 bitmap16(int width, int height, int bytes_per_row, uint8_t bits) {
  test::Bitmap16 b;
  b.width = width;
  b.height = height;
  b.bytes_per_row = bytes_per_row;
  b.bits_per_pixel = bits;
  return b;
}

BitmapStatus decode(const Dib& dib, Bitmap* out, DibColours colours = {}) {
  const std::vector<uint8_t> bytes = dib.bytes();
  return decode_dib(ByteReader(bytes.data(), bytes.size(), ByteOrder::little), colours, out);
}

// The four pixels of a 2 x 2 bitmap, top row first.
std::vector<uint32_t> quad(const Bitmap& b) {
  return {b.pixel(0, 0), b.pixel(1, 0), b.pixel(0, 1), b.pixel(1, 1)};
}

const std::vector<uint32_t> EXPECTED{RED, GREEN, BLUE, WHITE};

Dib indexed(int bits) {
  Dib dib = make(2, 2, bits);
  dib.colours = {0x000000, RED, GREEN, BLUE, WHITE};
  if (bits == 1) dib.colours = {RED, GREEN};
  return dib;
}

TEST(GdiDib, EachIndexedDepth) {
  for (int bits : {4, 8}) {
    Dib dib = indexed(bits);
    dib.colours.resize(size_t(1) << bits);
    dib.pixels({1, 2, 3, 4});
    Bitmap b;
    ASSERT_EQ(decode(dib, &b), BitmapStatus::ok) << bits;
    EXPECT_EQ(quad(b), EXPECTED) << bits << " bits";
    EXPECT_TRUE(b.bottom_up());
  }
  Dib mono = indexed(1);
  mono.pixels({0, 1, 1, 0});
  Bitmap b;
  ASSERT_EQ(decode(mono, &b), BitmapStatus::ok);
  EXPECT_EQ(quad(b), (std::vector<uint32_t>{RED, GREEN, GREEN, RED}));
}

TEST(GdiDib, ShortTableFromColoursUsed) {
  Dib dib = indexed(8);
  dib.colours_used = 5;
  dib.pixels({1, 2, 3, 200});  // 200 lies past the table: black
  Bitmap b;
  ASSERT_EQ(decode(dib, &b), BitmapStatus::ok);
  EXPECT_EQ(quad(b), (std::vector<uint32_t>{RED, GREEN, BLUE, 0}));
}

TEST(GdiDib, EachDirectDepth) {
  Dib d24 = make(2, 2, 24);
  d24.pixels(EXPECTED);
  Dib d32 = make(2, 2, 32);
  d32.pixels({RED | 0xAB000000u, GREEN, BLUE, WHITE});  // the fourth byte is not alpha
  Dib d16 = make(2, 2, 16);
  d16.pixels({0x7C00, 0x03E0, 0x001F, 0x7FFF});  // 5-5-5
  for (const Dib* dib : {&d24, &d32, &d16}) {
    Bitmap b;
    ASSERT_EQ(decode(*dib, &b), BitmapStatus::ok) << dib->bits_per_pixel;
    EXPECT_EQ(quad(b), EXPECTED) << dib->bits_per_pixel << " bits";
  }
}

TEST(GdiDib, BitFields565And32) {
  Dib d16 = make(2, 2, 16, 3);
  d16.masks = {0xF800, 0x07E0, 0x001F};
  d16.pixels({0xF800, 0x07E0, 0x001F, 0x8410});  // 0x8410: half of each channel
  Bitmap b;
  ASSERT_EQ(decode(d16, &b), BitmapStatus::ok);
  EXPECT_EQ(b.pixel(0, 0), RED);
  EXPECT_EQ(b.pixel(1, 0), GREEN);
  EXPECT_EQ(b.pixel(0, 1), BLUE);
  EXPECT_EQ(b.pixel(1, 1), 0x848284u);  // 16/31, 32/63, 16/31 of 255, rounded
  Dib d32 = make(2, 2, 32, 3);
  d32.masks = {0x000003FF, 0x000FFC00, 0x3FF00000};  // 10-10-10, red lowest
  d32.pixels({0x3FF, 0x3FF << 10, 0x3FFu << 20, 0x3FFFFFFF});
  ASSERT_EQ(decode(d32, &b), BitmapStatus::ok);
  EXPECT_EQ(quad(b), EXPECTED);
}

TEST(GdiDib, TopDownRowsAndCoreHeader) {
  Dib top = make(2, -2, 24);
  top.pixels(EXPECTED);
  Bitmap b;
  ASSERT_EQ(decode(top, &b), BitmapStatus::ok);
  EXPECT_EQ(quad(b), EXPECTED);
  EXPECT_FALSE(b.bottom_up());
  Dib core = indexed(8);
  core.core_header = true;
  core.colours.resize(256);
  core.pixels({1, 2, 3, 4});
  ASSERT_EQ(decode(core, &b), BitmapStatus::ok);
  EXPECT_EQ(quad(b), EXPECTED);
}

TEST(GdiDib, PaletteColoursAndIndices) {
  const std::vector<uint32_t> palette{0x000000, RED, GREEN, BLUE, WHITE};
  Dib dib = indexed(8);
  dib.colours.clear();
  dib.colours_used = 4;
  dib.palette_indexes = {4, 3, 2, 1};
  dib.pixels({3, 2, 1, 0});
  Bitmap b;
  ASSERT_EQ(decode(dib, &b, {DIB_PAL_COLORS, palette}), BitmapStatus::ok);
  EXPECT_EQ(quad(b), EXPECTED);
  // Without a selected palette the default one answers: index 1 is dark red.
  ASSERT_EQ(decode(dib, &b, {DIB_PAL_COLORS, {}}), BitmapStatus::ok);
  EXPECT_EQ(b.pixel(0, 0), 0x800000u);
  EXPECT_EQ(b.pixel(1, 1), 0x000080u);
  Dib direct = indexed(8);
  direct.colours.clear();
  direct.pixels({1, 2, 3, 4});
  ASSERT_EQ(decode(direct, &b, {DIB_PAL_INDICES, palette}), BitmapStatus::ok);
  EXPECT_EQ(quad(b), EXPECTED);
}

// RLE8: a run, an absolute run, end of line, a delta, end of bitmap.
TEST(GdiDib, Rle8RunsAbsoluteDeltaAndGaps) {
  Dib dib = make(4, 3, 8, 1);
  dib.colours = {WHITE, RED, GREEN, BLUE};
  dib.colours_used = 4;
  dib.bits = {3, 1,           // bottom row: 3 red
              0, 0,           // end of line (x 3 keeps index 0)
              0, 3, 2, 3, 1, 0,  // absolute: green, blue, red, padded
              0, 2, 0, 1,     // delta up one row, same x (3)
              1, 2,           // top row, x 3: green
              0, 1};          // end of bitmap
  Bitmap b;
  ASSERT_EQ(decode(dib, &b), BitmapStatus::ok);
  EXPECT_EQ(b.pixel(0, 2), RED);
  EXPECT_EQ(b.pixel(2, 2), RED);
  EXPECT_EQ(b.pixel(3, 2), WHITE);
  EXPECT_EQ(b.pixel(0, 1), GREEN);
  EXPECT_EQ(b.pixel(1, 1), BLUE);
  EXPECT_EQ(b.pixel(2, 1), RED);
  EXPECT_EQ(b.pixel(3, 1), WHITE);  // skipped by the delta
  EXPECT_EQ(b.pixel(0, 0), WHITE);
  EXPECT_EQ(b.pixel(3, 0), GREEN);
}

TEST(GdiDib, Rle4NibblesAndOddAbsoluteRuns) {
  Dib dib = make(5, 2, 4, 2);
  dib.colours = {WHITE, RED, GREEN, BLUE};
  dib.colours.resize(16);
  dib.bits = {5, 0x12,              // bottom row: red green red green red
              0, 0,
              0, 3, 0x31, 0x20,     // absolute: blue red green (two bytes, a whole word)
              0, 1};
  Bitmap b;
  ASSERT_EQ(decode(dib, &b), BitmapStatus::ok);
  EXPECT_EQ(b.pixel(0, 1), RED);
  EXPECT_EQ(b.pixel(1, 1), GREEN);
  EXPECT_EQ(b.pixel(4, 1), RED);
  EXPECT_EQ(b.pixel(0, 0), BLUE);
  EXPECT_EQ(b.pixel(1, 0), RED);
  EXPECT_EQ(b.pixel(2, 0), GREEN);
  EXPECT_EQ(b.pixel(3, 0), WHITE);
}

// Runs past the right edge are cut, rows past the top are dropped, and an
// absolute run longer than the code ends the image.
TEST(GdiDib, RleRunningPastTheImageStaysInside) {
  Dib dib = make(2, 1, 8, 1);
  dib.colours = {WHITE, RED};
  dib.colours_used = 2;
  dib.bits = {200, 1, 0, 0, 200, 1, 0, 2, 255, 255, 7, 1, 0, 250, 1};
  Bitmap b;
  ASSERT_EQ(decode(dib, &b), BitmapStatus::ok);
  EXPECT_EQ(b.pixel(0, 0), RED);
  EXPECT_EQ(b.pixel(1, 0), RED);
}

// Sizes claimed against the bytes present: refused before any allocation.
TEST(GdiDib, HostileClaimsAreRefusedCheaply) {
  Dib huge = make(65535, 65535, 24);
  huge.bits.assign(64, 0);
  Bitmap b;
  EXPECT_EQ(decode(huge, &b), BitmapStatus::truncated);
  EXPECT_FALSE(b);
  Dib widest = make(0x7FFFFFFF, -0x7FFFFFFF, 32);
  EXPECT_EQ(decode(widest, &b), BitmapStatus::truncated);
  Dib rle = make(65535, 65535, 8, 1);
  rle.colours = {0};
  rle.colours_used = 1;
  rle.bits = {0, 1};
  EXPECT_EQ(decode(rle, &b), BitmapStatus::too_large);
  // 1000 x 1000 needs at least ~1000 bytes of code.
  rle.width = rle.height = 1000;
  EXPECT_EQ(decode(rle, &b), BitmapStatus::ok);
  rle.width = rle.height = 4000;
  EXPECT_EQ(decode(rle, &b), BitmapStatus::too_large);

  Dib short_table = indexed(8);
  short_table.colours.resize(100);  // 256 promised by the depth
  EXPECT_EQ(decode(short_table, &b), BitmapStatus::truncated);
  Dib short_bits = make(2, 2, 24);
  short_bits.pixels(EXPECTED);
  short_bits.bits.pop_back();
  EXPECT_EQ(decode(short_bits, &b), BitmapStatus::truncated);
  Dib many = make(1, 1, 24);
  many.colours_used = 0xFFFFFFFF;
  many.pixels({RED});
  EXPECT_EQ(decode(many, &b), BitmapStatus::truncated);

  const std::vector<uint8_t> stub{40, 0, 0, 0, 2, 0};
  EXPECT_EQ(decode_dib(ByteReader(stub.data(), stub.size(), ByteOrder::little), {}, &b),
            BitmapStatus::truncated);
}

TEST(GdiDib, WhatDisplayGdiDoesNotDraw) {
  Bitmap b;
  Dib two_bits = make(2, 2, 2);
  two_bits.bits.assign(8, 0);
  EXPECT_EQ(decode(two_bits, &b), BitmapStatus::unsupported);
  Dib jpeg = make(2, 2, 0, 4);
  jpeg.bits.assign(8, 0);
  EXPECT_EQ(decode(jpeg, &b), BitmapStatus::unsupported);
  Dib top_down_rle = make(2, -2, 8, 1);
  top_down_rle.colours.resize(256);
  top_down_rle.bits = {0, 1};
  EXPECT_EQ(decode(top_down_rle, &b), BitmapStatus::unsupported);
  Dib rle_depth = make(2, 2, 24, 1);
  rle_depth.bits = {0, 1};
  EXPECT_EQ(decode(rle_depth, &b), BitmapStatus::unsupported);
  Dib empty = make(0, 2, 24);
  EXPECT_EQ(decode(empty, &b), BitmapStatus::empty);
}

BitmapStatus decode16(const test::Bitmap16& bm, uint32_t fg, uint32_t bg, Bitmap* out) {
  std::vector<uint8_t> bytes;
  test::put_u16(bytes, 0);
  test::put_u16(bytes, uint16_t(bm.width));
  test::put_u16(bytes, uint16_t(bm.height));
  test::put_u16(bytes, uint16_t(bm.bytes_per_row));
  bytes.push_back(bm.planes);
  bytes.push_back(bm.bits_per_pixel);
  bytes.insert(bytes.end(), bm.pixels.begin(), bm.pixels.end());
  ByteReader r(bytes.data(), bytes.size(), ByteOrder::little);
  Bitmap16Header h;
  if (!read_bitmap16_header(r, &h)) return BitmapStatus::truncated;
  return decode_bitmap16(h, r, fg, bg, out);
}

TEST(GdiDib, Bitmap16MonochromeTakesTextAndBackgroundColours) {
  test::Bitmap16 mono = bitmap16(3, 2, 2, 1);
  mono.pixels = {0xA0, 0, 0x40, 0};  // top row 1 0 1, then 0 1 0
  Bitmap b;
  ASSERT_EQ(decode16(mono, RED, WHITE, &b), BitmapStatus::ok);
  EXPECT_FALSE(b.bottom_up());
  EXPECT_EQ(b.pixel(0, 0), WHITE);
  EXPECT_EQ(b.pixel(1, 0), RED);
  EXPECT_EQ(b.pixel(1, 1), WHITE);
  EXPECT_EQ(b.pixel(2, 1), RED);
}

TEST(GdiDib, Bitmap16ColourAndSizeChecks) {
  test::Bitmap16 rgb = bitmap16(2, 1, 6, 24);
  rgb.pixels = {0, 0, 255, 255, 0, 0};
  Bitmap b;
  ASSERT_EQ(decode16(rgb, 0, 0, &b), BitmapStatus::ok);
  EXPECT_EQ(b.pixel(0, 0), RED);
  EXPECT_EQ(b.pixel(1, 0), BLUE);
  rgb.bytes_per_row = 4;  // narrower than two 3-byte pixels
  EXPECT_EQ(decode16(rgb, 0, 0, &b), BitmapStatus::truncated);
  rgb.bytes_per_row = 6;
  rgb.height = 30000;
  EXPECT_EQ(decode16(rgb, 0, 0, &b), BitmapStatus::truncated);
  rgb.height = 1;
  rgb.planes = 4;
  EXPECT_EQ(decode16(rgb, 0, 0, &b), BitmapStatus::unsupported);
  test::Bitmap16 vga = bitmap16(2, 1, 2, 4);
  vga.pixels = {0x9C, 0};  // bright red, bright blue
  ASSERT_EQ(decode16(vga, 0, 0, &b), BitmapStatus::ok);
  EXPECT_EQ(b.pixel(0, 0), RED);
  EXPECT_EQ(b.pixel(1, 0), BLUE);
}

}  // namespace
}  // namespace vellum::gdi
