// The object table, SAVEDC/RESTOREDC, the DC defaults, null pens and
// brushes, hatches and ROP2, probed on pixels.
#include <gtest/gtest.h>

#include "render/gdi/object_table.h"
#include "tests/render/gdi/gdi_probe.h"

namespace vellum::test {
namespace {

constexpr int NULL_PEN = 5;

TEST(GdiObjectTable, LowestFreeSlotAndDrops) {
  gdi::ObjectTable table(3);
  EXPECT_EQ(table.add(draw::Pen{}), 0);
  EXPECT_EQ(table.add(draw::Brush{}), 1);
  EXPECT_EQ(table.add(draw::Font{}), 2);
  EXPECT_EQ(table.add(draw::Pen{}), -1);  // full: dropped
  table.remove(1);
  table.remove(0);
  EXPECT_EQ(table.at(0), nullptr);
  EXPECT_EQ(table.add(draw::Brush{}), 0);  // the lowest free slot
  EXPECT_EQ(table.add(draw::Brush{}), 1);
  EXPECT_EQ(table.at(7), nullptr);
  table.remove(9);  // past the table: nothing
}

TEST(GdiObjectTable, HugeDeclaredTableCostsNothingUntilUsed) {
  gdi::ObjectTable table(65535);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(table.add(draw::Pen{}), i);
  EXPECT_EQ(table.capacity(), 65535);
}

TEST(GdiObjects, DefaultsAreWhiteBrushBlackPen) {
  WmfBuilder wmf = gdi_canvas();
  wmf.rectangle(10, 10, 50, 50);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(10, 30, 0, 0, 0)) << pic.describe(10, 30);   // outline
  EXPECT_TRUE(pic.is(30, 30, 255, 255, 255)) << pic.describe(30, 30);  // white fill
  EXPECT_TRUE(pic.is(49, 30, 0, 0, 0)) << pic.describe(49, 30);   // right edge is r - 1
  EXPECT_TRUE(pic.blank(50, 30)) << pic.describe(50, 30);
}

TEST(GdiObjects, CreateTakesTheLowestFreeSlot) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(NULL_PEN, 0, 0, 0, 0)   // 0
      .create_brush(0, 255, 0, 0)          // 1 red
      .create_brush(0, 0, 0, 255)          // 2 blue
      .select_object(0)
      .delete_object(1)
      .create_brush(0, 0, 255, 0)          // lands in 1: green
      .select_object(1)
      .rectangle(0, 0, 100, 100);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(50, 50, 0, 255, 0)) << pic.describe(50, 50);
}

// The builder's select_created() must name the slot the player filled, or
// every sample would draw with the wrong brush.
TEST(GdiObjects, BuilderSelectsTheSlotThePlayerFilled) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(NULL_PEN, 0, 0, 0, 0).select_created()  // 0
      .create_brush(0, 255, 0, 0)                          // 1 red
      .create_brush(0, 0, 0, 255)                          // 2 blue
      .delete_object(1)
      .create_brush(0, 0, 255, 0).select_created()         // lands in 1: green
      .rectangle(0, 0, 50, 100)
      .create_brush(0, 255, 255, 0).select_created()       // 3: yellow
      .rectangle(50, 0, 100, 100);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(25, 50, 0, 255, 0)) << pic.describe(25, 50);
  EXPECT_TRUE(pic.is(75, 50, 255, 255, 0)) << pic.describe(75, 50);
}

TEST(GdiObjects, DeletedSelectionStaysInEffect) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(NULL_PEN, 0, 0, 0, 0)
      .select_object(0)
      .create_brush(0, 255, 0, 0)  // 1 red
      .select_object(1)
      .delete_object(1)
      .create_brush(0, 0, 255, 0)  // 1 again, green, not selected
      .rectangle(0, 0, 50, 100)
      .select_object(1)
      .rectangle(50, 0, 100, 100);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(25, 50, 255, 0, 0)) << pic.describe(25, 50);
  EXPECT_TRUE(pic.is(75, 50, 0, 255, 0)) << pic.describe(75, 50);
}

TEST(GdiObjects, FullTableDropsTheCreateAndBadIndexesDoNothing) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(NULL_PEN, 0, 0, 0, 0)
      .create_brush(0, 255, 0, 0)   // 1
      .create_brush(0, 0, 0, 255)   // dropped: the table has 2 slots
      .object_count(2)
      .select_object(0)
      .select_object(1)
      .select_object(2)      // nothing there
      .select_object(40000)  // past the table
      .rectangle(0, 0, 100, 100);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(50, 50, 255, 0, 0)) << pic.describe(50, 50);
}

