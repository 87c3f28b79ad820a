// What Word shows when it prints: tracked changes with or without their
// markup, DATE and TIME fields set to the printing day, form check boxes.
#include <gtest/gtest.h>

#include <string>

#include "doc_writer.h"
#include "engine/document.h"
#include "engine/page_layout.h"
#include "open_plan.h"
#include "page_pixels.h"

using namespace quire;
using namespace quire_test;

namespace {

const Paragraph& paragraph_at(const Document& doc, size_t index) {
  static const Paragraph none;
  if (index >= doc.model.blocks.size() || doc.model.blocks[index].kind != BlockKind::PARAGRAPH) {
    ADD_FAILURE() << "no paragraph at block " << index;
    return none;
  }
  return doc.model.blocks[index].paragraph;
}

// The run holding the paragraph's byte `at`.
const TextRun& run_at(const Paragraph& paragraph, size_t at) {
  for (const TextRun& run : paragraph.runs)
    if (at >= run.start && at < run.end) return run;
  static const TextRun none;
  ADD_FAILURE() << "no run at byte " << at << " of \"" << paragraph.text << "\"";
  return none;
}

// A kept paragraph, a changed one (inserted by author 1, deleted by author
// 2) and another kept one.
DocPlan revised_doc(bool markup) {
  DocPlan plan;
  plan.revision_markup = markup;
  plan.runs = {{u"kept\r", true, {}},
               {u"inserted ", true, concat({sprm_u8(0x0801, 1), sprm_u16(0x4804, 1)})},
               {u"deleted ", true, concat({sprm_u8(0x0800, 1), sprm_u16(0x4863, 2)})},
               {u"plain\rafter\r", true, {}}};
  return plan;
}

}  // namespace

TEST(QuirePrintedView, WithoutMarkupDeletedTextIsHiddenAndInsertedTextPlain) {
  const Document doc = open_plan(revised_doc(false));
  const Paragraph& changed = paragraph_at(doc, 1);
  EXPECT_EQ(changed.text, "inserted plain");
  ASSERT_EQ(changed.runs.size(), 1u);
  EXPECT_FALSE(changed.runs[0].props.underline);
  EXPECT_TRUE(changed.runs[0].props.auto_colour);
  // No change bar: nothing left of the text frame.
  const Rendered page = draw(doc, 1);
  EXPECT_EQ(ink_in(page, 0, 0, 72, page.height), 0);
}

TEST(QuirePrintedView, WithMarkupChangesAreStruckOrUnderlinedInTheirAuthorsColour) {
  const Document doc = open_plan(revised_doc(true));
  const Paragraph& changed = paragraph_at(doc, 1);
  ASSERT_EQ(changed.text, "inserted deleted plain");
  const CharProps& inserted = run_at(changed, 0).props;
  const CharProps& deleted = run_at(changed, 9).props;
  const CharProps& plain = run_at(changed, 17).props;
  EXPECT_TRUE(inserted.underline);
  EXPECT_FALSE(inserted.strike);
  EXPECT_TRUE(deleted.strike);
  EXPECT_FALSE(deleted.underline);
  EXPECT_FALSE(inserted.auto_colour);
  EXPECT_FALSE(deleted.auto_colour);
  EXPECT_NE(inserted.colour, deleted.colour);  // two authors, two colours
  EXPECT_TRUE(plain.auto_colour);
  EXPECT_FALSE(plain.underline || plain.strike);

  // A change bar stands in the left margin beside the changed line only.
  const Rendered page = draw(doc, 1);
  const Page& laid = doc.layout.pages[0];
  ASSERT_EQ(laid.paragraphs.size(), 3u);
  const int margin = static_cast<int>(laid.text_left) - 2;
  auto bar_beside = [&](const PlacedParagraph& part) {
    return ink_in(page, 0, static_cast<int>(part.top) + 2, margin, static_cast<int>(part.bottom) - 2) > 0;
  };
  EXPECT_FALSE(bar_beside(laid.paragraphs[0]));
  EXPECT_TRUE(bar_beside(laid.paragraphs[1]));
  EXPECT_FALSE(bar_beside(laid.paragraphs[2]));
}
