// Positioned paragraphs and tables: where frames land on the page and how
// the text around them makes room.
#include <gtest/gtest.h>

#include <string>

#include "doc_writer.h"
#include "engine/frame_geometry.h"
#include "open_plan.h"

using namespace quire;
using namespace quire_test;

namespace {

constexpr double A4_WIDTH = 595, A4_HEIGHT = 842, MARGIN = 72;  // the fixtures' page

Bytes sprm_s16(uint16_t sprm, int16_t value) { return sprm_u16(sprm, static_cast<uint16_t>(value)); }

// A paragraph frame: anchors (vertical 0 margin, 1 page, 2 paragraph;
// horizontal 0 column, 1 margin, 2 page), place and wrapping.
Bytes frame(uint8_t vertical, uint8_t horizontal, int16_t x, int16_t y) {
  return concat({sprm_u8(0x261B, static_cast<uint8_t>(vertical << 4 | horizontal << 6)), sprm_s16(0x8418, x),
                 sprm_s16(0x8419, y), sprm_u8(0x2423, 2), sprm_u16(0x842F, 180)});
}

const PlacedParagraph& part_of(const Document& doc, const std::string& text) {
  for (const Page& page : doc.layout.pages)
    for (const PlacedParagraph& part : page.paragraphs)
      if (part.paragraph->text == text) return part;
  ADD_FAILURE() << "no paragraph " << text;
  static const PlacedParagraph none;
  return none;
}

FrameAnchors a4() {
  FrameAnchors anchors;
  anchors.page_width = A4_WIDTH;
  anchors.page_height = A4_HEIGHT;
  anchors.margin_left = anchors.margin_top = MARGIN;
  anchors.margin_right = A4_WIDTH - MARGIN;
  anchors.margin_bottom = A4_HEIGHT - MARGIN;
  anchors.paragraph_top = 300;
  return anchors;
}

}  // namespace

TEST(QuireFrames, NamedPlacesAnchorsAndHostileValuesLandOnThePage) {
  FramePosition position;
  position.horizontal = 1;
  position.vertical = 0;
  position.x = FRAME_RIGHT;
  position.y = FRAME_BOTTOM;
  FrameBox box = place_frame(position, 100, 50, a4());
  EXPECT_DOUBLE_EQ(box.x, A4_WIDTH - MARGIN - 100);
  EXPECT_DOUBLE_EQ(box.y, A4_HEIGHT - MARGIN - 50);

  position.horizontal = 2;  // the page, centred
  position.x = FRAME_CENTRE;
  position.vertical = 1;
  position.y = FRAME_MIDDLE;
  box = place_frame(position, 100, 50, a4());
  EXPECT_DOUBLE_EQ(box.x, (A4_WIDTH - 100) / 2);
  EXPECT_DOUBLE_EQ(box.y, (A4_HEIGHT - 50) / 2);

  // Inside is the left on odd pages and the right on even ones of facing pages.
  position.x = FRAME_INSIDE;
  FrameAnchors even = a4();
  even.even_page = true;
  EXPECT_DOUBLE_EQ(place_frame(position, 100, 50, a4()).x, 0);
  EXPECT_DOUBLE_EQ(place_frame(position, 100, 50, even).x, A4_WIDTH - 100);

  // Below a paragraph: an offset from its top; named places mean its top.
  position.vertical = 2;
  position.y = 400;
  EXPECT_DOUBLE_EQ(place_frame(position, 100, 50, a4()).y, 320);
  position.y = FRAME_BOTTOM;
  EXPECT_DOUBLE_EQ(place_frame(position, 100, 50, a4()).y, 300);

  // Far past the page, or an unknown negative place: still wholly on the page.
  position.vertical = 1;
  position.x = 32000;
  position.y = -32000;
  box = place_frame(position, 100, 50, a4());
  EXPECT_DOUBLE_EQ(box.x, A4_WIDTH - 100);
  EXPECT_DOUBLE_EQ(box.y, 0);
  box = place_frame(position, 2000, 50, a4());  // wider than the page: from its left edge
  EXPECT_DOUBLE_EQ(box.x, 0);
}

