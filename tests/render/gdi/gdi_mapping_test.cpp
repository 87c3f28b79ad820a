// Window and viewport mapping in every map mode, the frames of placeable
// and non-placeable files, and the records that move or scale the mapping.
#include <gtest/gtest.h>

#include "render/draw/mapping.h"
#include "tests/render/gdi/gdi_probe.h"

namespace vellum::test {
namespace {

constexpr int NULL_PEN = 5;

// A blue brush, no pen, ready to paint rectangles.
WmfBuilder& blue_fill(WmfBuilder& wmf) {
  return wmf.create_pen(NULL_PEN, 0, 0, 0, 0)
      .create_brush(0, 0, 0, 255)
      .select_object(0)
      .select_object(1);
}

TEST(GdiMapping, FormulaAndIsotropicShrink) {
  draw::Mapping m;
  m.set_mode(draw::MM_ANISOTROPIC);
  m.set_window_org(10, 20);
  m.set_window_ext(100, 200);
  m.set_viewport_org(5, 5);
  m.set_viewport_ext(50, 50);
  EXPECT_DOUBLE_EQ(m.x(110), 55);
  EXPECT_DOUBLE_EQ(m.y(220), 55);
  m.set_mode(draw::MM_ISOTROPIC);
  m.set_window_ext(100, 200);
  m.set_viewport_ext(50, 50);  // shrinks to the smaller scale: 0.25
  EXPECT_DOUBLE_EQ(m.scale_x(), 0.25);
  EXPECT_DOUBLE_EQ(m.scale_y(), 0.25);
  m.set_viewport_ext(50, -50);  // the sign is kept
  EXPECT_DOUBLE_EQ(m.scale_y(), -0.25);
}

TEST(GdiMapping, FixedModesIgnoreExtentsAndRunUp) {
  draw::Mapping m;
  m.set_mode(draw::MM_LOMETRIC);
  m.set_window_ext(5, 5);  // ignored
  EXPECT_NEAR(m.x(100), 37.8, 0.01);  // 100 x 0.1 mm at 96 dpi
  EXPECT_NEAR(m.y(100), -37.8, 0.01);
  m.set_mode(draw::MM_HIMETRIC);
  EXPECT_NEAR(m.x(1000), 37.8, 0.01);
  m.set_mode(draw::MM_LOENGLISH);
  EXPECT_NEAR(m.x(100), 96, 1e-9);
  m.set_mode(draw::MM_HIENGLISH);
  EXPECT_NEAR(m.x(1000), 96, 1e-9);
  m.set_mode(draw::MM_TWIPS);
  EXPECT_NEAR(m.x(1440), 96, 1e-9);
  EXPECT_NEAR(m.y(1440), -96, 1e-9);
  m.set_mode(draw::MM_TEXT);
  EXPECT_DOUBLE_EQ(m.x(7), 7);
  m.set_mode(draw::MM_ANISOTROPIC);  // keeps MM_TEXT's 1:1
  EXPECT_DOUBLE_EQ(m.y(7), 7);
  m.set_mode(99);  // ignored
  EXPECT_EQ(m.mode, draw::MM_ANISOTROPIC);
}

TEST(GdiMapping, PlaceableBoxThenTheFilesOwnWindow) {
  WmfBuilder wmf;
  wmf.placeable(-100, -100, 100, 100);
  blue_fill(wmf).rectangle(-100, -100, 0, 0);  // the box's top-left quarter
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(25, 25, 0, 0, 255)) << pic.describe(25, 25);
  EXPECT_TRUE(pic.blank(75, 75)) << pic.describe(75, 75);