TEST(GdiObjects, NullPenAndNullBrush) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(NULL_PEN, 0, 0, 0, 0)
      .create_brush(1, 0, 0, 0)  // BS_NULL
      .create_brush(0, 0, 0, 255)
      .select_object(0)
      .select_object(2)
      .rectangle(10, 10, 30, 30)  // blue, no outline, one pixel less right and bottom
      .select_object(1)
      .create_pen(0, 0, 255, 0, 0)  // 3: red
      .select_object(3)
      .rectangle(50, 50, 80, 80);  // outline only
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(10, 10, 0, 0, 255)) << pic.describe(10, 10);
  EXPECT_TRUE(pic.is(28, 28, 0, 0, 255)) << pic.describe(28, 28);
  EXPECT_TRUE(pic.blank(29, 20)) << pic.describe(29, 20);
  EXPECT_TRUE(pic.is(50, 60, 255, 0, 0)) << pic.describe(50, 60);
  EXPECT_TRUE(pic.blank(65, 65)) << pic.describe(65, 65);
}

TEST(GdiObjects, SaveAndRestoreRelativeAndAbsolute) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(NULL_PEN, 0, 0, 0, 0)
      .create_brush(0, 255, 0, 0)  // 1 red
      .create_brush(0, 0, 255, 0)  // 2 green
      .create_brush(0, 0, 0, 255)  // 3 blue
      .select_object(0)
      .select_object(1)
      .save_dc()  // 1: red
      .select_object(2)
      .save_dc()  // 2: green
      .select_object(3)
      .save_dc()  // 3: blue
      .restore_dc(-1)
      .rectangle(0, 0, 20, 20)  // blue
      .restore_dc(1)
      .rectangle(20, 0, 40, 20)  // red: absolute level 1 drops the rest
      .restore_dc(-1)            // nothing left to restore
      .rectangle(40, 0, 60, 20)
      .select_object(2)
      .restore_dc(5)  // no such level
      .rectangle(60, 0, 80, 20);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(10, 10, 0, 0, 255)) << pic.describe(10, 10);
  EXPECT_TRUE(pic.is(30, 10, 255, 0, 0)) << pic.describe(30, 10);
  EXPECT_TRUE(pic.is(50, 10, 255, 0, 0)) << pic.describe(50, 10);
  EXPECT_TRUE(pic.is(70, 10, 0, 255, 0)) << pic.describe(70, 10);
}

TEST(GdiObjects, AMillionSavesStayBounded) {
  WmfBuilder wmf = gdi_canvas();
  for (int i = 0; i < 100000; ++i) wmf.save_dc();
  wmf.create_brush(0, 0, 0, 255).select_object(0).rectangle(0, 0, 10, 10);
  for (int i = 0; i < 100000; ++i) wmf.restore_dc(-1);
  wmf.rectangle(20, 0, 30, 10);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(5, 5, 0, 0, 255)) << pic.describe(5, 5);
  EXPECT_TRUE(pic.is(25, 5, 255, 255, 255)) << pic.describe(25, 5);  // back to the default
}

TEST(GdiBrushes, HatchesAreDeviceCellsWithTheBackground) {
  WmfBuilder wmf = gdi_canvas(64, 32);
  wmf.create_pen(NULL_PEN, 0, 0, 0, 0)
      .create_brush(2, 255, 0, 0, 0)  // HS_HORIZONTAL red
      .create_brush(2, 0, 0, 255, 3)  // HS_BDIAGONAL blue
      .select_object(0)
      .select_object(1)
      .set_bk_color(0, 255, 0)
      .rectangle(0, 0, 32, 32)  // opaque: gaps green
      .set_bk_mode(1)
      .select_object(2)
      .rectangle(32, 0, 64, 32);  // transparent: gaps untouched
  const GdiPicture pic = play_gdi(wmf.finish(), 64, 32);
  EXPECT_TRUE(pic.is(5, 3, 255, 0, 0)) << pic.describe(5, 3);
  EXPECT_TRUE(pic.is(5, 11, 255, 0, 0)) << pic.describe(5, 11);
  EXPECT_TRUE(pic.is(5, 4, 0, 255, 0)) << pic.describe(5, 4);
  EXPECT_TRUE(pic.is(32 + 7, 0, 0, 0, 255)) << pic.describe(39, 0);  // x + y = 7 in the cell
  EXPECT_TRUE(pic.is(32 + 0, 7, 0, 0, 255)) << pic.describe(32, 7);
  EXPECT_TRUE(pic.blank(32 + 1, 1)) << pic.describe(33, 1);
}