TEST(QuireFrames, SetHeightsAndTheRoomLeftBesideFrames) {
  FramePosition position;
  position.height = 400;  // exactly 20 points
  EXPECT_DOUBLE_EQ(frame_height(position, 35), 20);
  position.height = 0x8000 | 400;  // at least 20 points
  EXPECT_DOUBLE_EQ(frame_height(position, 35), 35);
  EXPECT_DOUBLE_EQ(frame_height(position, 5), 20);

  // A frame on the right of the column: text takes the left, then the full width below.
  const std::vector<Exclusion> right{{400, 100, 500, 200, true}};
  TextRoom room = room_for_text(right, 72, 523, 150, 12, 72);
  EXPECT_DOUBLE_EQ(room.left, 72);
  EXPECT_DOUBLE_EQ(room.width, 328);
  EXPECT_DOUBLE_EQ(room.top, 150);
  room = room_for_text(right, 72, 523, 210, 12, 72);
  EXPECT_DOUBLE_EQ(room.width, 451);

  // Too little room beside it, or a frame nothing may stand beside: below it.
  room = room_for_text({{100, 100, 500, 200, true}}, 72, 523, 150, 12, 72);
  EXPECT_DOUBLE_EQ(room.top, 200);
  EXPECT_DOUBLE_EQ(room.width, 451);
  room = room_for_text({{400, 100, 500, 200, false}}, 72, 523, 150, 12, 72);
  EXPECT_DOUBLE_EQ(room.top, 200);
  // Stacked frames: below the first, beside the second.
  room = room_for_text({{72, 100, 523, 200, true}, {72, 190, 450, 300, true}}, 72, 523, 150, 12, 60);
  EXPECT_DOUBLE_EQ(room.top, 200);
  EXPECT_DOUBLE_EQ(room.left, 450);

  // Text runs over a frame set not to push it.
  position.wrap = 3;
  Exclusion exclusion;
  EXPECT_FALSE(exclusion_of(position, {10, 10, 10, 10}, exclusion));
}

TEST(QuireFrames, ARightFrameSitsAtTheMarginWithTheTextBesideIt) {
  DocPlan plan = plain_doc({u"7", u"Text that runs beside the frame on its left, long enough to wrap over lines.", u"Last"});
  plan.paragraphs = {frame(2, 1, FRAME_RIGHT, 1)};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.page_count(), 1);
  const PlacedParagraph& framed = part_of(doc, "7");
  EXPECT_NEAR(framed.x + framed.width, A4_WIDTH - MARGIN, 0.5);
  EXPECT_LT(framed.width, 30);  // as wide as its text
  EXPECT_NEAR(framed.top, MARGIN, 0.1);
  // The text starts at the same height, kept 9 points left of the frame.
  const PlacedParagraph& beside = part_of(doc, "Text that runs beside the frame on its left, long enough to wrap over lines.");
  EXPECT_DOUBLE_EQ(beside.top, MARGIN);
  EXPECT_DOUBLE_EQ(beside.x, MARGIN);
  EXPECT_LE(beside.x + beside.width, framed.x - 9 + 0.01);
  EXPECT_GT(beside.x + beside.width, framed.x - 10);
}

TEST(QuireFrames, AFrameAtAPagePositionHoldsItsParagraphsOutOfTheFlow) {
  DocPlan plan = plain_doc({u"First framed", u"Second framed", u"Flowing", u"Far away"});
  const Bytes at_page = concat({frame(1, 2, 2880, 5760), sprm_u16(0x841A, 2880)});
  plan.paragraphs = {at_page, at_page, {}, frame(1, 2, 32000, 32000)};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.page_count(), 1);
  const PlacedParagraph& first = part_of(doc, "First framed");
  const PlacedParagraph& second = part_of(doc, "Second framed");
  EXPECT_DOUBLE_EQ(first.x, 144);
  EXPECT_DOUBLE_EQ(first.top, 288);
  EXPECT_DOUBLE_EQ(first.width, 144);
  // One frame: the second paragraph stacks below the first.
  EXPECT_DOUBLE_EQ(second.x, 144);
  EXPECT_DOUBLE_EQ(second.top, first.bottom);
  // The flow starts at the top margin as if the frame were not there.
  const PlacedParagraph& flowing = part_of(doc, "Flowing");
  EXPECT_DOUBLE_EQ(flowing.top, MARGIN);
  EXPECT_DOUBLE_EQ(flowing.width, A4_WIDTH - 2 * MARGIN);
  // A position past the page is brought back onto it.
  const PlacedParagraph& far = part_of(doc, "Far away");
  EXPECT_NEAR(far.x + far.width, A4_WIDTH, 0.01);
  EXPECT_NEAR(far.bottom, A4_HEIGHT, 0.01);
}

