// Floating shapes that carry text: text boxes show their story inside
// their box, text art is stretched over its box in its fill colour, and a
// damaged property table costs only what it damages.
#include <gtest/gtest.h>

#include "doc_writer.h"
#include "engine/office_art.h"
#include "engine/shape_drawing.h"
#include "engine/page_layout.h"
#include "open_plan.h"
#include "page_pixels.h"

using namespace quire;
using namespace quire_test;

namespace {

// Boxes in twips from the margins' corner (one inch in from the page's).
constexpr int32_t BOX_LEFT = 1440, BOX_TOP = 2880, BOX_RIGHT = 4320, BOX_BOTTOM = 4320;

// A box's page rectangle in whole points.
struct Box {
  int left, top, right, bottom;
};
Box page_box(const ShapePlan& shape) {
  return {72 + shape.left / 20, 72 + shape.top / 20, 72 + shape.right / 20, 72 + shape.bottom / 20};
}

ShapePlan boxed(int32_t dx, uint32_t story) {
  ShapePlan shape;
  shape.left = BOX_LEFT + dx;
  shape.right = BOX_RIGHT + dx;
  shape.top = BOX_TOP;
  shape.bottom = BOX_BOTTOM;
  shape.text_box = story;
  return shape;
}

DocPlan with_shapes(std::vector<ShapePlan> shapes) {
  DocPlan plan = plain_doc({u"Text before the shapes.", std::u16string(shapes.size(), u'\x08') + u"Anchors."});
  plan.shapes = std::move(shapes);
  return plan;
}

bool is_red(uint32_t pixel) {
  return (pixel >> 16 & 0xFF) > 0xC0 && (pixel >> 8 & 0xFF) < 0x60 && (pixel & 0xFF) < 0x60;
}
int red_in(const Rendered& r, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = std::max(0, top); y < std::min(bottom, r.height); ++y)
    for (int x = std::max(0, left); x < std::min(right, r.width); ++x) count += is_red(r.at(x, y));
  return count;
}

}  // namespace

TEST(QuireShapes, TextBoxesShowTheirOwnStoryInsideTheirBox) {
  // An outlined text box, and one without outline inside a group; each shows its own story.
  ShapePlan outlined = boxed(0, 2), grouped = boxed(4320, 1);
  grouped.grouped = true;
  grouped.no_line = true;
  DocPlan plan = with_shapes({outlined, grouped});
  plan.text_boxes = {u"Grouped words\r", u"Boxed words\r"};
  const Document doc = open_plan(plan);

  ASSERT_EQ(doc.model.shape_texts.size(), 2u);
  std::vector<std::string> shown;
  for (const FloatingPicture& f : doc.model.floats) {
    ASSERT_LT(f.text, doc.model.shape_texts.size());
    const ShapeText& text = doc.model.shape_texts[f.text];
    ASSERT_EQ(text.blocks.size(), 1u);
    shown.push_back(text.blocks[0].paragraph.text);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"Boxed words", "Grouped words"}));
  for (const Block& block : doc.model.blocks) EXPECT_EQ(block.paragraph.text.find("words"), std::string::npos);

  const Rendered page = draw(doc, 1);
  ASSERT_GT(page.width, 0);
  for (const ShapePlan& shape : {outlined, grouped}) {
    const Box box = page_box(shape);
    EXPECT_GT(ink_in(page, box.left + 4, box.top + 2, box.right - 4, box.bottom - 2), 20);
    EXPECT_EQ(ink_in(page, box.left + 4, box.bottom + 2, box.right - 4, box.bottom + 60), 0) << "text left its box";
  }
  const Box with_line = page_box(outlined), without = page_box(grouped);
  EXPECT_GT(ink_in(page, with_line.left - 1, with_line.top + 30, with_line.left + 1, with_line.bottom - 2), 30);
  EXPECT_EQ(ink_in(page, without.left - 1, without.top + 30, without.left + 1, without.bottom - 2), 0);
}

TEST(QuireShapes, TextArtIsStretchedOverItsBoxInItsFillColour) {
  ShapePlan art;
  art.left = BOX_LEFT;
  art.top = BOX_TOP;
  art.right = BOX_RIGHT;
  art.bottom = BOX_BOTTOM;
  art.art = u"Wide";
  art.art_font = u"Arial";
  art.art_bold = true;
  art.fill = 0xFF0000;
  const Document doc = open_plan(with_shapes({art}));
  ASSERT_EQ(doc.model.shape_texts.size(), 1u);
  EXPECT_EQ(doc.model.shape_texts[0].art, "Wide");
  EXPECT_EQ(doc.model.shape_texts[0].art_font, "Arial");

  const Rendered page = draw(doc, 1);
  ASSERT_GT(page.width, 0);
  const Box box = page_box(art);
  const int band = (box.right - box.left) / 10, rows = (box.bottom - box.top) / 10;
  // The letters reach every side of the box and nothing red lies outside it.
  EXPECT_GT(red_in(page, box.left, box.top, box.left + band, box.bottom), 0);
  EXPECT_GT(red_in(page, box.right - band, box.top, box.right, box.bottom), 0);
  EXPECT_GT(red_in(page, box.left, box.top, box.right, box.top + rows), 0);
  EXPECT_GT(red_in(page, box.left, box.bottom - rows, box.right, box.bottom), 0);
  const int inside = red_in(page, box.left - 1, box.top - 1, box.right + 1, box.bottom + 1);
  EXPECT_GT(inside, (box.right - box.left) * (box.bottom - box.top) / 5);
  EXPECT_EQ(red_in(page, 0, 0, page.width, page.height), inside);
}

