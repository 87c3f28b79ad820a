// The bitmap, raster-operation, region and clip records played through the
// GDI player and probed on pixels. Expected values follow what GDI draws
// for the same records (see the notes on each test).
#include <gtest/gtest.h>

#include "tests/render/gdi/gdi_probe.h"
#include "tests/support/raster_records.h"

namespace vellum::test {
namespace {

constexpr uint32_t RED = 0xFF0000, GREEN = 0x00FF00, BLUE = 0x0000FF, WHITE = 0xFFFFFF,
                   BLACK = 0, YELLOW = 0xFFFF00;
constexpr uint32_t SRCCOPY = 0x00CC0020, SRCAND = 0x008800C6, SRCPAINT = 0x00EE0086,
                   SRCINVERT = 0x00660046, PATCOPY = 0x00F00021, PATINVERT = 0x005A0049,
                   DSTINVERT = 0x00550009, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062;

bool is(const GdiPicture& pic, int x, int y, uint32_t rgb) {
  return pic.is(x, y, int(rgb >> 16), int((rgb >> 8) & 255), int(rgb & 255));
}

#define EXPECT_PIXEL(pic, x, y, rgb) EXPECT_TRUE(is(pic, x, y, rgb)) << pic.describe(x, y)

GdiPicture play_white(const WmfBuilder& wmf, int size = 40) {
  GdiOptions options;
  options.white = true;
  return play_gdi(wmf.finish(), size, size, options);
}

Dib dib(int width, int height, int bits, uint32_t compression = 0) {
  Dib d;
  d.width = width;
  d.height = height;
  d.bits_per_pixel = bits;
  d.compression = compression;
  return d;
}

// Red, green / blue, white in every depth and compression GDI draws.
std::vector<std::pair<std::string, Dib>> quads() {
  std::vector<std::pair<std::string, Dib>> out;
  for (int bits : {4, 8}) {
    Dib d = dib(2, 2, bits);
    d.colours = {RED, GREEN, BLUE, WHITE};
    d.colours.resize(size_t(1) << bits);
    d.pixels({0, 1, 2, 3});
    out.emplace_back(std::to_string(bits) + " bits", d);
  }
  Dib d16 = dib(2, 2, 16);
  d16.pixels({0x7C00, 0x03E0, 0x001F, 0x7FFF});
  out.emplace_back("16 bits 5-5-5", d16);
  Dib d565 = dib(2, 2, 16, 3);
  d565.masks = {0xF800, 0x07E0, 0x001F};
  d565.pixels({0xF800, 0x07E0, 0x001F, 0xFFFF});
  out.emplace_back("16 bits 5-6-5", d565);
  for (int bits : {24, 32}) {
    Dib d = dib(2, -2, bits);  // top-down
    d.pixels({RED, GREEN, BLUE, WHITE});
    out.emplace_back(std::to_string(bits) + " bits top-down", d);
  }
  Dib rle8 = dib(2, 2, 8, 1);
  rle8.colours = {RED, GREEN, BLUE, WHITE};
  rle8.colours_used = 4;
  rle8.bits = {1, 2, 1, 3, 0, 0, 1, 0, 1, 1, 0, 1};  // bottom row, end of line, top row, end
  out.emplace_back("RLE8", rle8);
  Dib rle4 = dib(2, 2, 4, 2);
  rle4.colours = {RED, GREEN, BLUE, WHITE};
  rle4.colours_used = 4;
  rle4.bits = {2, 0x23, 0, 0, 2, 0x01, 0, 1};
  out.emplace_back("RLE4", rle4);
  return out;
}

// Monochrome: two colours from the table, 1 bits the second.
TEST(GdiBitmaps, MonochromeDibTakesItsTable) {
  Dib d = dib(2, 2, 1);
  d.colours = {RED, GREEN};
  d.pixels({0, 1, 1, 0});
  WmfBuilder wmf = gdi_canvas(40, 40);
  stretch_dib(wmf, 10, 10, 20, 20, 0, 0, 2, 2, SRCCOPY, d);
  const GdiPicture pic = play_white(wmf);
  EXPECT_PIXEL(pic, 15, 15, RED);
  EXPECT_PIXEL(pic, 25, 15, GREEN);
  EXPECT_PIXEL(pic, 15, 25, GREEN);
  EXPECT_PIXEL(pic, 25, 25, RED);
}

// Each 2 x 2 bitmap stretched to 20 x 20 pixels: one colour per quadrant.
TEST(GdiBitmaps, EveryDepthAndCompressionThroughStretchDib) {
  for (const auto& [name, d] : quads()) {
    WmfBuilder wmf = gdi_canvas(40, 40);
    stretch_dib(wmf, 10, 10, 20, 20, 0, 0, 2, 2, SRCCOPY, d);
    const GdiPicture pic = play_white(wmf);
    SCOPED_TRACE(name);
    EXPECT_PIXEL(pic, 15, 15, RED);
    EXPECT_PIXEL(pic, 25, 15, GREEN);
    EXPECT_PIXEL(pic, 15, 25, BLUE);
    EXPECT_PIXEL(pic, 25, 25, WHITE);
    EXPECT_PIXEL(pic, 9, 9, WHITE);
    EXPECT_EQ(pic.skipped.total(), 0u);
  }
}

TEST(GdiBitmaps, DibBitBltAndDibStretchBltScaleWithTheMapping) {
  Dib d = dib(2, 2, 24);
  d.pixels({RED, GREEN, BLUE, BLACK});
  WmfBuilder wmf = gdi_canvas(40, 40);
  wmf.set_window_ext(20, 20);  // 2 pixels per unit
  dib_bit_blt(wmf, 1, 1, 2, 2, 0, 0, SRCCOPY, d);
  dib_stretch_blt(wmf, 10, 1, 4, 4, 0, 0, 2, 2, SRCCOPY, d);
  const GdiPicture pic = play_white(wmf);
  EXPECT_PIXEL(pic, 2, 2, RED);
  EXPECT_PIXEL(pic, 5, 5, BLACK);
  EXPECT_PIXEL(pic, 6, 6, WHITE);
  EXPECT_PIXEL(pic, 23, 3, RED);
  EXPECT_PIXEL(pic, 24, 3, GREEN);
  EXPECT_PIXEL(pic, 27, 9, BLACK);
  EXPECT_PIXEL(pic, 28, 9, WHITE);
}

// A bottom-up DIB's source rows count from its bottom row in every DIB
// record; a top-down one's from its top row, except in SETDIBTODEV.
TEST(GdiBitmaps, SourceRowsOfBottomUpDibsCountFromTheBottom) {
  for (int height : {4, -4}) {
    Dib column = dib(1, height, 24);
    column.pixels({RED, GREEN, BLUE, BLACK});
    WmfBuilder wmf = gdi_canvas(40, 40);
    stretch_dib(wmf, 0, 0, 1, 1, 0, 1, 1, 1, SRCCOPY, column);
    dib_stretch_blt(wmf, 2, 0, 1, 1, 0, 1, 1, 1, SRCCOPY, column);
    dib_bit_blt(wmf, 4, 0, 1, 1, 0, 1, SRCCOPY, column);
    set_dib_to_dev(wmf, 6, 0, 1, 1, 0, 1, 0, 4, column);
    const GdiPicture pic = play_white(wmf);
    const uint32_t second = height > 0 ? BLUE : GREEN;
    SCOPED_TRACE(height);
    EXPECT_PIXEL(pic, 0, 0, second);
    EXPECT_PIXEL(pic, 2, 0, second);
    EXPECT_PIXEL(pic, 4, 0, second);
    EXPECT_PIXEL(pic, 6, 0, BLUE);
  }
}

TEST(GdiBitmaps, SetDibToDevDrawsOnePixelPerDevicePixel) {
  Dib d = dib(2, 2, 24);
  d.pixels({RED, GREEN, BLUE, BLACK});
  WmfBuilder wmf = gdi_canvas(40, 40);
  wmf.set_window_ext(20, 20);
  set_dib_to_dev(wmf, 5, 5, 2, 2, 0, 0, 0, 2, d);
  const GdiPicture pic = play_white(wmf);
  EXPECT_PIXEL(pic, 10, 10, RED);
  EXPECT_PIXEL(pic, 11, 10, GREEN);
  EXPECT_PIXEL(pic, 11, 11, BLACK);
  EXPECT_PIXEL(pic, 12, 12, WHITE);
}

TEST(GdiBitmaps, Bitmap16ColourAndMonochrome) {
  Bitmap16 rgb;
  rgb.width = 2;
  rgb.height = 1;
  rgb.bytes_per_row = 6;
  rgb.pixels = {0, 0, 255, 255, 0, 0};  // red, blue
  Bitmap16 mono;
  mono.width = 2;
  mono.height = 1;
  mono.bytes_per_row = 2;
  mono.bits_per_pixel = 1;
  mono.pixels = {0x40, 0};  // 0 then 1: text colour, then background colour
  WmfBuilder wmf = gdi_canvas(40, 40);
  wmf.bit_blt(0, 0, 2, 1, 0, 0, SRCCOPY, rgb);
  wmf.set_text_color(0, 255, 0).set_bk_color(255, 255, 0);
  wmf.stretch_blt(0, 2, 4, 2, 0, 0, 2, 1, SRCCOPY, mono);
  const GdiPicture pic = play_white(wmf);
  EXPECT_PIXEL(pic, 0, 0, RED);
  EXPECT_PIXEL(pic, 1, 0, BLUE);
  EXPECT_PIXEL(pic, 1, 3, GREEN);
  EXPECT_PIXEL(pic, 2, 3, YELLOW);
}

// The source operations over a yellow background.
TEST(GdiRasterOps, SourceOperationsOnAKnownBackground) {
  Dib d = dib(2, 1, 24);
  d.pixels({RED, BLACK});
  WmfBuilder wmf = gdi_canvas(40, 40);
  wmf.create_brush(0, 255, 255, 0).select_object(0).pat_blt(0, 0, 40, 10, PATCOPY);
  const uint32_t rops[] = {SRCCOPY, SRCAND, SRCPAINT, SRCINVERT};
  for (int k = 0; k < 4; ++k) dib_bit_blt(wmf, k * 4, 0, 2, 1, 0, 0, rops[k], d);
  const GdiPicture pic = play_white(wmf);
  EXPECT_PIXEL(pic, 0, 0, RED);
  EXPECT_PIXEL(pic, 1, 0, BLACK);
  EXPECT_PIXEL(pic, 4, 0, RED);     // red & yellow
  EXPECT_PIXEL(pic, 5, 0, BLACK);
  EXPECT_PIXEL(pic, 8, 0, YELLOW);  // red | yellow
  EXPECT_PIXEL(pic, 9, 0, YELLOW);
  EXPECT_PIXEL(pic, 12, 0, GREEN);  // red ^ yellow
  EXPECT_PIXEL(pic, 13, 0, YELLOW);
  EXPECT_PIXEL(pic, 2, 0, YELLOW);
}

// PATBLT: hatch gaps stay untouched whatever the background mode (what
// GDI's PatBlt does, unlike figure fills); PATINVERT, DSTINVERT, BLACKNESS,
// WHITENESS; a null brush paints nothing.
TEST(GdiRasterOps, PatBltWithBrushesAndPatternlessCodes) {
  WmfBuilder wmf = gdi_canvas(40, 40);
  wmf.create_brush(0, 255, 255, 0);      // 0 yellow
  wmf.create_brush(2, 255, 0, 0, 4);     // 1 red cross hatch
  wmf.create_brush(1, 0, 0, 0);          // 2 null
  wmf.create_brush(0, 0, 0, 255);        // 3 blue
  wmf.select_object(0).pat_blt(0, 0, 40, 20, PATCOPY);
  wmf.set_bk_mode(2).set_bk_color(0, 255, 255);
  wmf.select_object(1).pat_blt(0, 0, 16, 8, PATCOPY);
  wmf.select_object(2).pat_blt(16, 0, 4, 4, PATCOPY);
  wmf.select_object(3).pat_blt(20, 0, 4, 4, PATINVERT);
  wmf.pat_blt(24, 0, 4, 4, DSTINVERT);
  wmf.pat_blt(28, 0, 2, 2, BLACKNESS).pat_blt(30, 0, 2, 2, WHITENESS);
  const GdiPicture pic = play_white(wmf);
  EXPECT_PIXEL(pic, 4, 0, RED);      // vertical line of the hatch
  EXPECT_PIXEL(pic, 0, 3, RED);      // horizontal line
  EXPECT_PIXEL(pic, 1, 1, YELLOW);   // a gap: untouched
  EXPECT_PIXEL(pic, 17, 1, YELLOW);  // null brush
  EXPECT_PIXEL(pic, 21, 1, WHITE);   // blue ^ yellow
  EXPECT_PIXEL(pic, 25, 1, BLUE);    // ~yellow
  EXPECT_PIXEL(pic, 28, 0, BLACK);
  EXPECT_PIXEL(pic, 30, 0, WHITE);
}

TEST(GdiRasterOps, SourcelessBitBltActsLikePatBlt) {
  WmfBuilder wmf = gdi_canvas(40, 40);
  wmf.create_brush(0, 0, 0, 255).select_object(0);
  wmf.bit_blt(2, 2, 4, 4, 0, 0, PATCOPY);
  wmf.record(0x40, 0x09).dword(PATCOPY).words({0, 0, 0, 4, 4, 2, 10}).end();  // DIBBITBLT
  const GdiPicture pic = play_white(wmf);
  EXPECT_PIXEL(pic, 3, 3, BLUE);
  EXPECT_PIXEL(pic, 11, 3, BLUE);
  EXPECT_PIXEL(pic, 6, 3, WHITE);
}

TEST(GdiRasterOps, MirroredStretchLandsOnePixelOver) {
  Dib d = dib(4, 1, 24);
  d.pixels({RED, GREEN, BLUE, BLACK});
  WmfBuilder wmf = gdi_canvas(40, 40);
  stretch_dib(wmf, 10, 0, -4, 1, 0, 0, 4, 1, SRCCOPY, d);
  const GdiPicture pic = play_white(wmf);
  EXPECT_PIXEL(pic, 6, 0, WHITE);
  EXPECT_PIXEL(pic, 7, 0, BLACK);
  EXPECT_PIXEL(pic, 10, 0, RED);
  EXPECT_PIXEL(pic, 11, 0, WHITE);
}

// Shrinking 8 columns (black, then white) to 2: the default mode ANDs them
// (black survives), COLORONCOLOR samples (white), WHITEONBLACK ORs (white).
TEST(GdiRasterOps, StretchModesWhenShrinking) {
  Dib lines = dib(8, 1, 24);
  lines.pixels({BLACK, WHITE, WHITE, WHITE, WHITE, WHITE, WHITE, WHITE});
  WmfBuilder wmf = gdi_canvas(40, 40);
  stretch_dib(wmf, 0, 0, 2, 1, 0, 0, 8, 1, SRCCOPY, lines);
  set_stretch_blt_mode(wmf, 3);
  stretch_dib(wmf, 4, 0, 2, 1, 0, 0, 8, 1, SRCCOPY, lines);
  set_stretch_blt_mode(wmf, 2);
  stretch_dib(wmf, 8, 0, 2, 1, 0, 0, 8, 1, SRCCOPY, lines);
  GdiOptions options;
  const GdiPicture pic = play_gdi(wmf.finish(), 40, 40, options);
  EXPECT_PIXEL(pic, 0, 0, BLACK);
  EXPECT_PIXEL(pic, 1, 0, WHITE);
  EXPECT_PIXEL(pic, 4, 0, WHITE);
  EXPECT_PIXEL(pic, 8, 0, WHITE);
}

// Pattern brushes tile from device (0, 0), one bitmap pixel per device
// pixel whatever the mapping.
TEST(GdiPatternBrushes, DibAndBitmap16PatternsTileFromTheDeviceOrigin) {
  Dib d = dib(2, 2, 24);
  d.pixels({RED, GREEN, BLUE, BLACK});
  Bitmap16 mono;
  mono.width = 2;
  mono.height = 2;
  mono.bytes_per_row = 2;
  mono.bits_per_pixel = 1;
  mono.pixels = {0x40, 0, 0x80, 0};  // 0 1 / 1 0
  WmfBuilder wmf = gdi_canvas(40, 40);
  wmf.set_window_ext(20, 20);
  dib_create_pattern_brush(wmf, d, 0);  // style BS_SOLID still makes a pattern
  wmf.set_text_color(0, 0, 255).set_bk_color(255, 255, 0);
  create_pattern_brush(wmf, mono);
  wmf.select_object(0).pat_blt(1, 1, 4, 4, PATCOPY);
  wmf.create_pen(5, 0, 0, 0, 0).select_object(2);
  wmf.select_object(1).rectangle(10, 1, 14, 5);
  const GdiPicture pic = play_white(wmf);
  EXPECT_PIXEL(pic, 2, 2, RED);
  EXPECT_PIXEL(pic, 3, 2, GREEN);
  EXPECT_PIXEL(pic, 2, 3, BLUE);
  EXPECT_PIXEL(pic, 3, 3, BLACK);
  EXPECT_PIXEL(pic, 20, 2, BLUE);    // 0 bits: text colour
  EXPECT_PIXEL(pic, 21, 2, YELLOW);  // 1 bits: background colour
  EXPECT_PIXEL(pic, 20, 3, YELLOW);
}

// Two scans: y 5..10 at x 5..15 and 25..30, y 10..20 at x 5..10.
std::vector<Scan> two_scans() {
  return {{5, 10, {{5, 15}, {25, 30}}}, {10, 20, {{5, 10}}}};
}

TEST(GdiRegions, PaintAndFillMapRegionsAsLogicalUnits) {
  WmfBuilder wmf = gdi_canvas(80, 80);
  wmf.set_window_ext(40, 40);  // every edge doubles
  wmf.create_brush(0, 0, 255, 0);   // 0 green
  wmf.create_brush(0, 255, 0, 0);   // 1 red
  create_region(wmf, two_scans());  // 2
  wmf.select_object(0);
  paint_region(wmf, 2);
  const GdiPicture painted = play_white(wmf, 80);
  EXPECT_PIXEL(painted, 10, 10, GREEN);
  EXPECT_PIXEL(painted, 29, 19, GREEN);
  EXPECT_PIXEL(painted, 30, 19, WHITE);
  EXPECT_PIXEL(painted, 55, 15, GREEN);
  EXPECT_PIXEL(painted, 19, 39, GREEN);
  EXPECT_PIXEL(painted, 20, 39, WHITE);
  EXPECT_PIXEL(painted, 10, 40, WHITE);
  fill_region(wmf, 2, 1);
  const GdiPicture filled = play_white(wmf, 80);
  EXPECT_PIXEL(filled, 10, 10, RED);
  EXPECT_PIXEL(filled, 19, 39, RED);
}

TEST(GdiRegions, FrameAndInvert) {
  WmfBuilder wmf = gdi_canvas(80, 80);
  wmf.set_window_ext(40, 40);
  wmf.create_brush(0, 0, 0, 255);          // 0 blue
  create_region(wmf, {{2, 8, {{2, 8}}}});  // 1: device 4..16 square
  frame_region(wmf, 1, 0, 2, 1);           // strokes 4 wide, 2 high
  create_region(wmf, {{2, 8, {{12, 18}}}});  // 2
  wmf.create_brush(0, 255, 0, 0).select_object(3).pat_blt(12, 2, 6, 6, PATCOPY);
  invert_region(wmf, 2);
  const GdiPicture pic = play_white(wmf, 80);
  EXPECT_PIXEL(pic, 4, 8, BLUE);
  EXPECT_PIXEL(pic, 7, 8, BLUE);
  EXPECT_PIXEL(pic, 8, 8, WHITE);
  EXPECT_PIXEL(pic, 10, 5, BLUE);
  EXPECT_PIXEL(pic, 10, 6, WHITE);
  EXPECT_PIXEL(pic, 10, 15, BLUE);
  EXPECT_PIXEL(pic, 30, 10, 0x00FFFF);  // red inverted
  EXPECT_PIXEL(pic, 36, 10, WHITE);
}

// An 8-byte region record (as some writers make) still takes its slot, and
// selecting it as the clip clips everything away.
TEST(GdiRegions, MalformedRegionTakesItsSlotAndClipsAll) {
  WmfBuilder wmf = gdi_canvas(40, 40);
  wmf.record(0xFF, 0x06).words({0, 6, 0, 0}).end();  // 0
  wmf.create_brush(0, 255, 0, 0);                     // 1
  wmf.select_object(1);
  select_clip_region(wmf, 0);
  wmf.pat_blt(0, 0, 40, 40, PATCOPY);
  const GdiPicture pic = play_gdi(wmf.finish(), 40, 40);
  EXPECT_EQ(pic.inked(), 0);
}

TEST(GdiRegions, ManyScansAndHostileCountsStayCheap) {
  std::vector<Scan> scans;
  for (int y = 0; y < 20000; ++y) scans.push_back({y, y + 1, {{y % 7, y % 7 + 3}, {20, 21}}});
  WmfBuilder wmf = gdi_canvas(40, 40);
  create_region(wmf, scans);  // 0
  wmf.create_brush(0, 255, 0, 0).select_object(1);
  paint_region(wmf, 0);
  // Claims 65535 scans in a few bytes, and scans claiming 65535 x values.
  wmf.record(0xFF, 0x06).words({0, 6, 0, 0, 22, -1, 0, 0, 0, 10, 10}).words({-1, 0, 5}).end();
  paint_region(wmf, 2);
  const GdiPicture pic = play_gdi(wmf.finish(), 40, 40);
  EXPECT_PIXEL(pic, 0, 0, RED);
  EXPECT_PIXEL(pic, 20, 39, RED);
  EXPECT_TRUE(pic.blank(21, 0));
}

// SELECTCLIPREGION takes the region as device pixels (at 2x here), while
// the clip rectangles and offsets are logical.
TEST(GdiClip, SelectedRegionIsInDevicePixels) {
  WmfBuilder wmf = gdi_canvas(80, 80);
  wmf.set_window_ext(40, 40);
  wmf.create_brush(0, 0, 0, 255).select_object(0);
  create_region(wmf, {{20, 30, {{0, 10}}}});  // 1
  wmf.save_dc();
  select_clip_region(wmf, 1);
  wmf.pat_blt(0, 0, 40, 40, PATCOPY);
  wmf.restore_dc(-1);
  const GdiPicture pic = play_white(wmf, 80);
  EXPECT_PIXEL(pic, 0, 20, BLUE);
  EXPECT_PIXEL(pic, 9, 29, BLUE);
  EXPECT_PIXEL(pic, 10, 29, WHITE);
  EXPECT_PIXEL(pic, 0, 30, WHITE);
  EXPECT_PIXEL(pic, 0, 19, WHITE);
}

TEST(GdiClip, IntersectExcludeOffsetAndSaveRestore) {
  WmfBuilder wmf = gdi_canvas(80, 80);
  wmf.set_window_ext(40, 40);
  wmf.create_brush(0, 255, 0, 0).create_brush(0, 0, 0, 255);
  wmf.save_dc();
  wmf.intersect_clip_rect(2, 2, 20, 10);
  exclude_clip_rect(wmf, 6, 4, 10, 8);
  offset_clip_rgn(wmf, 1, 0);
  wmf.select_object(0).pat_blt(0, 0, 40, 12, PATCOPY);
  wmf.restore_dc(-1);
  wmf.select_object(1).pat_blt(30, 2, 4, 4, PATCOPY);  // no clip any more
  const GdiPicture pic = play_white(wmf, 80);
  EXPECT_PIXEL(pic, 5, 4, WHITE);    // the offset moved the clip 2 px right
  EXPECT_PIXEL(pic, 6, 4, RED);
  EXPECT_PIXEL(pic, 41, 19, RED);
  EXPECT_PIXEL(pic, 42, 19, WHITE);
  EXPECT_PIXEL(pic, 13, 8, RED);     // the excluded hole starts at 12 + 2
  EXPECT_PIXEL(pic, 14, 8, WHITE);
  EXPECT_PIXEL(pic, 21, 15, WHITE);
  EXPECT_PIXEL(pic, 22, 15, RED);
  EXPECT_PIXEL(pic, 6, 20, WHITE);
  EXPECT_PIXEL(pic, 62, 6, BLUE);
}

TEST(GdiClip, ExcludeWithoutClipStartsFromTheWholeSurface) {
  WmfBuilder wmf = gdi_canvas(40, 40);
  wmf.create_brush(0, 255, 0, 0).select_object(0);
  exclude_clip_rect(wmf, 10, 10, 20, 20);
  wmf.pat_blt(0, 0, 40, 40, PATCOPY);
  select_clip_region(wmf, 7);  // an empty slot: no clip again
  wmf.pat_blt(15, 15, 2, 2, PATCOPY);
  const GdiPicture pic = play_gdi(wmf.finish(), 40, 40);
  EXPECT_PIXEL(pic, 0, 0, RED);
  EXPECT_PIXEL(pic, 39, 39, RED);
  EXPECT_TRUE(pic.blank(10, 10));
  EXPECT_TRUE(pic.blank(19, 14));
  EXPECT_PIXEL(pic, 15, 15, RED);
  EXPECT_PIXEL(pic, 20, 20, RED);
}

// Sizes claimed against the bytes present: nothing drawn, nothing big
// allocated, playback goes on.
TEST(GdiBitmaps, HostileBitmapClaimsDrawNothing) {
  Dib huge = dib(65535, 65535, 24);
  huge.bits.assign(12, 0);
  Dib rle = dib(65535, 65535, 8, 1);
  rle.colours_used = 1;
  rle.colours = {RED};
  rle.bits = {0, 1};
  Dib short_table = dib(2, 2, 8);
  short_table.colours = {RED};
  short_table.pixels({0, 0, 0, 0});
  WmfBuilder wmf = gdi_canvas(40, 40);
  stretch_dib(wmf, 0, 0, 40, 40, 0, 0, 65535, 65535, SRCCOPY, huge);
  stretch_dib(wmf, 0, 0, 40, 40, 0, 0, 65535, 65535, SRCCOPY, rle);
  dib_bit_blt(wmf, 0, 0, 2, 2, 0, 0, SRCCOPY, short_table);
  set_dib_to_dev(wmf, 0, 0, 65535, 65535, 0, 0, 0, 65535, huge);
  dib_create_pattern_brush(wmf, huge);
  wmf.select_object(0).pat_blt(0, 0, 40, 40, PATCOPY);  // a black fallback brush
  wmf.record(0x43, 0x0F).dword(SRCCOPY).words({0, 1, 1}).end();  // cut short
  const GdiPicture pic = play_gdi(wmf.finish(), 40, 40);
  EXPECT_EQ(pic.played, 0);
  EXPECT_PIXEL(pic, 20, 20, BLACK);
}

}  // namespace
}  // namespace vellum::test
