// Device-context records, the coordinate mapping, and the pen, brush and
// font records.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstring>
#include <string>

#include "render/drawing_objects.h"
#include "render/handlers.h"
#include "render/mapping.h"
#include "tests/render/render_probe.h"

namespace vellum::test {
namespace {

// Plays one builder record onto a zeroed state (no cairo context needed
// for the object records).
template <typename Build>
PlaybackState play_one(Build build, void (*handler)(const uint8_t*, PlaybackState*)) {
  WmfBuilder wmf;
  build(wmf);
  const std::vector<uint8_t> bytes = wmf.finish();
  PlaybackState state{};
  handler(bytes.data() + wmf.record_offsets().front(), &state);
  return state;
}

TEST(Mapping, MirroredUntilAnExtentSaysOtherwise) {
  PlaybackState s{};
  s.origin_x = 10;
  s.origin_y = 20;
  s.frame_width = 100;
  s.frame_height = 50;
  EXPECT_EQ(map_x(&s, 10), 100.0);
  EXPECT_EQ(map_y(&s, 20), 50.0);
  s.ext_x_positive = 1;
  EXPECT_EQ(map_x(&s, 10), 0.0);
  EXPECT_EQ(map_x(&s, 110), 100.0);
  s.origin_x = 32767;
  EXPECT_EQ(map_x(&s, -32768), -65535.0);  // widened, not wrapped
  const DeviceRect d = map_rect(&s, Rect16{-32768, 20, -32767, 70});
  EXPECT_EQ(d.width(), 1.0);
  EXPECT_EQ(d.height(), -50.0);  // y still mirrored: edges are not sorted
}

TEST(Mapping, WindowExtentSignsSelectTheDirection) {
  auto extent = [](int x, int y) {
    return play_one([&](WmfBuilder& w) { w.set_window_ext(x, y); }, play_SETWINDOWEXT);
  };
  const PlaybackState mixed = extent(1000, -1000);
  EXPECT_EQ(mixed.ext_x_positive, 1);
  EXPECT_EQ(mixed.ext_y_positive, 0);
  const PlaybackState zero = extent(0, 0);
  EXPECT_EQ(zero.ext_x_positive, 1);
  EXPECT_EQ(zero.ext_y_positive, 1);
}

TEST(Mapping, WithoutExtentThePictureIsMirrored) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, 100, 100).create_brush(0, 0, 0, 255).rectangle(0, 0, 30, 20);
  Picture p;
  render_into(p, wmf.finish());
  const Bounds b = p.ink_bounds();
  EXPECT_GE(b.left, 69);
  EXPECT_EQ(b.right, 99);
  EXPECT_GE(b.top, 79);
  EXPECT_TRUE(looks(p.at(85, 90), 0, 0, 255));
}

TEST(StateRecords, BackgroundColourBecomesTheFill) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_brush(0, 255, 0, 0).set_bk_color(0, 255, 0).rectangle(10, 10, 90, 90);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(50, 50), 0, 255, 0)) << describe(p.at(50, 50));
}

TEST(StateRecords, MapModeAndTextAlignChangeNothing) {
  WmfBuilder plain = forward_canvas();
  plain.create_brush(0, 10, 20, 30).ellipse(5, 5, 95, 60);
  WmfBuilder with = forward_canvas();
  with.set_map_mode(8).set_text_align(6).create_brush(0, 10, 20, 30).ellipse(5, 5, 95, 60);
  Picture a, b;
  render_into(a, plain.finish());
  render_into(b, with.finish());
  ASSERT_EQ(a.width(), b.width());
  EXPECT_EQ(0, std::memcmp(a.target.Pixels, b.target.Pixels, a.width() * a.height() * 4));
}

TEST(StateRecords, FillModeSelectsHolesAndIgnoresUnknownModes) {
  const std::vector<std::vector<std::pair<int, int>>> squares = {
      {{10, 10}, {90, 10}, {90, 90}, {10, 90}}, {{30, 30}, {70, 30}, {70, 70}, {30, 70}}};
  auto centre = [&](std::vector<int> modes) {
    WmfBuilder wmf = forward_canvas();
    wmf.create_brush(0, 0, 0, 255);
    for (int m : modes) wmf.set_polyfill_mode(m);
    wmf.poly_polygon(squares);
    Picture p;
    render_into(p, wmf.finish());
    return p.inked(50, 50);
  };
  EXPECT_TRUE(centre({}));       // winding: the inner square is filled
  EXPECT_FALSE(centre({1}));     // alternate: a hole
  EXPECT_FALSE(centre({1, 3}));  // mode 3 keeps the rule in force
  EXPECT_TRUE(centre({1, 2}));
}