TEST(GdiBrushes, EveryHatchHasItsPixels) {
  EXPECT_TRUE(draw::hatch_bit(draw::HS_VERTICAL, 4, 0));
  EXPECT_FALSE(draw::hatch_bit(draw::HS_VERTICAL, 3, 0));
  EXPECT_TRUE(draw::hatch_bit(draw::HS_FDIAGONAL, 5, 5));
  EXPECT_TRUE(draw::hatch_bit(draw::HS_CROSS, 4, 6) && draw::hatch_bit(draw::HS_CROSS, 0, 3));
  EXPECT_TRUE(draw::hatch_bit(draw::HS_DIAGCROSS, 2, 2) && draw::hatch_bit(draw::HS_DIAGCROSS, 2, 5));
  EXPECT_FALSE(draw::hatch_bit(draw::HS_DIAGCROSS, 2, 3));
}

// Oracle: XORPEN yellow over red gives green, over white blue; MASKPEN
// yellow over red gives red.
TEST(GdiRop2, XorMaskAndNop) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(NULL_PEN, 0, 0, 0, 0)
      .create_brush(0, 255, 0, 0)    // 1 red
      .create_brush(0, 255, 255, 0)  // 2 yellow
      .select_object(0)
      .select_object(1)
      .rectangle(0, 0, 100, 50)
      .select_object(2)
      .set_rop2(7)  // XORPEN
      .rectangle(0, 0, 20, 100)
      .set_rop2(9)  // MASKPEN
      .rectangle(40, 0, 60, 50)
      .set_rop2(11)  // NOP
      .rectangle(70, 0, 90, 100)
      .set_rop2(6)  // NOT
      .rectangle(90, 0, 100, 100);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100, {.white = true});
  EXPECT_TRUE(pic.is(10, 25, 0, 255, 0)) << pic.describe(10, 25);
  EXPECT_TRUE(pic.is(10, 75, 0, 0, 255)) << pic.describe(10, 75);
  EXPECT_TRUE(pic.is(50, 25, 255, 0, 0)) << pic.describe(50, 25);
  EXPECT_TRUE(pic.is(80, 25, 255, 0, 0)) << pic.describe(80, 25);
  EXPECT_TRUE(pic.is(80, 75, 255, 255, 255)) << pic.describe(80, 75);
  EXPECT_TRUE(pic.is(95, 25, 0, 255, 255)) << pic.describe(95, 25);
  EXPECT_TRUE(pic.is(95, 75, 0, 0, 0)) << pic.describe(95, 75);
}

TEST(GdiPens, WideDashesDrawSolidAndZeroWidthStaysOnePixel) {
  WmfBuilder wmf = gdi_canvas(200, 100);
  wmf.set_window_ext(100, 50)  // 2x: logical width 0 stays 1 px, 3 becomes 6
      .create_pen(1, 3, 255, 0, 0)  // PS_DASH, wide: solid
      .create_pen(0, 0, 0, 0, 255)
      .select_object(0)
      .move_to(0, 10)
      .line_to(100, 10)
      .select_object(1)
      .move_to(0, 30)
      .line_to(100, 30);
  const GdiPicture pic = play_gdi(wmf.finish(), 200, 100);
  for (int x = 10; x < 190; x += 7) EXPECT_TRUE(pic.is(x, 20, 255, 0, 0)) << pic.describe(x, 20);
  EXPECT_TRUE(pic.is(100, 17, 255, 0, 0)) << pic.describe(100, 17);
  EXPECT_TRUE(pic.is(100, 60, 0, 0, 255)) << pic.describe(100, 60);
  EXPECT_TRUE(pic.blank(100, 59) && pic.blank(100, 61)) << pic.describe(100, 59);
}

TEST(GdiPens, CosmeticDashHasGaps) {
  WmfBuilder wmf = gdi_canvas();
  wmf.create_pen(1, 0, 0, 0, 0).select_object(0).set_bk_mode(1).move_to(0, 10).line_to(100, 10);
  const GdiPicture pic = play_gdi(wmf.finish(), 100, 100);
  EXPECT_TRUE(pic.is(5, 10, 0, 0, 0)) << pic.describe(5, 10);
  EXPECT_TRUE(pic.blank(20, 10)) << pic.describe(20, 10);  // 18 on, 6 off
}

}  // namespace
}  // namespace vellum::test
