// Curves, polygons under both fill modes, insideframe pens and flood fills.
#include <gtest/gtest.h>

#include "tests/render/gdi/gdi_probe.h"

namespace vellum::test {
namespace {

constexpr int NULL_PEN = 5, INSIDEFRAME = 6;

TEST(GdiShapes, ArcsRunCounterClockwiseOnTheOutput) {
  for (bool mirrored : {false, true}) {
    WmfBuilder wmf = gdi_canvas();
    if (mirrored) wmf.set_window_org(0, 100).set_window_ext(100, -100);
    const int north = mirrored ? 100 : 0;  // logical y of the output's top
    wmf.create_pen(0, 0, 255, 0, 0).select_object(0).arc(0, 0, 100, 100, 100, 50, 50, north);
    const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
    EXPECT_GT(pic.ink_bounds(50, 0, 100, 50).right, 90) << "mirrored " << mirrored;
    EXPECT_EQ(pic.ink_bounds(0, 50, 50, 100).right, -1) << "mirrored " << mirrored;
  }
}

TEST(GdiShapes, PieAndChordFillTheirPart) {
  WmfBuilder wmf = gdi_canvas(200, 100);
  wmf.create_pen(NULL_PEN, 0, 0, 0, 0)
      .create_brush(0, 0, 0, 255)
      .select_object(0)
      .select_object(1)
      .pie(0, 0, 100, 100, 100, 50, 50, 0)      // upper-right quarter
      .chord(100, 0, 200, 100, 200, 50, 100, 50);  // upper half
  const GdiPicture pic = play_gdi(wmf.finish(), 200, 100);
  EXPECT_TRUE(pic.is(70, 30, 0, 0, 255)) << pic.describe(70, 30);
  EXPECT_TRUE(pic.blank(30, 30)) << pic.describe(30, 30);
  EXPECT_TRUE(pic.blank(70, 70)) << pic.describe(70, 70);
  EXPECT_TRUE(pic.is(150, 30, 0, 0, 255)) << pic.describe(150, 30);
  EXPECT_TRUE(pic.blank(150, 70)) << pic.describe(150, 70);
}

TEST(GdiShapes, PolyPolygonFillModes) {
  const std::vector<std::vector<std::pair<int, int>>> nested = {
      {{0, 0}, {90, 0}, {90, 90}, {0, 90}}, {{30, 30}, {60, 30}, {60, 60}, {30, 60}}};
  for (int mode : {1, 2}) {
    WmfBuilder wmf = gdi_canvas();
    wmf.create_pen(NULL_PEN, 0, 0, 0, 0)
        .create_brush(0, 0, 128, 0)
        .select_object(0)
        .select_object(1)
        .set_polyfill_mode(mode)
        .poly_polygon(nested);
    const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
    EXPECT_TRUE(pic.is(10, 10, 0, 128, 0)) << pic.describe(10, 10);
    if (mode == 1) EXPECT_TRUE(pic.blank(45, 45)) << "ALTERNATE leaves a hole";
    else EXPECT_TRUE(pic.is(45, 45, 0, 128, 0)) << "WINDING fills it";
  }
}

TEST(GdiShapes, InsideFramePenStaysInTheBox) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(INSIDEFRAME, 10, 255, 0, 0)
      .create_pen(0, 10, 255, 0, 0)
      .create_brush(1, 0, 0, 0)
      .select_object(2)
      .select_object(0)
      .rectangle(20, 20, 40, 40)
      .select_object(1)
      .rectangle(60, 60, 80, 80);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  const auto inside = pic.ink_bounds(0, 0, 50, 50);
  EXPECT_EQ(inside.left, 20);
  EXPECT_EQ(inside.right, 39);
  const auto centred = pic.ink_bounds(50, 50, 100, 100);
  EXPECT_LT(centred.left, 58);  // half the pen lies outside
}

TEST(GdiShapes, RoundRectCornersAreCut) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(NULL_PEN, 0, 0, 0, 0)
      .create_brush(0, 0, 0, 0)
      .select_object(0)
      .select_object(1)
      .round_rect(0, 0, 100, 100, 60, 60);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.blank(2, 2)) << pic.describe(2, 2);
  EXPECT_TRUE(pic.is(50, 2, 0, 0, 0)) << pic.describe(50, 2);
  EXPECT_TRUE(pic.is(2, 50, 0, 0, 0)) << pic.describe(2, 50);
}

TEST(GdiShapes, FloodFillStopsAtTheBorderOrKeepsToTheSurface) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(0, 0, 255, 0, 0)
      .create_brush(1, 0, 0, 0)
      .create_brush(0, 0, 0, 255)
      .select_object(0)
      .select_object(1)
      .rectangle(10, 10, 50, 50)
      .select_object(2);
  wmf.record(0x19, 4).colour(255, 0, 0).words({30, 30}).end();  // FLOODFILL to the red border
  wmf.record(0x48, 5).word(1).colour(255, 255, 255).words({80, 80}).end();  // surface: white
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100, {.white = true});
  EXPECT_TRUE(pic.is(30, 30, 0, 0, 255)) << pic.describe(30, 30);
  EXPECT_TRUE(pic.is(10, 30, 255, 0, 0)) << pic.describe(10, 30);
  EXPECT_TRUE(pic.is(5, 5, 0, 0, 255)) << "the white outside, filled from (80, 80)";
  EXPECT_TRUE(pic.is(30, 30, 0, 0, 255));
}

}  // namespace
}  // namespace vellum::test
