// The example caller end to end: a WMF file in, a PNG of the fitted size out.
#include <cairo.h>

#include <cstdlib>

#include "library_fixture.h"

namespace library_test {
namespace {

int run(const std::string& arguments) {
  std::string command = std::string(VELLUM_BINARY_DIR) + "/bin/vellum-library-png " + arguments + " >/dev/null";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ExampleCaller, RendersAFileToAPng) {
  std::string wmf = write_file("example.wmf", placeable_wmf(300, 150));
  std::string png = ::testing::TempDir() + "example.png";
  std::remove(png.c_str());
  ASSERT_EQ(run(wmf + " " + png), 0);
  cairo_surface_t* read = cairo_image_surface_create_from_png(png.c_str());
  ASSERT_EQ(cairo_surface_status(read), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(read), 200);
  EXPECT_EQ(cairo_image_surface_get_height(read), 100);
  cairo_surface_destroy(read);

  ASSERT_EQ(run(wmf + " " + png + " SIZE 60"), 0);
  read = cairo_image_surface_create_from_png(png.c_str());
  EXPECT_EQ(cairo_image_surface_get_width(read), 60);
  cairo_surface_destroy(read);
}

TEST(ExampleCaller, RefusesWhatItCannotDo) {
  EXPECT_EQ(run(""), 20);
  EXPECT_EQ(run("/nonexistent.wmf out.png"), 20);
  std::vector<uint8_t> bytes = placeable_wmf(30, 30);
  bytes[0] ^= 0xFF;
  EXPECT_EQ(run(write_file("example-not-placeable.wmf", bytes) + " " + ::testing::TempDir() + "x.png"), 20);
}

}  // namespace
}  // namespace library_test
