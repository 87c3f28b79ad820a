// Block transfers (pattern, bitmaps) and text output with escapes.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstring>
#include <memory>
#include <string>

#include "render/handlers.h"
#include "render/text_encoding.h"
#include "tests/render/render_probe.h"

namespace vellum::test {
namespace {

// A bitmap of 24 bits per pixel whose pixel (x, y) is (10x, 10y, 200), rows
// padded to 4 bytes.
Bitmap16 gradient(int width, int height, int bits = 24) {
  Bitmap16 bm;
  bm.width = width;
  bm.height = height;
  bm.bits_per_pixel = uint8_t(bits);
  const int bytes = bits / 8;
  bm.bytes_per_row = (width * bytes + 3) / 4 * 4;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t bgr[4] = {200, uint8_t(10 * y), uint8_t(10 * x), 0};
      bm.pixels.insert(bm.pixels.end(), bgr, bgr + bytes);
    }
    bm.pixels.resize(size_t(bm.bytes_per_row) * (y + 1), 0);
  }
  return bm;
}

TEST(PatBlt, TheRasterOperationChangesNothing) {
  auto render = [](uint32_t rop) {
    WmfBuilder wmf = forward_canvas();
    wmf.create_pen(0, 2, 255, 0, 0).create_brush(0, 0, 0, 255).pat_blt(10, 10, 50, 30, rop);
    auto p = std::make_unique<Picture>();
    render_into(*p, wmf.finish());
    return p;
  };
  const auto copy = render(0x00F00021), invert = render(0x005A0049);
  EXPECT_TRUE(looks(copy->at(30, 25), 0, 0, 255));
  EXPECT_TRUE(looks(copy->at(30, 9), 255, 0, 0));
  EXPECT_EQ(0, std::memcmp(copy->target.Pixels, invert->target.Pixels, 100 * 100 * 4));
}

TEST(PatBlt, SizeIsNotMirrored) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, 100, 100).create_brush(0, 0, 0, 255).pat_blt(10, 10, 20, 20, 0);
  Picture p;  // both axes mirrored: the corner maps to (90, 90)
  render_into(p, wmf.finish());
  const Bounds b = p.ink_bounds();
  EXPECT_EQ(b.left, 90);
  EXPECT_EQ(b.top, 90);
}

TEST(BitBlt, PixelsAppearAsStoredAtTheDestinationCorner) {
  WmfBuilder wmf = forward_canvas();
  wmf.bit_blt(20, 30, 8, 6, 0, 0, 0x00CC0020, gradient(8, 6));
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(20, 30), 0, 0, 200)) << describe(p.at(20, 30));
  EXPECT_TRUE(looks(p.at(27, 35), 70, 50, 200)) << describe(p.at(27, 35));
  EXPECT_FALSE(p.inked(28, 30));
  EXPECT_FALSE(p.inked(19, 30));
}

TEST(BitBlt, SourcePointOffsetsTheImage) {
  WmfBuilder wmf = forward_canvas();
  wmf.bit_blt(20, 30, 4, 4, 3, 2, 0x00CC0020, gradient(8, 6));
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(20, 30), 30, 20, 200)) << describe(p.at(20, 30));
  EXPECT_FALSE(p.inked(24, 30));
}

TEST(BitBlt, SixteenAndThirtyTwoBitPixelsAreOpaque) {
  Bitmap16 sixteen;
  sixteen.width = 2;
  sixteen.height = 1;
  sixteen.bits_per_pixel = 16;
  sixteen.pixels = {0x00, 0x7C, 0x1F, 0x00};  // red, blue
  Bitmap16 thirty_two = gradient(2, 1, 32);
  thirty_two.pixels[3] = 0;  // the fourth byte is no alpha
  thirty_two.pixels[7] = 77;
  WmfBuilder wmf = forward_canvas();
  wmf.bit_blt(10, 10, 2, 1, 0, 0, 0, sixteen).bit_blt(10, 20, 2, 1, 0, 0, 0, thirty_two);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(10, 10), 248, 0, 0)) << describe(p.at(10, 10));
  EXPECT_TRUE(looks(p.at(11, 10), 0, 0, 248)) << describe(p.at(11, 10));
  EXPECT_TRUE(looks(p.at(10, 20), 0, 0, 200)) << describe(p.at(10, 20));
  EXPECT_TRUE(looks(p.at(11, 20), 10, 0, 200)) << describe(p.at(11, 20));
}