TEST(QuireShapes, AMissingStoryLeavesItsBoxEmptyAndTheRestStands) {
  DocPlan plan = with_shapes({boxed(0, 7), boxed(4320, 1)});
  plan.shapes[0].no_line = true;
  plan.text_boxes = {u"Only story\r"};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.model.shape_texts.size(), 2u);
  EXPECT_TRUE(doc.model.shape_texts[0].blocks.empty());
  ASSERT_EQ(doc.model.shape_texts[1].blocks.size(), 1u);
  const Rendered page = draw(doc, 1);
  const Box empty = page_box(plan.shapes[0]);
  EXPECT_EQ(ink_in(page, empty.left - 1, empty.top - 1, empty.right + 1, empty.bottom + 1), 0);
}

TEST(QuireShapes, PropertyTablesReadComplexDataInOrderAndStopAtDamage) {
  PropertyTable table;
  table.add_string(0x00C0, u"Two\rlines");
  table.add(0x0181, 0x0000FF);      // red, stored red-first
  table.add(0x01BF, 0x00000010);    // "filled" without its use bit: the default stands
  table.add(0x01C0, 0x08000001);    // a scheme colour: not taken
  table.add(0x01FF, 0x00080000);    // the outline switched off
  table.add_string(0x00C5, u"Serif");
  Bytes bytes = table.record();
  ArtRecord record;
  ASSERT_TRUE(art_record_at({bytes.data(), bytes.size()}, 0, record));
  ShapeProps props = read_shape_props(record);
  EXPECT_EQ(props.art, u"Two\rlines");
  EXPECT_EQ(props.art_font, u"Serif");
  EXPECT_EQ(props.fill, 0xFF0000u);
  EXPECT_TRUE(props.fill_given);
  EXPECT_TRUE(props.filled);
  EXPECT_EQ(props.line, 0u);
  EXPECT_FALSE(props.lined);

  // The first string claims more bytes than the table holds: neither string
  // is read, the fixed entries still are.
  bytes[8 + 2] = 0xFF;
  bytes[8 + 3] = 0x7F;
  ASSERT_TRUE(art_record_at({bytes.data(), bytes.size()}, 0, record));
  props = read_shape_props(record);
  EXPECT_TRUE(props.art.empty());
  EXPECT_TRUE(props.art_font.empty());
  EXPECT_EQ(props.fill, 0xFF0000u);

  // A table cut short keeps what it held whole.
  const ArtRecord cut{record.version, record.instance, record.type, 9, {bytes.data() + 8, 9}};
  props = read_shape_props(cut);
  EXPECT_TRUE(props.art.empty());
  EXPECT_FALSE(props.fill_given);

  // Text art switched off shows no text.
  PropertyTable hidden;
  hidden.add_string(0x00C0, u"Hidden");
  hidden.add(0x00FF, 0x40000000);
  const Bytes hidden_bytes = hidden.record();
  ASSERT_TRUE(art_record_at({hidden_bytes.data(), hidden_bytes.size()}, 0, record));
  EXPECT_TRUE(read_shape_props(record).art.empty());
}

TEST(QuireShapes, TextArtOverAHugeBoxIsStretchedOnlySoFar) {
  // A dot stretched over a box 20,000 points square would ask cairo for a
  // font it cannot make (and whose memory it loses, which this test's leak
  // check sees); the stretch stops at a size the device can take, at one
  // pixel a point and at 2400 dpi, and the dot still shows.
  ShapeText shape;
  shape.art = "\u00b7";
  shape.fill = 0x000000;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 200, 200);
  cairo_t* cr = cairo_create(surface);
  draw_text_art(cr, shape, {0, 0, 20000, 20000});
  cairo_scale(cr, 2400 / 72.0, 2400 / 72.0);
  draw_text_art(cr, shape, {0, 0, 20000, 20000});
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const unsigned char* pixels = cairo_image_surface_get_data(surface);
  int inked = 0;
  for (int i = 0; i < 200 * 200; ++i) inked += pixels[4 * i + 3] != 0;
  cairo_surface_destroy(surface);
  EXPECT_GT(inked, 0);
}

