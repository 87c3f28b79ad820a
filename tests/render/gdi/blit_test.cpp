#include "render/gdi/blit.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/raster_records.h"

namespace vellum::gdi {
namespace {

constexpr uint32_t RED = 0xFF0000, GREEN = 0x00FF00, BLUE = 0x0000FF, WHITE = 0xFFFFFF,
                   YELLOW = 0xFFFF00, CYAN = 0x00FFFF;

// A 16 x 16 image target filled with one colour (or left transparent).
class Canvas {
 public:
  explicit Canvas(int64_t fill = WHITE, int size = 16) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cr = cairo_create(surface_);
    if (fill >= 0) {
      cairo_set_source_rgb(cr, ((fill >> 16) & 255) / 255.0, ((fill >> 8) & 255) / 255.0,
                           (fill & 255) / 255.0);
      cairo_paint(cr);
    }
  }
  ~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface_);
  }
  // The premultiplied word at (x, y).
  uint32_t at(int x, int y) {
    cairo_surface_flush(surface_);
    const uint8_t* data = cairo_image_surface_get_data(surface_);
    return reinterpret_cast<const uint32_t*>(data + y * cairo_image_surface_get_stride(surface_))[x];
  }
  uint32_t rgb(int x, int y) { return at(x, y) & 0xFFFFFF; }
  cairo_t* cr;

 private:
  cairo_surface_t* surface_;
};

Bitmap bitmap_of(int width, int height, const std::vector<uint32_t>& top_down) {
  Bitmap b;
  b.allocate(width, height, false);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.row(y)[x] = top_down[size_t(y * width + x)];
  b.mark_written();
  return b;
}

TEST(GdiRop3, TruthTablesOfTheNamedCodes) {
  // Every named code against its formula on the three canonical operands.
  const uint32_t P = 0xF0, S = 0xCC, D = 0xAA;
  struct Case {
    uint32_t rop, expected;
  };
  for (const Case& c : {Case{ROP_SRCCOPY, S}, {ROP_SRCPAINT, S | D}, {ROP_SRCAND, S & D},
                        {ROP_SRCINVERT, S ^ D}, {ROP_SRCERASE, S & ~D & 0xFF},
                        {ROP_NOTSRCCOPY, ~S & 0xFF}, {ROP_NOTSRCERASE, ~(S | D) & 0xFF},
                        {ROP_MERGECOPY, P & S}, {ROP_MERGEPAINT, (~S | D) & 0xFF},
                        {ROP_PATCOPY, P}, {ROP_PATPAINT, (P | ~S | D) & 0xFF},
                        {ROP_PATINVERT, P ^ D}, {ROP_DSTINVERT, ~D & 0xFF},
                        {ROP_BLACKNESS, 0}, {ROP_WHITENESS, 0xFF}}) {
    EXPECT_EQ(apply_rop3(rop_index(c.rop), P, S, D) & 0xFF, c.expected) << std::hex << c.rop;
    EXPECT_EQ(rop_index(c.rop), c.expected) << "the index is the table itself";
  }
  // A code without a fast path goes through the minterms: D & ~P (0x0A).
  EXPECT_EQ(apply_rop3(0x0A, P, S, D) & 0xFF, D & ~P & 0xFF);
  EXPECT_TRUE(rop_uses_source(rop_index(ROP_SRCAND)));
  EXPECT_FALSE(rop_uses_source(rop_index(ROP_PATINVERT)));
  EXPECT_TRUE(rop_uses_pattern(rop_index(ROP_PATINVERT)));
  EXPECT_FALSE(rop_uses_destination(rop_index(ROP_SRCCOPY)));
  EXPECT_TRUE(rop_uses_destination(rop_index(ROP_DSTINVERT)));
}