TEST(BitBlt, ShallowBitmapsAndTheBareFormFillWithTheBrush) {
  Bitmap16 mono = gradient(8, 8, 24);
  mono.bits_per_pixel = 1;
  WmfBuilder wmf = forward_canvas();
  wmf.create_brush(0, 0, 255, 0).bit_blt(10, 10, 20, 20, 0, 0, 0, mono)
      .bit_blt(50, 50, 20, 20, 0, 0, 0x00CC0020);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(20, 20), 0, 255, 0));
  EXPECT_TRUE(looks(p.at(60, 60), 0, 255, 0));
}

TEST(BitBlt, RefusedBitmapsStayOutlinedInThePath) {
  Bitmap16 deep = gradient(4, 4, 24);
  deep.bits_per_pixel = 48;
  Bitmap16 negative = gradient(4, 4, 24);
  negative.width = -4;
  Bitmap16 flat = gradient(4, 4, 24);
  flat.height = 0;
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(0, 2, 255, 0, 0).create_brush(0, 0, 0, 255)
      .bit_blt(10, 10, 20, 20, 0, 0, 0, deep).bit_blt(40, 10, 20, 20, 0, 0, 0, negative)
      .bit_blt(70, 10, 20, 20, 0, 0, 0, flat);
  Picture outlined;
  render_into(outlined, wmf.finish());
  EXPECT_TRUE(looks(outlined.at(20, 10), 255, 0, 0));
  EXPECT_FALSE(outlined.inked(20, 20));
  EXPECT_FALSE(outlined.inked(50, 20));
  EXPECT_FALSE(outlined.inked(80, 20));
  wmf.rectangle(0, 80, 10, 90);  // the next fill takes the three rectangles in
  Picture filled;
  render_into(filled, wmf.finish());
  for (int x : {20, 50, 80}) EXPECT_TRUE(looks(filled.at(x, 20), 0, 0, 255)) << x;
}

TEST(BitBlt, RowsTheRecordDoesNotHoldAreNotRead) {
  Bitmap16 tall = gradient(4, 4, 24);
  tall.height = 30000;  // claims 30,000 rows, holds 4
  WmfBuilder wmf = forward_canvas();
  wmf.bit_blt(10, 10, 4, 100, 0, 0, 0, tall);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(10, 13), 0, 30, 200)) << describe(p.at(10, 13));
  EXPECT_FALSE(p.inked(10, 14));
}

TEST(StretchBlt, ScalesTheSourceToTheDestination) {
  WmfBuilder wmf = forward_canvas();
  wmf.stretch_blt(10, 10, 40, 20, 2, 1, 2, 2, 0x00CC0020, gradient(8, 6));
  Picture p;
  render_into(p, wmf.finish());
  // Source pixel (2, 1) covers (10..30, 10..20), its centre at (20, 15);
  // (3, 2) covers (30..50, 20..30), its centre at (40, 25).
  EXPECT_TRUE(looks(p.at(19, 14), 20, 10, 200)) << describe(p.at(19, 14));
  EXPECT_TRUE(looks(p.at(39, 24), 30, 20, 200)) << describe(p.at(39, 24));
  EXPECT_FALSE(p.inked(51, 25));
}

TEST(StretchBlt, DegenerateSizesDoNotBreakTheContext) {
  WmfBuilder wmf = forward_canvas();
  wmf.stretch_blt(10, 10, 0, 20, 0, 0, 0, 0, 0, gradient(8, 6))
      .create_brush(0, 0, 0, 255).rectangle(60, 60, 90, 90);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(75, 75), 0, 0, 255));
}

TEST(Text, PlacedInLogicalUnitsWithoutMirroring) {
  Font font;
  font.height = 20;
  WmfBuilder wmf;
  wmf.placeable(1000, 1000, 1100, 1100).set_text_color(0, 0, 255).create_font(font)
      .text_out(10, 50, "HHHH");
  Picture p;
  render_into(p, wmf.finish());
  const Bounds b = p.ink_bounds();
  ASSERT_FALSE(b.empty());
  EXPECT_GE(b.left, 10);
  EXPECT_LE(b.left, 14);
  EXPECT_LE(b.bottom, 50);
  EXPECT_GE(b.top, 30);
}

