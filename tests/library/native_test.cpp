// libvellum: images the caller owns, the caller's bytes left alone, PNG out.
#include <gtest/gtest.h>

#include <cairo.h>

#include <vellum/vellum.hpp>

#include "library_fixture.h"

namespace library_test {
namespace {

TEST(NativeApi, RendersMemoryAtTheLimitWithoutChangingTheBytes) {
  std::vector<uint8_t> bytes = placeable_wmf(400, 100);
  std::vector<uint8_t> original = bytes;
  int status = 1;
  vellum::Image image = vellum::render_memory(bytes.data(), bytes.size(), VELLUM_DEFAULT_MAX_SIZE, &status);
  EXPECT_EQ(status, VELLUM_OK);
  ASSERT_TRUE(image);
  EXPECT_EQ(image.width(), 200u);
  EXPECT_EQ(image.height(), 50u);
  EXPECT_EQ(image.stride(), 800u);
  EXPECT_EQ(bytes, original);
  vellum::Image larger = vellum::render_memory(bytes.data(), bytes.size(), 1000);
  EXPECT_EQ(larger.width(), 400u);
  EXPECT_EQ(larger.height(), 100u);
}

TEST(NativeApi, FailuresNameTheirCauseAndLeaveNoImage) {
  vellum_image image = {7, 7, 28, nullptr};
  EXPECT_EQ(vellum_render_file("/nonexistent/picture.wmf", 200, &image), VELLUM_ERROR_INPUT);
  EXPECT_EQ(image.width, 0u);
  EXPECT_EQ(vellum_render_file(nullptr, 200, &image), VELLUM_ERROR_INPUT);
  EXPECT_EQ(vellum_render_memory(nullptr, 10, 200, &image), VELLUM_ERROR_INPUT);
  std::vector<uint8_t> bytes = placeable_wmf(40, 30);
  EXPECT_EQ(vellum_render_memory(bytes.data(), 0, 200, &image), VELLUM_ERROR_INPUT);
  EXPECT_EQ(vellum_render_memory(bytes.data(), bytes.size(), 200, nullptr), VELLUM_ERROR_INPUT);
  bytes[0] ^= 0xFF;
  EXPECT_EQ(vellum_render_memory(bytes.data(), bytes.size(), 200, &image), VELLUM_ERROR_FORMAT);
  EXPECT_EQ(vellum_render_file(write_file("native-not-placeable.wmf", bytes).c_str(), 200, &image),
            VELLUM_ERROR_FORMAT);
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_EQ(vellum_image_write_png(&image, (::testing::TempDir() + "never.png").c_str()), -1);
  vellum_image_free(&image);
  vellum_image_free(nullptr);
}

TEST(NativeApi, PngHoldsThePictureAsRendered) {
  std::string wmf = write_file("native-picture.wmf", placeable_wmf(120, 80));
  vellum::Image image = vellum::render_file(wmf, 60);
  ASSERT_TRUE(image);
  std::string png = ::testing::TempDir() + "native-picture.png";
  ASSERT_TRUE(image.write_png(png));
  cairo_surface_t* read = cairo_image_surface_create_from_png(png.c_str());
  ASSERT_EQ(cairo_surface_status(read), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(read), 60);
  EXPECT_EQ(cairo_image_surface_get_height(read), 40);
  cairo_surface_flush(read);
  const unsigned char* data = cairo_image_surface_get_data(read);
  int stride = cairo_image_surface_get_stride(read);
  for (uint32_t y = 0; y < image.height(); y += 13)
    for (uint32_t x = 0; x < image.width(); x += 7)
      ASSERT_EQ(reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride))[x], image.pixel(x, y))
          << x << "," << y;
  cairo_surface_destroy(read);
}

TEST(NativeApi, ImagesMoveAndFreeOnce) {
  std::vector<uint8_t> bytes = placeable_wmf(30, 20);
  vellum::Image first = vellum::render_memory(bytes.data(), bytes.size());
  const uint32_t* pixels = first.pixels();
  vellum::Image second = std::move(first);
  EXPECT_FALSE(first);
  EXPECT_EQ(second.pixels(), pixels);
  second = vellum::Image();
  EXPECT_FALSE(second);
  EXPECT_EQ(std::string(vellum_version()).rfind("1.", 0), 0u) << "the major version is the soname's";
}

}  // namespace
}  // namespace library_test