namespace {

// Freeform segment entries: a move, a line, an editing hint (draws
// nothing), an arc escape (not drawn here), a close and the end.
constexpr uint16_t MOVE = 0x4000, LINE = 0x0001, EDIT_HINT = 0xAC00, ARC_ESCAPE = 0xA301, CLOSE = 0x6001,
                   END = 0x8000;

ShapePlan drawn_shape(int32_t left, int32_t size) {
  ShapePlan shape;
  shape.left = left;
  shape.top = BOX_TOP;
  shape.right = left + size;
  shape.bottom = BOX_TOP + size;
  shape.fill = 0xFF0000;
  return shape;
}

ShapePlan freeform(int32_t left, std::vector<std::array<int16_t, 2>> points, std::vector<uint16_t> segments) {
  ShapePlan shape = drawn_shape(left, 2000);
  shape.no_line = true;
  shape.points = std::move(points);
  shape.segments = std::move(segments);
  return shape;
}

// Whether the point at fractions (fx, fy) of the shape's box is red on the page.
bool red_at(const Rendered& page, const ShapePlan& shape, double fx, double fy) {
  const Box box = page_box(shape);
  return is_red(page.at(box.left + static_cast<int>(fx * (box.right - box.left)),
                        box.top + static_cast<int>(fy * (box.bottom - box.top))));
}

}  // namespace

TEST(QuireShapes, FreeformsFillTheirPointsScaledToTheirBoxAndADamagedListDrawsNothing) {
  const std::vector<std::array<int16_t, 2>> square = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}};
  const ShapePlan triangle = freeform(0, {{0, 0}, {1000, 0}, {0, 1000}},
                                      {MOVE, EDIT_HINT, LINE, EDIT_HINT, LINE, CLOSE, END});
  // The arc escape ends the path: what came before it is filled.
  const ShapePlan cut_short = freeform(2400, square, {MOVE, LINE, LINE, ARC_ESCAPE, LINE, CLOSE, END});
  // Asks for more points than the list holds.
  const ShapePlan damaged = freeform(4800, {{0, 0}, {1000, 0}, {1000, 1000}}, {MOVE, 0x0005, CLOSE, END});
  const Document doc = open_plan(with_shapes({triangle, cut_short, damaged}));
  const Rendered page = draw(doc, 1);
  ASSERT_GT(page.width, 0);

  EXPECT_TRUE(red_at(page, triangle, 0.1, 0.1));
  EXPECT_TRUE(red_at(page, triangle, 0.45, 0.45));
  EXPECT_FALSE(red_at(page, triangle, 0.55, 0.55));
  EXPECT_FALSE(red_at(page, triangle, 0.9, 0.9));
  EXPECT_TRUE(red_at(page, cut_short, 0.9, 0.1));
  EXPECT_FALSE(red_at(page, cut_short, 0.1, 0.9));
  const Box box = page_box(damaged);
  EXPECT_EQ(ink_in(page, box.left - 2, box.top - 2, box.right + 2, box.bottom + 2), 0);
  for (const ShapePlan& shape : {triangle, cut_short}) {  // the boxes stand 20 points apart
    const Box b = page_box(shape);
    EXPECT_EQ(red_in(page, b.left - 1, b.top - 1, b.right + 1, b.bottom + 1),
              red_in(page, b.left - 10, 0, b.right + 10, page.height))
        << "red outside the box";
  }
}

TEST(QuireShapes, CurvedArrowsBendRoundTheirBoxToAHeadTurnedWithTheShape) {
  ShapePlan right = drawn_shape(0, 2880);
  right.preset = 102;
  ShapePlan turned = right;  // half a turn: the head points left near the top
  turned.left = turned.right + 720;
  turned.right = turned.left + 2880;
  turned.rotation = 180;
  const Document doc = open_plan(with_shapes({right, turned}));
  ASSERT_EQ(doc.model.shape_texts.size(), 2u);
  const Rendered page = draw(doc, 1);
  ASSERT_GT(page.width, 0);

  // The head's tip lies on the right side, four fifths down; the band
  // passes the left side in the middle and leaves a hole on the right.
  EXPECT_TRUE(red_at(page, right, 0.93, 0.8));
  EXPECT_FALSE(red_at(page, right, 0.93, 0.5));
  EXPECT_FALSE(red_at(page, right, 0.93, 0.2 + 0.04));
  EXPECT_TRUE(red_at(page, turned, 0.07, 0.2));
  EXPECT_FALSE(red_at(page, turned, 0.93, 0.8));
  const Box box = page_box(right);
  EXPECT_GT(ink_in(page, box.left, box.top + 60, box.left + 4, box.top + 70), 0);
}