TEST(Text, ShowsExactlyTheCountedBytes) {
  Font font;
  font.height = 20;
  WmfBuilder counted = forward_canvas(200, 100);
  // Five bytes, then a padding byte that is not zero, then the start point.
  counted.create_font(font).record(0x21, 0x05).word(5).text("HHHHHH").words({50, 10});
  WmfBuilder five = forward_canvas(200, 100);
  five.create_font(font).text_out(10, 50, "HHHHH");
  Picture a, b;
  render_into(a, counted.finish());
  render_into(b, five.finish());
  ASSERT_FALSE(a.ink_bounds().empty());
  EXPECT_EQ(a.ink_bounds().right, b.ink_bounds().right);
}

TEST(Text, HighBytesNeitherStopNorSpoilLaterDrawing) {
  // Bytes of 0x80 and above are no UTF-8; passed on raw they would put the
  // context into its error state and nothing after the text would show.
  Font symbol;
  symbol.height = 16;
  symbol.charset = 2;
  Font russian = symbol;
  russian.charset = 204;
  russian.face = "Sans\xE9";
  WmfBuilder wmf = forward_canvas();
  wmf.create_font(Font{}).text_out(5, 20, "caf\xE9 \x80\x81")
      .create_font(symbol).text_out(5, 40, "a\xA5\xF0")
      .create_font(russian).text_out(5, 60, "\xCF\xF0\xE8")
      .create_brush(0, 0, 0, 255).rectangle(60, 60, 90, 90);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(75, 75), 0, 0, 255));
  EXPECT_LT(p.ink_bounds().top, 20);  // the first line of text shows too
}

TEST(TextEncoding, CharacterSets) {
  auto utf8 = [](const char* bytes, int32_t charset) {
    return text_to_utf8(reinterpret_cast<const uint8_t*>(bytes), std::strlen(bytes), charset);
  };
  EXPECT_EQ(utf8("caf\xE9 \x80", ANSI_CHARSET), "caf\u00E9 \u20AC");
  EXPECT_EQ(utf8("\x81", DEFAULT_CHARSET), "\uFFFD");
  EXPECT_EQ(utf8("abp\xA5\xB9", SYMBOL_CHARSET), "\u03B1\u03B2\u03C0\u221E\u2260");
  EXPECT_EQ(utf8("\xCF\xF0", 204), "\u041F\u0440");  // Windows-1251
  EXPECT_EQ(utf8("\x82\xA0", 128), "\u3042");          // Shift-JIS
  EXPECT_EQ(utf8("a\x82", 128), "a\uFFFD");            // a cut double byte
  EXPECT_EQ(face_to_utf8("Caf\xE9"), "Caf\u00E9");
}

TEST(Escape, MiterLimitThroughSinglePrecision) {
  auto limit_after = [](uint32_t value, int byte_count) {
    WmfBuilder wmf = forward_canvas();
    std::vector<uint8_t> data = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                                 uint8_t(value >> 24)};
    data.resize(size_t(byte_count));
    wmf.escape(23, data);
    const std::vector<uint8_t> bytes = wmf.finish();
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    PlaybackState state{};
    state.cr = cairo_create(s);
    play_ESCAPE(bytes.data() + wmf.record_offsets().back(), &state);
    const double limit = cairo_get_miter_limit(state.cr);
    cairo_destroy(state.cr);
    cairo_surface_destroy(s);
    return limit;
  };
  EXPECT_EQ(limit_after(10, 4), 10.0);
  EXPECT_EQ(limit_after(16777217, 4), 16777216.0);
  EXPECT_EQ(limit_after(3, 2), 10.0);  // too few bytes: cairo's default stays
}

TEST(Escape, JoinNeverReachesAStrokeButCapDoesForUnknownPenCaps) {
  auto corner_inked = [](int pen_style) {
    WmfBuilder wmf = forward_canvas();
    wmf.create_pen(pen_style, 10, 0, 0, 0).escape(21, {0x00, 0x01, 0, 0})  // square caps
        .move_to(30, 50).line_to(70, 50);
    Picture p;
    render_into(p, wmf.finish());
    return p.inked(27, 46);  // only a square cap reaches this corner
  };
  EXPECT_FALSE(corner_inked(0x0200));  // the pen's flat cap wins
  EXPECT_TRUE(corner_inked(0x0300));   // unknown cap bits: the escape's cap stays
}

}  // namespace
}  // namespace vellum::test
