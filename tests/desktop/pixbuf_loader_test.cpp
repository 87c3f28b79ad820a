// The gdk-pixbuf loader as GTK programs use it: GdkPixbuf finds it through a
// loaders cache that gdk-pixbuf-query-loaders wrote for the built module.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "desktop_fixture.h"
#include "gdk_pixbuf_cache.h"

namespace vellum::test {
namespace {

struct Rgba {
  int r, g, b, a;
  bool operator==(const Rgba&) const = default;
};

Rgba pixel(GdkPixbuf* pixbuf, int x, int y) {
  const guchar* p = gdk_pixbuf_get_pixels(pixbuf) + y * gdk_pixbuf_get_rowstride(pixbuf) +
                    x * gdk_pixbuf_get_n_channels(pixbuf);
  return {p[0], p[1], p[2], p[3]};
}

const Rgba RED{255, 0, 0, 255}, BLUE{0, 0, 255, 255};

class PixbufLoader : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { use_built_loader(); }
};

// Known by its first bytes whatever its name.
TEST_F(PixbufLoader, OpensAtTheNaturalSizeWithStraightRgba) {
  GError* error = nullptr;
  GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(write_fixture("natural.bin", red_blue_picture()).c_str(), &error);
  ASSERT_NE(pixbuf, nullptr) << error->message;
  EXPECT_EQ(gdk_pixbuf_get_width(pixbuf), 200);
  EXPECT_EQ(gdk_pixbuf_get_height(pixbuf), 100);
  EXPECT_TRUE(gdk_pixbuf_get_has_alpha(pixbuf));
  EXPECT_EQ(pixel(pixbuf, 10, 50), RED);
  EXPECT_EQ(pixel(pixbuf, 190, 50), BLUE);
  g_object_unref(pixbuf);
}

// Drawn at the asked size, the halves meet on one sharp pixel edge; a
// picture scaled up afterwards would blend them there.
TEST_F(PixbufLoader, DrawsAtTheSizeAskedFor) {
  const std::string path = write_fixture("at-size.wmf", red_blue_picture());
  GError* error = nullptr;
  GdkPixbuf* larger = gdk_pixbuf_new_from_file_at_size(path.c_str(), 400, 400, &error);
  ASSERT_NE(larger, nullptr) << error->message;
  EXPECT_EQ(gdk_pixbuf_get_width(larger), 400);
  EXPECT_EQ(gdk_pixbuf_get_height(larger), 200);
  EXPECT_EQ(pixel(larger, 199, 100), RED);
  EXPECT_EQ(pixel(larger, 200, 100), BLUE);
  g_object_unref(larger);
}

TEST_F(PixbufLoader, KnowsFilesWithoutThePlaceableHeaderByTheirBytes) {
  int width = 0, height = 0;
  GdkPixbufFormat* format =
      gdk_pixbuf_get_file_info(write_fixture("headerless.bin", headerless_picture()).c_str(), &width, &height);
  ASSERT_NE(format, nullptr);
  gchar* name = gdk_pixbuf_format_get_name(format);
  EXPECT_STREQ(name, "wmf");
  g_free(name);
  EXPECT_EQ(width, 300);
  EXPECT_EQ(height, 150);
}

// Broken files end in a GError that says why, never in a crash.
TEST_F(PixbufLoader, RefusesBrokenFilesWithAReason) {
  std::vector<uint8_t> truncated = red_blue_picture();
  truncated.resize(20);
  std::vector<uint8_t> empty_frame = red_blue_picture();
  empty_frame[10] = empty_frame[6];  // right = left
  empty_frame[11] = empty_frame[7];
  for (const auto& [name, bytes] : {std::pair{"truncated.wmf", truncated}, std::pair{"empty.wmf", empty_frame}}) {
    GError* error = nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(write_fixture(name, bytes).c_str(), &error);
    EXPECT_EQ(pixbuf, nullptr) << name;
    ASSERT_NE(error, nullptr) << name;
    EXPECT_EQ(error->domain, GDK_PIXBUF_ERROR) << name;
    EXPECT_NE(std::string(error->message).find("WMF"), std::string::npos) << error->message;
    g_error_free(error);
  }
}

}  // namespace
}  // namespace vellum::test
