// The PNG writer: pixels read back as written, opaque pictures and
// translucent ones alike, and a failed write reported.
#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>
#include <vector>

#include "tools/common/png_writer.h"

namespace vellum::tools {
namespace {

std::vector<uint32_t> write_and_read(const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height) {
  const std::string path = (std::filesystem::path(::testing::TempDir()) / "png_writer_test.png").string();
  OutputFile out;
  EXPECT_TRUE(out.open(path));
  EXPECT_TRUE(write_png(pixels.data(), width, height, &out));
  EXPECT_TRUE(out.commit());
  cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
  std::vector<uint32_t> read;
  if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
    EXPECT_EQ(uint32_t(cairo_image_surface_get_width(image)), width);
    EXPECT_EQ(uint32_t(cairo_image_surface_get_height(image)), height);
    const auto* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (uint32_t y = 0; y < height; ++y)
      for (uint32_t x = 0; x < width; ++x) read.push_back(reinterpret_cast<const uint32_t*>(data + y * stride)[x]);
  }
  cairo_surface_destroy(image);
  std::filesystem::remove(path);
  return read;
}

TEST(PngWriter, OpaquePixelsComeBackExactly) {
  std::vector<uint32_t> pixels;
  for (uint32_t i = 0; i < 7 * 5; ++i) pixels.push_back(0xFF000000u | (i * 0x2F1B07u & 0xFFFFFFu));
  EXPECT_EQ(write_and_read(pixels, 7, 5), pixels);
}

TEST(PngWriter, TranslucentPixelsKeepAlphaAndColour) {
  // Premultiplied: red at half alpha, a dim grey at a quarter, nothing at all.
  const std::vector<uint32_t> pixels = {0x80800000u, 0x40202020u, 0x00000000u, 0xFF0000FFu};
  const std::vector<uint32_t> read = write_and_read(pixels, 2, 2);
  ASSERT_EQ(read.size(), pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i)
    for (int shift : {24, 16, 8, 0})
      EXPECT_NEAR(int(read[i] >> shift & 0xFF), int(pixels[i] >> shift & 0xFF), 1)
          << "pixel " << i << " shift " << shift << std::hex << " read " << read[i];
}

TEST(PngWriter, FullDeviceIsAFailure) {
  OutputFile out;
  ASSERT_TRUE(out.open("/dev/full"));
  const std::vector<uint32_t> pixels(64 * 64, 0xFF336699u);
  EXPECT_FALSE(write_png(pixels.data(), 64, 64, &out));
}

}  // namespace
}  // namespace vellum::tools