TEST(GdiBlit, SourceOperationsOnAKnownBackground) {
  const Bitmap b = bitmap_of(2, 1, {RED, 0x000000});
  const BlitSource src{&b, 0, 0, 2, 1};
  struct Case {
    uint32_t rop, left, right;  // over yellow
  };
  for (const Case& c : {Case{ROP_SRCCOPY, RED, 0x000000}, {ROP_SRCAND, RED, 0x000000},
                        {ROP_SRCPAINT, YELLOW, YELLOW}, {ROP_SRCINVERT, GREEN, YELLOW},
                        {ROP_NOTSRCCOPY, CYAN, WHITE}, {ROP_SRCERASE, 0x000000, 0x000000},
                        {ROP_MERGEPAINT, WHITE, WHITE}}) {
    Canvas canvas(YELLOW);
    ASSERT_TRUE(blit(canvas.cr, {4, 4, 6, 5}, c.rop, &src, nullptr, STRETCH_ANDSCANS));
    EXPECT_EQ(canvas.rgb(4, 4), c.left) << std::hex << c.rop;
    EXPECT_EQ(canvas.rgb(5, 4), c.right) << std::hex << c.rop;
    EXPECT_EQ(canvas.rgb(6, 4), YELLOW) << "right edge exclusive";
    EXPECT_EQ(canvas.rgb(4, 5), YELLOW) << "bottom edge exclusive";
  }
}

TEST(GdiBlit, PatternAndDestinationOperations) {
  const BlitPattern blue{BLUE};
  Canvas canvas(YELLOW);
  ASSERT_TRUE(blit(canvas.cr, {0, 0, 4, 4}, ROP_PATCOPY, nullptr, &blue, 0));
  EXPECT_EQ(canvas.rgb(3, 3), BLUE);
  ASSERT_TRUE(blit(canvas.cr, {2, 2, 6, 6}, ROP_PATINVERT, nullptr, &blue, 0));
  EXPECT_EQ(canvas.rgb(2, 2), 0x000000u);  // blue ^ blue
  EXPECT_EQ(canvas.rgb(5, 5), WHITE);      // blue ^ yellow
  ASSERT_TRUE(blit(canvas.cr, {5, 5, 7, 7}, ROP_DSTINVERT, nullptr, nullptr, 0));
  EXPECT_EQ(canvas.rgb(5, 5), 0x000000u);
  EXPECT_EQ(canvas.rgb(6, 6), 0x0000FFu);
  ASSERT_TRUE(blit(canvas.cr, {8, 8, 9, 9}, ROP_BLACKNESS, nullptr, nullptr, 0));
  ASSERT_TRUE(blit(canvas.cr, {9, 9, 10, 10}, ROP_WHITENESS, nullptr, nullptr, 0));
  EXPECT_EQ(canvas.at(8, 8), 0xFF000000u);
  EXPECT_EQ(canvas.at(9, 9), 0xFFFFFFFFu);
  // A ROP that needs a brush or a bitmap it was not given draws nothing.
  EXPECT_FALSE(blit(canvas.cr, {0, 0, 4, 4}, ROP_PATCOPY, nullptr, nullptr, 0));
  EXPECT_FALSE(blit(canvas.cr, {0, 0, 4, 4}, ROP_SRCCOPY, nullptr, nullptr, 0));
  EXPECT_EQ(canvas.rgb(0, 0), BLUE);
}

TEST(GdiBlit, PatternTilesFromTheDeviceOrigin) {
  const uint32_t tile[4] = {0xFF000000u | RED, 0xFF000000u | GREEN, 0xFF000000u | BLUE,
                            0xFF000000u | WHITE};
  const BlitPattern checker{0, tile, 2, 2};
  Canvas canvas(YELLOW);
  ASSERT_TRUE(blit(canvas.cr, {3, 3, 7, 7}, ROP_PATCOPY, nullptr, &checker, 0));
  EXPECT_EQ(canvas.rgb(3, 3), WHITE);  // (3, 3) is cell (1, 1)
  EXPECT_EQ(canvas.rgb(4, 4), RED);
  EXPECT_EQ(canvas.rgb(5, 4), GREEN);
  EXPECT_EQ(canvas.rgb(4, 5), BLUE);
  // Words with a zero top byte are gaps: the destination shows through.
  const uint32_t hatch[2] = {0xFF000000u | RED, 0};
  const BlitPattern stripes{0, hatch, 2, 1};
  ASSERT_TRUE(blit(canvas.cr, {10, 0, 12, 1}, ROP_PATCOPY, nullptr, &stripes, 0));
  EXPECT_EQ(canvas.rgb(10, 0), RED);
  EXPECT_EQ(canvas.rgb(11, 0), YELLOW);
}

