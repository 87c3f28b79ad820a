// Pixel arrays into rast ports: premultiplied blending, global alpha and
// clipping, checked against hand-computed values.
#include <gtest/gtest.h>

#include <proto/cybergraphics.h>

#include "mui_test_support.h"

namespace {

using mui_test::Canvas;

TEST(WritePixelArrayAlpha, BlendsPremultipliedPixelsOverTheRastPort) {
  Canvas canvas(4, 1, 0xFFFFFFFF);  // opaque white
  const uint32_t source[4] = {
      0xFF102030,  // opaque: replaces
      0x80800000,  // half-covered red, premultiplied
      0x00000000,  // transparent: leaves white
      0x40004000,  // quarter-covered green
  };
  EXPECT_EQ(WritePixelArrayAlpha((APTR)source, 0, 0, 16, &canvas.port, 0, 0, 4, 1, 0xFFFFFFFF), 4u);
  EXPECT_EQ(canvas.at(0, 0), 0xFF102030u);
  // 0x80 + 0xFF * (255 - 128) / 255 = 255 for alpha and red, 127 for green and blue.
  EXPECT_EQ(canvas.at(1, 0), 0xFFFF7F7Fu);
  EXPECT_EQ(canvas.at(2, 0), 0xFFFFFFFFu);
  // 255 * 191 / 255 = 191 added to 0x00, 0x40 and 0x00.
  EXPECT_EQ(canvas.at(3, 0), 0xFFBFFFBFu);
}

TEST(WritePixelArrayAlpha, GlobalAlphaScalesTheSourceFirst) {
  Canvas canvas(1, 1, 0xFF000000);
  const uint32_t blue = 0xFF0000FF;
  WritePixelArrayAlpha((APTR)&blue, 0, 0, 4, &canvas.port, 0, 0, 1, 1, 0x80000000);
  // Source scaled to 0x80: blue 128 over black.
  EXPECT_EQ(canvas.at(0, 0), 0xFF000080u);
  WritePixelArrayAlpha((APTR)&blue, 0, 0, 4, &canvas.port, 0, 0, 1, 1, 0);
  EXPECT_EQ(canvas.at(0, 0), 0xFF000080u);  // zero opacity changes nothing
}

TEST(WritePixelArrayAlpha, ReadsFromTheSourceOffsetAndModulo) {
  // A 3 x 2 source with a row modulo of 16 bytes (one spare pixel per row).
  const uint32_t source[8] = {0xFF000001, 0xFF000002, 0xFF000003, 0,
                              0xFF000011, 0xFF000012, 0xFF000013, 0};
  Canvas canvas(2, 1, 0);
  WritePixelArrayAlpha((APTR)source, 1, 1, 16, &canvas.port, 0, 0, 2, 1, 0xFFFFFFFF);
  EXPECT_EQ(canvas.at(0, 0), 0xFF000012u);
  EXPECT_EQ(canvas.at(1, 0), 0xFF000013u);
}

TEST(WritePixelArrayAlpha, ClipsToTheBitmapAndRefusesWhatIsNotThere) {
  Canvas canvas(5, 5, 0xFF000000);
  std::vector<uint32_t> source(16, 0xFFFFFFFF);
  // Only the 2 x 2 corner inside the bitmap is written.
  EXPECT_EQ(WritePixelArrayAlpha(source.data(), 0, 0, 16, &canvas.port, 3, 3, 4, 4, 0xFFFFFFFF), 4u);
  EXPECT_EQ(canvas.at(4, 4), 0xFFFFFFFFu);
  EXPECT_EQ(canvas.at(2, 4), 0xFF000000u);
  EXPECT_EQ(WritePixelArrayAlpha(source.data(), 0, 0, 16, &canvas.port, 5, 0, 4, 4, 0xFFFFFFFF), 0u);
  EXPECT_EQ(WritePixelArrayAlpha(nullptr, 0, 0, 16, &canvas.port, 0, 0, 4, 4, 0xFFFFFFFF), 0u);
  struct RastPort bare;
  InitRastPort(&bare);
  EXPECT_EQ(WritePixelArrayAlpha(source.data(), 0, 0, 16, &bare, 0, 0, 4, 4, 0xFFFFFFFF), 0u);
}

TEST(FillPixelArray, FillsOpaqueAndClips) {
  Canvas canvas(3, 3, 0);
  EXPECT_EQ(FillPixelArray(&canvas.port, 1, 1, 10, 10, 0x00123456), 4u);
  EXPECT_EQ(canvas.at(2, 2), 0xFF123456u);
  EXPECT_EQ(canvas.at(0, 0), 0u);
}

TEST(HostInitARGBBitMap, RefusesSizesABitmapCannotDescribe) {
  uint32_t pixel = 0;
  struct BitMap bitmap;
  EXPECT_FALSE(HostInitARGBBitMap(&bitmap, &pixel, 2, 1, 4));      // rows overlap
  EXPECT_FALSE(HostInitARGBBitMap(&bitmap, &pixel, 20000, 1, 80000));
  EXPECT_FALSE(HostInitARGBBitMap(&bitmap, nullptr, 1, 1, 4));
  EXPECT_EQ(bitmap.Planes[0], nullptr);
  EXPECT_TRUE(HostInitARGBBitMap(&bitmap, &pixel, 1, 1, 4));
}

}  // namespace
