// How paragraphs look where the file says so: tab stops and their leaders,
// paragraph shading and borders, capitals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_writer.h"
#include "engine/document.h"
#include "page_pixels.h"
#include "open_plan.h"

using namespace quire;
using namespace quire_test;

namespace {

// sprmPChgTabsPapx adding one stop: its place in twips, kind (0 left,
// 1 centre, 2 right, 3 decimal) and leader (0 none, 1 dots, 2 hyphens, 3 line).
Bytes tab_stop(int16_t position, uint8_t kind, uint8_t leader) {
  const uint16_t at = static_cast<uint16_t>(position);
  return {0x0D, 0xC6, 5, 0, 1, static_cast<uint8_t>(at), static_cast<uint8_t>(at >> 8),
          static_cast<uint8_t>(kind | leader << 3)};
}

// The placed paragraph `index` of page 1, as whole pixel rows.
struct Rows {
  int top = 0, bottom = 0;
};
Rows rows_of(const Document& doc, size_t index) {
  const PlacedParagraph& part = doc.layout.pages.at(0).paragraphs.at(index);
  return {static_cast<int>(part.top), static_cast<int>(part.bottom + 0.5)};
}

// The rightmost inked column of rows [top, bottom), -1 when none.
int right_edge(const Rendered& r, Rows rows) {
  for (int x = r.width - 1; x >= 0; --x)
    if (ink_in(r, x, rows.top, x + 1, rows.bottom) > 0) return x;
  return -1;
}

}  // namespace

TEST(QuireLook, RightTabsEndTheirTextAtTheStopAndLeadersFillOnlyTheirTab) {
  // Stops four inches in: 72 + 288 = 360 points from the page's left edge.
  DocPlan plan = plain_doc({u"Name\tPage", u"Name\tPage", u"Name\tPage"});
  plan.paragraphs = {tab_stop(5760, 2, 1), tab_stop(5760, 2, 0), tab_stop(5760, 2, 3)};
  const Document doc = open_plan(plan);
  const Rendered page = draw(doc, 1);
  ASSERT_GT(page.width, 0);
  const Rows dotted = rows_of(doc, 0), plain = rows_of(doc, 1), lined = rows_of(doc, 2);
  EXPECT_NEAR(right_edge(page, dotted), 360, 3);
  EXPECT_NEAR(right_edge(page, plain), 360, 3);
  // Between "Name" (ends near 100) and "Page" (starts near 330).
  EXPECT_GT(ink_in(page, 140, dotted.top, 300, dotted.bottom), 20);
  EXPECT_EQ(ink_in(page, 140, plain.top, 300, plain.bottom), 0);
  EXPECT_GT(ink_in(page, 140, lined.top, 300, lined.bottom), 100);  // a line, not dots
}

TEST(QuireLook, AListsOwnTabStopWinsOverTheHangingIndent) {
  // Hanging at half an inch; a stop two inches in, once a list's own and once plain.
  DocPlan plan = plain_doc({u"1\tText", u"1\tText"});
  const Bytes hanging = concat({sprm_u16(0x840F, 720), sprm_u16(0x8411, static_cast<uint16_t>(-360))});
  plan.paragraphs = {concat({hanging, tab_stop(2880, 6, 0)}), concat({hanging, tab_stop(2880, 0, 0)})};
  const Document doc = open_plan(plan);
  const Rendered page = draw(doc, 1);
  ASSERT_GT(page.width, 0);
  const Rows list_tab = rows_of(doc, 0), plain = rows_of(doc, 1);
  // "Text" starts at 72 + 144 after the list's stop, at 72 + 36 after the hanging indent.
  EXPECT_EQ(ink_in(page, 100, list_tab.top, 210, list_tab.bottom), 0);
  EXPECT_GT(ink_in(page, 212, list_tab.top, 240, list_tab.bottom), 0);
  EXPECT_GT(ink_in(page, 100, plain.top, 140, plain.bottom), 0);
}

TEST(QuireLook, ShadingFillsTheParagraphAndBordersDrawOnTheirSidesOnly) {
  DocPlan plan = plain_doc({u"Shaded", u"Plain", u"Ruled below"});
  plan.paragraphs = {{0x2D, 0x44, 7 << 5, 0},               // sprmPShd80: clear, yellow background
                     {},
                     {0x26, 0x64, 12, 1, 1, 0}};            // sprmPBrcBottom80: 1.5 pt single black
  const Document doc = open_plan(plan);
  const Rendered page = draw(doc, 1);
  ASSERT_GT(page.width, 0);
  const Rows shaded = rows_of(doc, 0), plain = rows_of(doc, 1), ruled = rows_of(doc, 2);
  // Right of the word, inside the text column: yellow behind the first, white behind the second.
  const int middle = (shaded.top + shaded.bottom) / 2;
  EXPECT_EQ(page.at(400, middle), 0xFFFFFF00u);
  EXPECT_EQ(page.at(400, (plain.top + plain.bottom) / 2), 0xFFFFFFFFu);
  // The bottom rule spans the column just under the third paragraph, and nothing rules the others.
  EXPECT_GT(ink_in(page, 400, ruled.bottom, 500, ruled.bottom + 4), 100);
  EXPECT_EQ(ink_in(page, 400, plain.top + 1, 500, plain.bottom - 1), 0);
}