TEST(GdiBlit, MirroredDestinationLandsOnePixelOver) {
  const Bitmap b = bitmap_of(4, 1, {RED, GREEN, BLUE, WHITE});
  const BlitSource src{&b, 0, 0, 4, 1};
  Canvas canvas(0x000000);
  // x from 10 back to 6: covers 7..10, the first source pixel at 10.
  ASSERT_TRUE(blit(canvas.cr, {10, 0, 6, 1}, ROP_SRCCOPY, &src, nullptr, 0));
  EXPECT_EQ(canvas.rgb(6, 0), 0x000000u);
  EXPECT_EQ(canvas.rgb(7, 0), WHITE);
  EXPECT_EQ(canvas.rgb(9, 0), GREEN);
  EXPECT_EQ(canvas.rgb(10, 0), RED);
  EXPECT_EQ(canvas.rgb(11, 0), 0x000000u);
}

TEST(GdiBlit, EnlargingRepeatsPixelsAndSourceOutsideTheBitmapIsNotDrawn) {
  const Bitmap b = bitmap_of(2, 2, {RED, GREEN, BLUE, WHITE});
  Canvas canvas(YELLOW);
  const BlitSource whole{&b, 0, 0, 2, 2};
  ASSERT_TRUE(blit(canvas.cr, {0, 0, 8, 8}, ROP_SRCCOPY, &whole, nullptr, 0));
  EXPECT_EQ(canvas.rgb(3, 3), RED);
  EXPECT_EQ(canvas.rgb(4, 3), GREEN);
  EXPECT_EQ(canvas.rgb(3, 4), BLUE);
  EXPECT_EQ(canvas.rgb(7, 7), WHITE);
  // A source rectangle hanging off the bitmap: only the part inside draws.
  Canvas other(YELLOW);
  const BlitSource off{&b, 1, 0, 2, 2};
  ASSERT_TRUE(blit(other.cr, {0, 0, 2, 2}, ROP_SRCCOPY, &off, nullptr, 0));
  EXPECT_EQ(other.rgb(0, 0), GREEN);
  EXPECT_EQ(other.rgb(1, 0), YELLOW);
}

TEST(GdiBlit, ShrinkingFoldsByTheStretchMode) {
  // A 4 x 1 strip of black, white, white, white shrunk to one pixel.
  const Bitmap b = bitmap_of(4, 1, {0x000000, WHITE, WHITE, WHITE});
  const BlitSource src{&b, 0, 0, 4, 1};
  auto shrink = [&](int mode) {
    Canvas canvas(YELLOW);
    blit(canvas.cr, {0, 0, 1, 1}, ROP_SRCCOPY, &src, nullptr, mode);
    return canvas.rgb(0, 0);
  };
  EXPECT_EQ(shrink(STRETCH_ANDSCANS), 0x000000u);
  EXPECT_EQ(shrink(STRETCH_ORSCANS), WHITE);
  EXPECT_EQ(shrink(STRETCH_HALFTONE), 0x000000u);    // the block's first pixel
  EXPECT_EQ(shrink(STRETCH_DELETESCANS), WHITE);     // across: the block's last
}

// Which source pixel each destination pixel takes, as GDI picks them
// (measured on GDI's own stretching): 8 pixels onto 3, 5, 9, 11 and 12,
// across and down, with COLORONCOLOR.
TEST(GdiBlit, StretchPicksThePixelsGdiPicks) {
  std::vector<uint32_t> ramp;
  for (uint32_t k = 0; k < 8; ++k) ramp.push_back(k);
  const Bitmap row = bitmap_of(8, 1, ramp);
  const Bitmap column = bitmap_of(1, 8, ramp);
  auto picks = [&](bool across, int n) {
    Canvas canvas(WHITE, 16);
    const BlitSource src{across ? &row : &column, 0, 0, across ? 8 : 1, across ? 1 : 8};
    const BlitTarget to = across ? BlitTarget{0, 0, double(n), 1} : BlitTarget{0, 0, 1, double(n)};
    blit(canvas.cr, to, ROP_SRCCOPY, &src, nullptr, STRETCH_DELETESCANS);
    std::string out;
    for (int k = 0; k < n; ++k) out += char('0' + (across ? canvas.rgb(k, 0) : canvas.rgb(0, k)));
    return out;
  };
  EXPECT_EQ(picks(true, 3), "247");
  EXPECT_EQ(picks(true, 5), "12457");
  EXPECT_EQ(picks(false, 3), "035");
  EXPECT_EQ(picks(false, 5), "02356");
  for (bool across : {true, false}) {
    EXPECT_EQ(picks(across, 9), "012334567");
    EXPECT_EQ(picks(across, 11), "01123345667");
    EXPECT_EQ(picks(across, 12), "001223445667");
  }
}

