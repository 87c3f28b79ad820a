// Lines and polygons, and how open figures live on in the path.
#include <gtest/gtest.h>

#include "tests/render/render_probe.h"

namespace vellum::test {
namespace {

TEST(Lines, AFirstLineToOnlyMoves) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(0, 2, 0, 0, 0).line_to(10, 50);
  Picture first;
  render_into(first, wmf.finish());
  EXPECT_TRUE(first.ink_bounds().empty());

  wmf.line_to(90, 50);
  Picture second;
  render_into(second, wmf.finish());
  const Bounds b = second.ink_bounds();
  EXPECT_LE(b.left, 10);
  EXPECT_GE(b.left, 8);
  EXPECT_GE(b.right, 90);
  EXPECT_LE(b.right, 91);
}

TEST(Lines, EarlierOpenFiguresTakeTheLaterPen) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(0, 2, 255, 0, 0).move_to(10, 10).line_to(20, 10)
      .create_pen(0, 2, 0, 0, 255).move_to(10, 20).line_to(20, 20);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(15, 10), 0, 0, 255)) << describe(p.at(15, 10));
  EXPECT_TRUE(looks(p.at(15, 20), 0, 0, 255)) << describe(p.at(15, 20));
}

TEST(Lines, AWiderOldPenStillShowsAroundTheNewOne) {
  // The first stroke is painted with its own pen before the pen changes.
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(0, 10, 255, 0, 0).move_to(10, 50).line_to(90, 50)
      .create_pen(0, 2, 0, 0, 255).move_to(10, 80).line_to(90, 80);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(50, 46), 255, 0, 0)) << describe(p.at(50, 46));
  EXPECT_TRUE(looks(p.at(50, 50), 0, 0, 255)) << describe(p.at(50, 50));
}

TEST(Lines, ALongRunOfLinesIsStrokedOnceWithTheSameResult) {
  // 3,000 segments over the same two points: a literal re-stroke of every
  // record would take minutes; the picture is one line all the same.
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(0, 4, 0, 128, 0).move_to(10, 50);
  for (int i = 0; i < 3000; ++i) wmf.line_to(i % 2 ? 10 : 90, 50);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(50, 50), 0, 128, 0));
  const Bounds b = p.ink_bounds();
  EXPECT_GE(b.top, 47);
  EXPECT_LE(b.bottom, 52);
}

TEST(Lines, APolylineFigureIsFilledByTheNextPolygon) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_brush(0, 0, 0, 255).polyline({{10, 10}, {40, 10}, {40, 40}, {10, 40}})
      .polygon({{60, 60}, {90, 60}, {90, 90}});
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(25, 25), 0, 0, 255)) << describe(p.at(25, 25));
  EXPECT_TRUE(looks(p.at(85, 70), 0, 0, 255));
  EXPECT_FALSE(p.inked(65, 85));  // the triangle's other half
}

// Count 0 and a spare word: the decoder wants 10 bytes.
void empty_polygon(WmfBuilder& wmf) { wmf.record(0x24, 0x03).words({0, 0}); }

TEST(Lines, APolygonOfNoPointsFillsWhatThePathHolds) {
  WmfBuilder empty = forward_canvas();
  empty.create_brush(0, 0, 0, 255);
  empty_polygon(empty);
  Picture nothing;
  render_into(nothing, empty.finish());
  EXPECT_TRUE(nothing.ink_bounds().empty());

  WmfBuilder after_lines = forward_canvas();
  after_lines.create_brush(0, 0, 0, 255).polyline({{10, 10}, {90, 10}, {90, 90}});
  empty_polygon(after_lines);
  Picture filled;
  render_into(filled, after_lines.finish());
  EXPECT_TRUE(looks(filled.at(70, 30), 0, 0, 255));
}

TEST(Lines, PolygonOutlineUnderTheFill) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(0, 8, 255, 0, 0).create_brush(0, 0, 0, 255)
      .polygon({{20, 20}, {80, 20}, {80, 80}, {20, 80}});
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(50, 17), 255, 0, 0));  // outer half of the outline
  EXPECT_TRUE(looks(p.at(50, 22), 0, 0, 255));  // inner half: the fill on top
  EXPECT_TRUE(looks(p.at(50, 50), 0, 0, 255));
}

TEST(Lines, CountsClaimingMorePointsAreCut) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_brush(0, 0, 0, 255);
  // Claims 500 points, holds 3.
  wmf.record(0x24, 0x03).words({500, 10, 10, 90, 10, 90, 90});
  // A polygon set claiming 2 polygons of 400 points, holding 4 points.
  wmf.record(0x38, 0x05).words({2, 400, 400, 10, 60, 40, 60, 40, 90, 10, 90});
  // A polyline whose count lies beyond the claimed counts' room.
  wmf.record(0x25, 0x03).words({9000});
  Picture p;
  render_into(p, wmf.finish());  // the sanitizers watch every read
  EXPECT_TRUE(looks(p.at(80, 20), 0, 0, 255));
  EXPECT_TRUE(looks(p.at(20, 80), 0, 0, 255));
}

TEST(Lines, PolyPolygonWithEmptyCountsClosesTheOpenFigure) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(0, 2, 255, 0, 0).create_brush(1, 0, 0, 0)
      .polyline({{10, 10}, {90, 10}, {90, 90}}).poly_polygon({{}, {}});
  Picture p;
  render_into(p, wmf.finish());
  // The closing edge from (90, 90) to (10, 10) is stroked, just outside the fill.
  EXPECT_TRUE(p.inked(40, 41));
  EXPECT_GT(p.at(40, 41).red, 200);
}