  WmfBuilder own;
  own.placeable(-100, -100, 100, 100).set_window_org(0, 0).set_window_ext(400, 400);
  blue_fill(own).rectangle(0, 0, 200, 200);  // the file's window wins
  const GdiPicture pic2 = play_gdi(own.finish(), 100, 100);
  EXPECT_TRUE(pic2.is(25, 25, 0, 0, 255)) << pic2.describe(25, 25);
  EXPECT_TRUE(pic2.blank(75, 75)) << pic2.describe(75, 75);
}

TEST(GdiMapping, FileWithoutPlaceableIsFramedByItsWindow) {
  WmfBuilder wmf;  // no placeable header
  wmf.set_window_org(1000, 1000).set_window_ext(200, 100);
  blue_fill(wmf).rectangle(1100, 1000, 1200, 1050);
  const auto bytes = wmf.finish();
  gdi::Frame frame{};
  ASSERT_TRUE(gdi::find_frame(bytes.data(), bytes.size(), &frame));
  EXPECT_EQ(frame.left, 1000);
  EXPECT_EQ(frame.right, 1200);
  EXPECT_EQ(frame.bottom, 1100);
  EXPECT_FALSE(frame.placeable);
  const GdiPicture pic = play_gdi(bytes, 100, 50);
  EXPECT_TRUE(pic.is(75, 10, 0, 0, 255)) << pic.describe(75, 10);
  EXPECT_TRUE(pic.blank(25, 10)) << pic.describe(25, 10);

  WmfBuilder bare;
  bare.rectangle(0, 0, 10, 10);
  const auto none = bare.finish();
  EXPECT_FALSE(gdi::find_frame(none.data(), none.size(), &frame));
  const std::vector<uint8_t> junk = {1, 2, 3};
  EXPECT_FALSE(gdi::find_frame(junk.data(), junk.size(), &frame));
  EXPECT_EQ(play_gdi(junk, 10, 10).played, -1);
}

TEST(GdiMapping, NegativeExtentMirrors) {
  // Oracle: window org (0,100), ext (100,-100): logical y=10 at device y=90.
  WmfBuilder wmf = gdi_canvas();
  wmf.set_window_org(0, 100).set_window_ext(100, -100);
  blue_fill(wmf).rectangle(0, 0, 100, 10);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(50, 95, 0, 0, 255)) << pic.describe(50, 95);
  EXPECT_TRUE(pic.blank(50, 5)) << pic.describe(50, 5);
}

TEST(GdiMapping, ViewportRecordsAndCallerViewport) {
  WmfBuilder wmf = gdi_canvas();
  wmf.set_map_mode(8).set_viewport_org(50, 0).set_viewport_ext(50, 100);
  blue_fill(wmf).rectangle(0, 0, 100, 100);
  const GdiPicture own = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(own.is(75, 50, 0, 0, 255)) << own.describe(75, 50);
  EXPECT_TRUE(own.blank(25, 50)) << own.describe(25, 50);
  const GdiPicture host = play_gdi(wmf.finish(), 100, 100, {.caller_viewport = true});
  EXPECT_TRUE(host.is(25, 50, 0, 0, 255)) << host.describe(25, 50);
}

TEST(GdiMapping, OffsetAndScaleRecords) {
  WmfBuilder wmf = gdi_canvas();
  wmf.set_map_mode(8).offset_window_org(-50, 0).scale_window_ext(2, 1, 1, 1);
  // Window (-50, 0) + (200, 100): logical 0..50 is device 25..50.
  blue_fill(wmf).rectangle(0, 0, 50, 100);
  wmf.offset_viewport_org(0, 0).scale_viewport_ext(1, 0, 1, 1);  // denominator 0: ignored
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(30, 50, 0, 0, 255)) << pic.describe(30, 50);
  EXPECT_TRUE(pic.blank(20, 50)) << pic.describe(20, 50);
  EXPECT_TRUE(pic.blank(55, 50)) << pic.describe(55, 50);
}

TEST(GdiMapping, MetricModeDrawsUpFromTheOrigin) {
  WmfBuilder wmf = gdi_canvas();
  wmf.set_map_mode(2).set_viewport_org(0, 100);  // LOMETRIC, origin at the bottom
  blue_fill(wmf).rectangle(0, 100, 100, 0);  // 10 mm square: 38 px, above the origin
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(20, 80, 0, 0, 255)) << pic.describe(20, 80);
  EXPECT_TRUE(pic.blank(20, 50)) << pic.describe(20, 50);
  EXPECT_TRUE(pic.blank(50, 80)) << pic.describe(50, 80);
}

TEST(GdiMapping, SkippedRecordsAreCounted) {
  WmfBuilder wmf = gdi_canvas();
  wmf.record(0x2F, 0).end().record(0x2F, 0).end().set_bk_mode(1);
  const GdiPicture pic = play_gdi(wmf.finish(), 10, 10);
  EXPECT_EQ(pic.skipped.count(0x2F), 2u);
  EXPECT_EQ(pic.skipped.total(), 2u);
  EXPECT_TRUE(gdi::plays(0x2D));
  EXPECT_FALSE(gdi::plays(0x2F));
}

}  // namespace
}  // namespace vellum::test