// A source running back from x (negative width) covers (x + width, x]:
// the first destination pixels take column x itself.
TEST(GdiBlit, NegativeSourceWidthMirrorsFromItsStart) {
  const Bitmap b = bitmap_of(3, 1, {RED, GREEN, BLUE});
  const BlitSource src{&b, 3, 0, -3, 1};
  Canvas canvas(YELLOW);
  ASSERT_TRUE(blit(canvas.cr, {0, 0, 6, 1}, ROP_SRCCOPY, &src, nullptr, STRETCH_DELETESCANS));
  EXPECT_EQ(canvas.rgb(0, 0), YELLOW);  // column 3 lies outside the bitmap
  EXPECT_EQ(canvas.rgb(1, 0), YELLOW);
  EXPECT_EQ(canvas.rgb(2, 0), BLUE);
  EXPECT_EQ(canvas.rgb(5, 0), GREEN);
}

TEST(GdiBlit, TheClipHolds) {
  const BlitPattern red{RED};
  Canvas canvas(WHITE);
  cairo_rectangle(canvas.cr, 2, 2, 3, 3);
  cairo_clip(canvas.cr);
  ASSERT_TRUE(blit(canvas.cr, {0, 0, 10, 10}, ROP_PATCOPY, nullptr, &red, 0));
  EXPECT_EQ(canvas.rgb(1, 1), WHITE);
  EXPECT_EQ(canvas.rgb(2, 2), RED);
  EXPECT_EQ(canvas.rgb(4, 4), RED);
  EXPECT_EQ(canvas.rgb(5, 5), WHITE);
}

// Over nothing, the classic mask pair leaves nothing around the sprite.
TEST(GdiBlit, TransparentPixelsStayTransparentWhereWhitePaperWouldNotChange) {
  const Bitmap mask = bitmap_of(2, 1, {0x000000, WHITE});
  const Bitmap image = bitmap_of(2, 1, {RED, 0x000000});
  const BlitSource m{&mask, 0, 0, 2, 1}, i{&image, 0, 0, 2, 1};
  Canvas canvas(-1);
  ASSERT_TRUE(blit(canvas.cr, {0, 0, 2, 1}, ROP_SRCAND, &m, nullptr, 0));
  ASSERT_TRUE(blit(canvas.cr, {0, 0, 2, 1}, ROP_SRCPAINT, &i, nullptr, 0));
  EXPECT_EQ(canvas.at(0, 0), 0xFFFF0000u);
  EXPECT_EQ(canvas.at(1, 0), 0u);
}

TEST(GdiBlit, ScaledContextsWorkInDevicePixels) {
  const Bitmap b = bitmap_of(1, 1, {GREEN});
  const BlitSource src{&b, 0, 0, 1, 1};
  Canvas canvas(WHITE);
  cairo_scale(canvas.cr, 2, 2);
  ASSERT_TRUE(blit(canvas.cr, {1, 1, 2, 2}, ROP_SRCCOPY, &src, nullptr, 0));
  EXPECT_EQ(canvas.rgb(1, 1), WHITE);
  EXPECT_EQ(canvas.rgb(2, 2), GREEN);
  EXPECT_EQ(canvas.rgb(3, 3), GREEN);
  EXPECT_EQ(canvas.rgb(4, 4), WHITE);
}

TEST(GdiBlit, HugeDestinationsAreRefusedOrCut) {
  const BlitPattern red{RED};
  // On an image target only its own pixels are computed.
  Canvas canvas(WHITE);
  EXPECT_TRUE(blit(canvas.cr, {-1e9, -1e9, 1e9, 1e9}, ROP_PATCOPY, nullptr, &red, 0));
  EXPECT_EQ(canvas.rgb(15, 15), RED);
  // A vector target of a million pixels square: past the pixel limit
  // nothing is drawn.
  const cairo_rectangle_t extents{0, 0, 1e6, 1e6};
  cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
  cairo_t* cr = cairo_create(recording);
  EXPECT_FALSE(blit(cr, {0, 0, 1e6, 1e6}, ROP_PATCOPY, nullptr, &red, 0));
  blit(cr, {0, 0, 1e300, 1e300}, ROP_PATCOPY, nullptr, &red, 0);
  EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS);
  cairo_destroy(cr);
  cairo_surface_destroy(recording);
}

}  // namespace
}  // namespace vellum::gdi
