// The thumbnailer entry run as a file manager runs it: its Exec line with
// the size, input and output filled in, the built tools first on PATH.
#include <cairo.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "desktop_fixture.h"
#include "tests/support/command_run.h"

namespace vellum::test {
namespace {

std::string exec_line() {
  std::ifstream entry(VELLUM_SOURCE_DIR "/desktop/thumbnailer/vellum.thumbnailer");
  for (std::string line; std::getline(entry, line);)
    if (line.rfind("Exec=", 0) == 0) return line.substr(5);
  return "";
}

// Fills in one of the entry's fields (%s, %i, %o).
std::string fill(std::string exec, const std::string& field, const std::string& value) {
  const size_t at = exec.find(field);
  if (at != std::string::npos) exec.replace(at, field.size(), value);
  return exec;
}

uint32_t argb_at(cairo_surface_t* surface, int x, int y) {
  cairo_surface_flush(surface);
  const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  return reinterpret_cast<const uint32_t*>(row)[x];
}

TEST(Thumbnailer, WritesAPngFittedIntoTheAskedSize) {
  const std::string exec = exec_line();
  ASSERT_FALSE(exec.empty()) << "the entry has no Exec line";
  const std::string input = write_fixture("thumb me.wmf", red_blue_picture());
  const std::string output = input + ".thumbnail";  // file managers choose names without a .png
  const std::string command = fill(fill(fill(exec, "%s", "64"), "%i", "'" + input + "'"), "%o", "'" + output + "'");
  const CommandRun run = run_command("PATH='" VELLUM_BINARY_DIR "/bin':\"$PATH\" " + command + " 2>&1");
  ASSERT_EQ(run.exit_code, 0) << run.output;

  cairo_surface_t* png = cairo_image_surface_create_from_png(output.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), 64);
  EXPECT_EQ(cairo_image_surface_get_height(png), 32);
  EXPECT_EQ(argb_at(png, 10, 16), 0xFFFF0000u);
  EXPECT_EQ(argb_at(png, 54, 16), 0xFF0000FFu);
  cairo_surface_destroy(png);
}

}  // namespace
}  // namespace vellum::test