TEST(LongFigures, DashesRunOnAcrossStrokePieces) {
  // A short figure first, so that the long one is cut into pieces at a
  // point where a dash restarting afresh would show.
  WmfBuilder wmf = forward_canvas(3020, 20);
  std::vector<std::pair<int, int>> lead, line;
  for (int x = 0; x <= 5; ++x) lead.push_back({x, 2});
  for (int x = 10; x <= 3010; ++x) line.push_back({x, 10});
  wmf.create_pen(0x200 | 1, 2, 0, 0, 0).polyline(lead).polyline(line);
  Picture p;
  render_into(p, wmf.finish(), 4000);
  ASSERT_EQ(p.width(), 3020u);
  int wrong = 0;
  for (int x = 10; x < 3005; ++x) wrong += p.inked(x, 10) != ((x - 10) % 8 < 4);
  EXPECT_EQ(wrong, 0);
}

TEST(LongFigures, APiecedStrokeKeepsThePathForTheNextFill) {
  WmfBuilder wmf = forward_canvas(600, 600);
  std::vector<std::pair<int, int>> square;
  for (int i = 0; i < 500; ++i) square.push_back({50 + i, 50});
  for (int i = 0; i < 500; ++i) square.push_back({550, 50 + i});
  for (int i = 0; i < 500; ++i) square.push_back({550 - i, 550});
  for (int i = 0; i < 500; ++i) square.push_back({50, 550 - i});
  wmf.create_pen(0, 4, 255, 0, 0).create_brush(0, 0, 0, 255).polyline(square);
  empty_polygon(wmf);
  Picture p;
  render_into(p, wmf.finish(), 600);
  EXPECT_TRUE(looks(p.at(300, 300), 0, 0, 255));
  EXPECT_TRUE(looks(p.at(300, 48), 255, 0, 0)) << describe(p.at(300, 48));
  EXPECT_TRUE(looks(p.at(551, 300), 255, 0, 0)) << describe(p.at(551, 300));
}

// Pen changes between long lines: past the ledger's allowance each stroke
// outlines only the new lines, so the early lines keep an early pen instead
// of all taking the last one; the figures held aside still come back for the
// fill that takes the whole path.
TEST(LongFigures, PenChangesPastTheAllowanceStrokeOnlyNewLines) {
  WmfBuilder wmf = forward_canvas(1000, 1000);
  wmf.create_brush(0, 255, 255, 0).move_to(50, 50);
  constexpr int LINES = 20;
  for (int i = 0; i < LINES; ++i) {
    const int y = 50 + 45 * i;
    if (i == LINES - 1) wmf.create_pen(0, 4, 0, 0, 255);
    else wmf.create_pen(0, 4, i % 2 ? 255 : 0, i % 2 ? 0 : 255, 0);
    wmf.line_to(i % 2 ? 50 : 950, y).line_to(i % 2 ? 50 : 950, y + 45);
  }
  empty_polygon(wmf);
  Picture p;
  render_into(p, wmf.finish(), 1000);
  const Colour first = p.at(500, 49), last = p.at(500, 50 + 45 * (LINES - 1));
  EXPECT_TRUE(looks(first, 0, 255, 0) || looks(first, 255, 0, 0)) << describe(first);
  EXPECT_TRUE(looks(last, 0, 0, 255)) << describe(last);
  EXPECT_TRUE(looks(p.at(500, 72), 255, 255, 0)) << describe(p.at(500, 72));
}

}  // namespace
// A wide dashed pen dashes as long as it is wide; a picture fitted far
// below its logical size keeps dashes of whole pixels instead of fractions
// of one (which cost a stroke each and showed as a grey solid line).
TEST(DashedPens, DashesScaleWithThePenAndStayAtLeastAPixel) {
  WmfBuilder wide = forward_canvas(400, 40);
  wide.create_pen(0x200 | 1, 20, 0, 0, 0).move_to(0, 20).line_to(400, 20);
  Picture p;
  render_into(p, wide.finish(), 400);
  int wrong = 0;
  for (int x = 2; x < 398; ++x)
    if (x % 20 > 1 && x % 20 < 19) wrong += p.inked(x, 20) != ((x / 20) % 2 == 0);
  EXPECT_EQ(wrong, 0);

  WmfBuilder fitted = forward_canvas(20000, 2000);
  std::vector<std::pair<int, int>> zigzag;
  for (int i = 0; i < 1000; ++i) zigzag.push_back({i * 20, i % 2 ? 1050 : 1040});
  fitted.create_pen(0x200 | 1, 100, 0, 0, 0).polyline(zigzag);
  Picture small;
  render_into(small, fitted.finish(), 200);
  ASSERT_EQ(small.width(), 200u);
  int inked = 0, runs = 0;
  bool before = false;
  for (int x = 0; x < 200; ++x) {
    const bool here = small.inked(x, 10);
    inked += here;
    runs += here && !before;
    before = here;
  }
  EXPECT_GT(runs, 15);   // 4-pixel dashes with 4-pixel gaps: about 25 of them
  EXPECT_LT(runs, 35);
  EXPECT_GT(inked, 70);
  EXPECT_LT(inked, 150);
}

}  // namespace vellum::test