TEST(QuireFrames, APositionedTableSitsTopRightWithTheTextBesideIt) {
  DocPlan plan;
  plan.runs = {{u"REF\a\aHeading beside the table\r", true, {}}};
  const Bytes in_table = sprm_u8(0x2416, 1);
  const Bytes definition{0x08, 0xD6, 6, 0, 1, 0, 0, 0xA0, 0x05};  // one cell, 0 to 1440 twips
  const Bytes position = concat({sprm_u8(0x360D, 0x50), sprm_s16(0x940E, FRAME_RIGHT), sprm_s16(0x940F, 1300),
                                 sprm_u16(0x9410, 180)});
  plan.paragraphs = {in_table, concat({in_table, sprm_u8(0x2417, 1), definition, position})};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.page_count(), 1);
  ASSERT_EQ(doc.layout.pages[0].boxes.size(), 1u);
  const CellBox& cell = doc.layout.pages[0].boxes[0];
  EXPECT_NEAR(cell.x + cell.width, A4_WIDTH - MARGIN, 0.01);
  EXPECT_DOUBLE_EQ(cell.width, 72);
  EXPECT_DOUBLE_EQ(cell.y, 65);  // reaching below the top margin
  const PlacedParagraph& heading = part_of(doc, "Heading beside the table");
  EXPECT_DOUBLE_EQ(heading.top, MARGIN);
  EXPECT_LE(heading.x + heading.width, cell.x - 9 + 0.01);
}

namespace {

// A 48 point capital of `kind` (1 dropped, 2 in the margin) over three
// lines, then a paragraph of several lines, then a closing one.
Document capital_doc(uint8_t kind, bool with_text = true) {
  DocPlan plan = plain_doc({});
  std::u16string text;
  for (int i = 0; i < 20; ++i) text += u"Words running beside the capital. ";
  plan.runs = {{u"W\r", true, {0x43, 0x4A, 96, 0}}};  // sprmCHps: 48 points
  if (with_text) plan.runs.push_back({text + u"\rAfter\r", true, {}});
  plan.paragraphs = {sprm_u16(0x442C, static_cast<uint16_t>(3 << 3 | kind))};
  return open_plan(plan);
}

}  // namespace

// A dropped capital stands at the left of the next paragraph, out of the
// flow, its baseline on the third line's; those three lines make room for
// it, the rest run the full width. One in the margin stands left of the
// text, which keeps its width. The capital comes first in the page's order.
TEST(QuireFrames, ADroppedCapitalSitsBesideTheLinesItSpans) {
  for (uint8_t kind : {1, 2}) {
    SCOPED_TRACE(kind);
    const Document doc = capital_doc(kind);
    ASSERT_EQ(doc.page_count(), 1);
    const auto& parts = doc.layout.pages[0].paragraphs;
    ASSERT_GE(parts.size(), 3u);
    const PlacedParagraph &capital = parts[0], &text = parts[1];
    ASSERT_EQ(capital.paragraph->text, "W");
    const ParagraphMetrics& lines = doc.layout.measured.at(text.measured);
    ASSERT_GT(lines.lines.size(), 4u);
    EXPECT_DOUBLE_EQ(text.top, MARGIN);
    EXPECT_DOUBLE_EQ(text.x, MARGIN);
    EXPECT_NEAR(capital.top + doc.layout.measured.at(capital.measured).lines[0].baseline,
                text.top + lines.lines[2].baseline, 0.01);
    EXPECT_GT(capital.width, 20);
    if (kind == 1) {
      EXPECT_DOUBLE_EQ(capital.x, text.x);
      for (size_t i = 0; i < 3; ++i) EXPECT_GE(lines.lines[i].x, capital.width) << i;
    } else {
      EXPECT_LE(capital.x + capital.width, text.x + 0.01);
      for (size_t i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(lines.lines[i].x, 0) << i;
    }
    EXPECT_DOUBLE_EQ(lines.lines[3].x, 0);
    EXPECT_FALSE(lines.layouts.empty());  // kept: drawing it again at one width would lose the room
    EXPECT_DOUBLE_EQ(part_of(doc, "After").top, text.bottom);
  }
  // With no paragraph after it, a capital is set as a paragraph of its own.
  const Document alone = capital_doc(1, false);
  const PlacedParagraph& capital = part_of(alone, "W");
  EXPECT_DOUBLE_EQ(capital.top, MARGIN);
  EXPECT_GT(capital.bottom - capital.top, 40);
}
