// Text: alignment, Dx arrays, the current position, backgrounds, opaque
// and clipped rectangles, escapement, symbol fonts, and sizes.
#include <gtest/gtest.h>

#include "render/draw/text_decode.h"
#include "tests/render/gdi/gdi_probe.h"

namespace vellum::test {
namespace {

constexpr int TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24;
constexpr int ETO_OPAQUE = 2, ETO_CLIPPED = 4;

// A 200 x 100 canvas at one unit per pixel with a transparent background
// mode and a Liberation Sans (Arial) font of em `em`.
WmfBuilder text_canvas(int em = 40, int escapement = 0) {
  WmfBuilder wmf = gdi_canvas(200, 100);
  Font font;
  font.height = -em;
  font.escapement = escapement;
  font.face = "Arial";
  wmf.create_font(font).select_object(0).set_bk_mode(1);
  return wmf;
}

TEST(GdiText, HorizontalAlignmentAroundTheReference) {
  for (int align : {0, TA_RIGHT, TA_CENTER}) {
    WmfBuilder wmf = text_canvas();
    wmf.set_text_align(align).text_out(100, 20, "HH");
    const GdiPicture pic = play_gdi(wmf.finish(), 200, 100);
    const auto b = pic.ink_bounds();
    ASSERT_LE(b.left, b.right) << "align " << align;
    if (align == 0) {
      EXPECT_GE(b.left, 100);
      EXPECT_LE(b.left, 106);
    } else if (align == TA_RIGHT) {
      EXPECT_LE(b.right, 100);
      EXPECT_GE(b.right, 94);
    } else {
      EXPECT_LT(std::abs((b.left + b.right) / 2 - 100), 3) << b.left << ".." << b.right;
    }
  }
}

TEST(GdiText, VerticalAlignmentTopBaselineBottom) {
  // Liberation Sans at em 40: cell ascent 36, descent 8 (Windows metrics).
  int tops[3], bottoms[3];
  const int aligns[3] = {0, TA_BASELINE, TA_BOTTOM};
  for (int i = 0; i < 3; ++i) {
    WmfBuilder wmf = text_canvas();
    wmf.set_text_align(aligns[i]).text_out(20, 50, "H");
    const auto b = play_gdi(wmf.finish(), 200, 100).ink_bounds();
    tops[i] = b.top;
    bottoms[i] = b.bottom;
  }
  EXPECT_GT(tops[0], 50);          // the cell hangs below the reference
  EXPECT_NEAR(bottoms[1], 49, 1);  // H sits on the baseline
  EXPECT_NEAR(bottoms[0] - bottoms[1], 36, 2);
  EXPECT_NEAR(bottoms[1] - bottoms[2], 8, 2);
}

TEST(GdiText, DxArraysPlaceEachCharacter) {
  WmfBuilder wmf = text_canvas();
  wmf.ext_text_out(10, 10, "II", 0, std::vector<int>{120, 40});
  const GdiPicture pic = play_gdi(wmf.finish(), 200, 100);
  const auto first = pic.ink_bounds(0, 0, 100, 100);
  const auto second = pic.ink_bounds(100, 0, 200, 100);
  ASSERT_LE(second.left, second.right);
  EXPECT_NEAR(second.left - first.left, 120, 1);

  // Char extra is added after every character, Dx or not.
  WmfBuilder extra = text_canvas();
  extra.set_text_char_extra(30).ext_text_out(10, 10, "II", 0, std::vector<int>{60, 40});
  const GdiPicture pic2 = play_gdi(extra.finish(), 200, 100);
  EXPECT_NEAR(pic2.ink_bounds(100, 0, 200, 100).left - pic2.ink_bounds(0, 0, 100, 100).left, 90, 1);
}

TEST(GdiText, UpdateCpContinuesFromTheCurrentPosition) {
  WmfBuilder wmf = text_canvas();
  wmf.set_text_align(TA_UPDATECP)
      .move_to(10, 10)
      .ext_text_out(0, 0, "I", 0, std::vector<int>{100})
      .ext_text_out(0, 0, "I", 0, std::vector<int>{100});  // starts at x = 110
  const GdiPicture pic = play_gdi(wmf.finish(), 200, 100);
  EXPECT_NEAR(pic.ink_bounds(100, 0, 200, 100).left - pic.ink_bounds(0, 0, 100, 100).left, 100, 1);
}

TEST(GdiText, BackgroundModeAndOpaqueRectangle) {
  WmfBuilder wmf = text_canvas();
  wmf.set_bk_mode(2).set_bk_color(0, 255, 0).text_out(10, 10, "I");
  const GdiPicture opaque = play_gdi(wmf.finish(), 200, 100);
  EXPECT_TRUE(opaque.is(10, 12, 0, 255, 0)) << opaque.describe(10, 12);  // cell painted

  // ETO_OPAQUE fills its rectangle in any background mode; ETO_CLIPPED cuts the glyphs.
  WmfBuilder rect = text_canvas(80);
  rect.set_bk_color(255, 0, 0)
      .ext_text_out_rect(10, 0, "HHHH", ETO_OPAQUE | ETO_CLIPPED, {100, 10, 150, 60});
  const GdiPicture pic = play_gdi(rect.finish(), 200, 100);
  EXPECT_TRUE(pic.is(140, 15, 255, 0, 0)) << pic.describe(140, 15);
  EXPECT_TRUE(pic.blank(150, 15)) << pic.describe(150, 15);  // right edge exclusive
  const auto b = pic.ink_bounds();
  EXPECT_EQ(b.left, 100);
  EXPECT_EQ(b.right, 149);
  EXPECT_EQ(b.bottom, 59);
}

TEST(GdiText, EscapementTurnsTheRunCounterClockwise) {
  WmfBuilder wmf = text_canvas(20, 900);
  wmf.set_text_align(TA_BASELINE).text_out(100, 90, "HHHH");
  const auto b = play_gdi(wmf.finish(), 200, 100).ink_bounds();
  EXPECT_GT(b.height(), 2 * b.width());  // runs upwards
  EXPECT_LE(b.bottom, 91);
  EXPECT_LE(b.right, 100);  // the glyphs' tops point left of the baseline
}

TEST(GdiText, SymbolFontDrawsItsOwnGlyphsWhateverTheCharset) {
  for (uint8_t charset : {0, 1, 2}) {
    WmfBuilder wmf = gdi_canvas(200, 100);
    Font font;
    font.height = -40;
    font.face = "Symbol";
    font.charset = charset;
    wmf.create_font(font).select_object(0).set_bk_mode(1).text_out(10, 10, "a");
    EXPECT_GT(play_gdi(wmf.finish(), 200, 100).inked(), 50) << int(charset);
  }
}

TEST(GdiText, HugeHeightsAreClampedAndEmptyStringsAreHarmless) {
  WmfBuilder wmf = text_canvas(32767);
  wmf.text_out(0, 0, "W").ext_text_out(0, 0, "", 0).text_out(0, 0, "");
  wmf.record(0x32, 0).words({0, 0, 1000, 0}).end();  // count past the record
  const GdiPicture pic = play_gdi(wmf.finish(), 200, 100);
  EXPECT_EQ(pic.played, 0);
}

TEST(GdiTextDecode, CodePagesKeepTheirBytes) {
  const uint8_t big5[] = {'a', 0xA1, 0x5D, 'b'};
  const auto chars = draw::decode_text(big5, 4, 136, false);
  ASSERT_EQ(chars.size(), 3u);
  EXPECT_EQ(chars[1].code, U'\uFF08');  // full-width left parenthesis
  EXPECT_EQ(chars[1].first, 1u);
  EXPECT_EQ(chars[1].length, 2u);
  EXPECT_EQ(chars[2].first, 3u);
  const uint8_t euro = 0x80;
  EXPECT_EQ(draw::decode_text(&euro, 1, 0, false)[0].code, U'\u20AC');
  const uint8_t alpha = 'a';
  EXPECT_EQ(draw::decode_text(&alpha, 1, 2, false)[0].code, U'\u03B1');
  EXPECT_EQ(draw::decode_text(&alpha, 1, 0, true)[0].code, char32_t(0xF061));
  const uint8_t cut[] = {0xA1};  // a lead byte with no trail
  EXPECT_EQ(draw::decode_text(cut, 1, 136, false)[0].code, U'\uFFFD');
}

}  // namespace
}  // namespace vellum::test
