// Rectangles, ellipses, rounded rectangles and the clip.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "tests/render/render_probe.h"

namespace vellum::test {
namespace {

TEST(Shapes, RectangleOutlinedThenFilled) {
  WmfBuilder wmf = forward_canvas(120, 100);
  wmf.create_pen(0, 6, 255, 0, 0).create_brush(0, 0, 0, 255).rectangle(10, 20, 110, 70);
  Picture p;
  render_into(p, wmf.finish());
  const Bounds b = p.ink_bounds();
  EXPECT_EQ(b.left, 7);
  EXPECT_EQ(b.top, 17);
  EXPECT_EQ(b.right, 112);
  EXPECT_EQ(b.bottom, 72);
  EXPECT_TRUE(looks(p.at(8, 40), 255, 0, 0));
  EXPECT_TRUE(looks(p.at(11, 40), 0, 0, 255));
}

TEST(Shapes, ReversedEdgesCoverTheSameArea) {
  auto bounds = [](int l, int r) {
    WmfBuilder wmf = forward_canvas();
    wmf.create_brush(0, 0, 0, 255).rectangle(l, 10, r, 50);
    Picture p;
    render_into(p, wmf.finish());
    const Bounds b = p.ink_bounds();
    return std::vector<int>{b.left, b.top, b.right, b.bottom};
  };
  EXPECT_EQ(bounds(20, 80), bounds(80, 20));
}

TEST(Shapes, EllipseThroughItsAxisEndsAndInsideTheTrueCurve) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_brush(0, 0, 0, 255).ellipse(0, 0, 100, 100);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(50, 1), 0, 0, 255));
  EXPECT_TRUE(looks(p.at(1, 50), 0, 0, 255));
  EXPECT_TRUE(looks(p.at(98, 50), 0, 0, 255));
  // The segment middles lie at 15.625 from the corners; a true circle
  // passes at 14.64.
  EXPECT_TRUE(looks(p.at(17, 17), 0, 0, 255));
  EXPECT_FALSE(p.inked(14, 14));
}

TEST(Shapes, FlatEllipseIsOnlyItsStroke) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(0, 2, 255, 0, 0).create_brush(0, 0, 0, 255).ellipse(50, 10, 50, 90);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(50, 50), 255, 0, 0)) << describe(p.at(50, 50));
  const Bounds b = p.ink_bounds();
  EXPECT_EQ(b.left, 49);
  EXPECT_EQ(b.right, 50);
}

TEST(Shapes, RoundRectCornersUseHalfTheCornerWidth) {
  WmfBuilder wmf = forward_canvas(120, 70);
  // Corner height 60 is ignored: the radius is 20 / 2 = 10.
  wmf.create_brush(0, 0, 0, 255).round_rect(10, 10, 110, 60, 21, 60);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(20, 11), 0, 0, 255));   // the straight top edge starts at x 20
  EXPECT_FALSE(p.inked(11, 11));                 // cut off by the corner arc
  EXPECT_TRUE(looks(p.at(11, 35), 0, 0, 255));
  EXPECT_FALSE(p.inked(108, 58));
  EXPECT_TRUE(looks(p.at(60, 58), 0, 0, 255));
}

TEST(Shapes, RoundRectOfCornerZeroIsTheRectangle) {
  auto pixels = [](bool rounded) {
    WmfBuilder wmf = forward_canvas();
    wmf.create_brush(0, 0, 0, 255);
    if (rounded) wmf.round_rect(10, 10, 90, 60, 0, 30);
    else wmf.rectangle(10, 10, 90, 60);
    auto p = std::make_unique<Picture>();
    render_into(*p, wmf.finish());
    return p;
  };
  const auto a = pixels(true), b = pixels(false);
  EXPECT_EQ(0, std::memcmp(a->target.Pixels, b->target.Pixels, 100 * 100 * 4));
}

TEST(Clip, TwoRectanglesIntersect) {
  WmfBuilder wmf = forward_canvas();
  wmf.intersect_clip_rect(10, 10, 60, 60).intersect_clip_rect(30, 30, 90, 90)
      .create_brush(0, 0, 0, 255).rectangle(0, 0, 100, 100);
  Picture p;
  render_into(p, wmf.finish());
  const Bounds b = p.ink_bounds();
  EXPECT_EQ(b.left, 30);
  EXPECT_EQ(b.top, 30);
  EXPECT_EQ(b.right, 59);
  EXPECT_EQ(b.bottom, 59);
}

TEST(Clip, TakesInOpenFiguresAndEndsTheirStrokes) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(0, 2, 255, 0, 0).polyline({{60, 60}, {90, 60}, {90, 90}, {60, 90}})
      .intersect_clip_rect(0, 0, 40, 40)
      .create_pen(0, 2, 0, 255, 0).create_brush(0, 0, 0, 255).rectangle(0, 0, 100, 100);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(20, 20), 0, 0, 255));
  EXPECT_TRUE(looks(p.at(75, 75), 0, 0, 255));  // inside the polyline's closed figure
  EXPECT_FALSE(p.inked(50, 50));
  // The polyline was stroked red before the clip and never again after it.
  EXPECT_TRUE(looks(p.at(75, 59), 255, 0, 0)) << describe(p.at(75, 59));
}

}  // namespace
}  // namespace vellum::test