// A top border takes its width and its distance from the text above the
// text, so it clears the paragraph before; paragraphs with the same borders
// are boxed together, with no line between them.
TEST(QuireLook, ATopBorderStandsClearOfTheTextAndBoxesAlikeParagraphsTogether) {
  DocPlan plan = plain_doc({u"Above", u"Boxed one", u"Boxed two", u"Below"});
  const Bytes top_rule{0x24, 0x64, 8, 1, 1, 4};  // sprmPBrcTop80: 1 pt single black, 4 pt from the text
  plan.paragraphs = {{}, top_rule, top_rule, {}};
  const Document doc = open_plan(plan);
  const auto& parts = doc.layout.pages.at(0).paragraphs;
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_NEAR(parts[1].top - parts[0].bottom, 5.0, 0.01);
  EXPECT_NEAR(parts[2].top, parts[1].bottom, 0.01);
  EXPECT_NEAR(parts[3].top, parts[2].bottom, 0.01);
  const Rendered page = draw(doc, 1);
  ASSERT_GT(page.width, 0);
  // Right of the words: the line above the box, clear space under it, no line inside the box.
  const int line_top = static_cast<int>(parts[0].bottom), text_top = static_cast<int>(parts[1].top);
  EXPECT_GT(ink_in(page, 400, line_top, 500, text_top - 3), 50);
  EXPECT_EQ(ink_in(page, 400, text_top - 3, 500, static_cast<int>(parts[3].bottom)), 0);
}

// A box's side lines stand their own distance out from the text (6 pt
// here), and its top and bottom lines reach out to them.
TEST(QuireLook, ABoxClosesAtItsCorners) {
  DocPlan plan = plain_doc({u"Boxed"});
  plan.paragraphs = {concat({{0x24, 0x64, 16, 1, 1, 2},     // 2 pt lines: top and bottom 2 pt from the text,
                             {0x26, 0x64, 16, 1, 1, 2},
                             {0x25, 0x64, 16, 1, 1, 6},     // left and right 6 pt
                             {0x27, 0x64, 16, 1, 1, 6}})};
  const Document doc = open_plan(plan);
  const PlacedParagraph& part = doc.layout.pages.at(0).paragraphs.at(0);
  const Rendered page = draw(doc, 1);
  ASSERT_GT(page.width, 0);
  const int x = static_cast<int>(part.x), right = static_cast<int>(part.x + part.width);
  const int top = static_cast<int>(part.top), bottom = static_cast<int>(part.bottom);
  const int middle = (top + bottom) / 2;
  // The side lines from x - 8 to x - 6 and from right + 6 to right + 8; clear between them and the text.
  EXPECT_EQ(ink_in(page, x - 8, middle, x - 6, middle + 1), 2);
  EXPECT_EQ(ink_in(page, x - 5, middle, x - 1, middle + 1), 0);
  EXPECT_EQ(ink_in(page, right + 6, middle, right + 8, middle + 1), 2);
  // The top line (rows top - 4 and top - 3) and the bottom one run on into the side lines.
  EXPECT_EQ(ink_in(page, x - 6, top - 4, x - 2, top - 2), 8);
  EXPECT_EQ(ink_in(page, right + 2, bottom + 2, right + 6, bottom + 4), 8);
}

TEST(QuireLook, CapitalsWidenTheTextAndSuperscriptSitsAboveTheBaseline) {
  DocPlan plan = plain_doc({});
  plan.runs = {{u"capitals\r", true, {}},
               {u"capitals\r", true, {0x3B, 0x08, 1}},   // sprmCFCaps
               {u"capitals\r", true, {0x3A, 0x08, 1}},   // sprmCFSmallCaps
               {u"x2\r", true, {}},
               {u"x", true, {}},
               {u"2\r", true, {0x48, 0x2A, 1}}};         // sprmCIss: superscript
  const Document doc = open_plan(plan);
  const Rendered page = draw(doc, 1);
  ASSERT_GT(page.width, 0);
  const int lower = right_edge(page, rows_of(doc, 0)), upper = right_edge(page, rows_of(doc, 1));
  const int small = right_edge(page, rows_of(doc, 2));
  EXPECT_GT(upper, lower + 10);
  EXPECT_GT(small, lower);
  EXPECT_LT(small, upper);
  // How far above its line's baseline the last character's ink ends.
  auto lift = [&](size_t index) {
    const PlacedParagraph& part = doc.layout.pages.at(0).paragraphs.at(index);
    const double baseline = part.top + doc.layout.measured.at(part.measured).lines.at(0).baseline;
    const Rows rows = rows_of(doc, index);
    const int right = right_edge(page, rows);
    for (int y = rows.bottom; y >= rows.top; --y)
      if (ink_in(page, right - 1, y, right + 1, y + 1) > 0) return baseline - (y + 1);
    return 0.0;
  };
  EXPECT_NEAR(lift(3), 0, 1);
  EXPECT_GT(lift(4), 2.5);
}