TEST(PenRecord, StyleBitsWidthAndColour) {
  const PlaybackState s = play_one(
      [](WmfBuilder& w) { w.create_pen(0x1000 | 0x200 | 1, 0xFFFF, 1, 2, 3); },
      play_CREATEPENINDIRECT);
  EXPECT_EQ(pen_dash(s.pen), 1);
  EXPECT_EQ(pen_cap(s.pen), 0x200);
  EXPECT_EQ(pen_join(s.pen), 0x1000);
  EXPECT_EQ(s.pen.width, 65535);
  EXPECT_EQ(s.pen.colour.red + s.pen.colour.green * 10 + s.pen.colour.blue * 100, 321);

  const PlaybackState odd = play_one(
      [](WmfBuilder& w) { w.create_pen(0x3000 | 0x300 | 5, 1, 0, 0, 0); },
      play_CREATEPENINDIRECT);
  EXPECT_EQ(pen_dash(odd.pen), -1);
  EXPECT_EQ(pen_cap(odd.pen), -1);
  EXPECT_EQ(pen_join(odd.pen), 0x2000);
}

TEST(PenRecord, SolidAfterDashedStrokesSolid) {
  auto ink_along = [](bool dashed_first) {
    WmfBuilder wmf = forward_canvas();
    if (dashed_first) wmf.create_pen(1, 2, 0, 0, 0).move_to(0, 10).line_to(100, 10);
    wmf.create_pen(0, 2, 0, 0, 0).move_to(0, 50).line_to(100, 50);
    Picture p;
    render_into(p, wmf.finish());
    int inked = 0;
    for (int x = 5; x < 95; ++x) inked += p.inked(x, 50);
    return inked;
  };
  EXPECT_EQ(ink_along(true), 90);
  EXPECT_EQ(ink_along(false), 90);
}

TEST(PenRecord, NullPenStillStrokesWithThePreviousDash) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(1, 2, 0, 0, 0).move_to(0, 90).line_to(1, 90)  // sets a dash on the context
      .create_pen(0x200 | 5, 2, 255, 0, 0).move_to(0, 50).line_to(100, 50);
  Picture p;
  render_into(p, wmf.finish());
  int inked = 0;
  for (int x = 0; x < 100; ++x) inked += p.inked(x, 50);
  EXPECT_GE(inked, 48);  // 4 on, 4 off, flat caps
  EXPECT_LE(inked, 56);
  EXPECT_TRUE(looks(p.at(2, 50), 255, 0, 0)) << describe(p.at(2, 50));
}

TEST(BrushRecord, HatchedFillsSolidAndNullKeepsTheColour) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_brush(2, 0, 0, 255, 3).rectangle(0, 0, 40, 40)
      .create_brush(0, 255, 0, 0).create_brush(1, 0, 255, 0).rectangle(60, 60, 100, 100);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(20, 20), 0, 0, 255)) << describe(p.at(20, 20));
  EXPECT_TRUE(looks(p.at(80, 80), 255, 0, 0)) << describe(p.at(80, 80));
}

TEST(FontRecord, FieldsAndAFaceCutTo151Bytes) {
  Font font;
  font.height = -12;
  font.weight = 700;
  font.italic = 1;
  font.charset = 2;
  font.face = std::string(200, 'F');
  const PlaybackState s = play_one([&](WmfBuilder& w) { w.create_font(font); },
                                   play_CREATEFONTINDIRECT);
  EXPECT_EQ(s.font_height, -12);
  EXPECT_EQ(s.font_weight, 700);
  EXPECT_EQ(s.font_italic, 1);
  EXPECT_EQ(s.font_charset, 2);
  EXPECT_EQ(std::string(s.font_face), std::string(151, 'F'));
}

TEST(FontRecord, AFaceWithoutNulStopsAtTheRecordEnd) {
  WmfBuilder wmf;
  wmf.record(0xFB, 0x02).words({10, 0, 0, 0, 400}).bytes({0, 0, 0, 0, 0, 0, 0, 0}).text("Ab");
  const std::vector<uint8_t> bytes = wmf.finish();
  PlaybackState s{};
  play_CREATEFONTINDIRECT(bytes.data() + wmf.record_offsets().front(), &s);
  EXPECT_STREQ(s.font_face, "Ab");
}

TEST(Colours, ByteOver256) {
  EXPECT_EQ(colour_unit(255), 0.99609375);
  EXPECT_EQ(colour_unit(0), 0.0);
  EXPECT_EQ(colour_unit(128), 0.5);
}

}  // namespace
}  // namespace vellum::test
