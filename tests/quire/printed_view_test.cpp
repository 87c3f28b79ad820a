// What Word shows when it prints: tracked changes with or without their
// markup, DATE and TIME fields set to the printing day, form check boxes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "doc_writer.h"
#include "engine/date_fields.h"
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

// SOURCE_DATE_EPOCH set for the scope of a test.
class PrintedAt {
 public:
  explicit PrintedAt(const char* seconds) { setenv("SOURCE_DATE_EPOCH", seconds, 1); }
  ~PrintedAt() { unsetenv("SOURCE_DATE_EPOCH"); }
};
constexpr const char* THURSDAY_EVENING = "1928775845";  // 2031-02-13 19:04:05 UTC

std::vector<std::string> texts(const Document& doc) {
  std::vector<std::string> out;
  for (const Block& block : doc.model.blocks) out.push_back(block.paragraph.text);
  return out;
}

// Form-field data of a check box: its result (0 empty, 1 ticked, 25 the
// default), default state and, when `half_points` is not 0, its exact size.
Bytes check_box_data(uint8_t result, bool ticked_by_default, uint16_t half_points = 0) {
  Bytes ffdata;
  auto u16 = [&](unsigned v) { ffdata.insert(ffdata.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)}); };
  u16(0xFFFF), u16(0xFFFF);                                // version
  u16(1u | result << 2 | (half_points ? 1u << 10 : 0u));   // a check box, its result, an exact size
  u16(0), u16(half_points);                                // maximum length, size
  u16(0), u16(0);                                          // no name
  u16(ticked_by_default);
  return form_field_data(ffdata);
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

TEST(QuirePrintedView, DatePicturesWriteTheirPartsAndQuotedText) {
  std::tm when{};
  when.tm_year = 2026 - 1900, when.tm_mon = 11, when.tm_mday = 3, when.tm_wday = 4;
  when.tm_hour = 0, when.tm_min = 7, when.tm_sec = 5;
  const DateNames names = date_names(0x0409);
  EXPECT_EQ(format_date(when, "d/M/yy dd.MM.yyyy", names), "3/12/26 03.12.2026");
  EXPECT_EQ(format_date(when, "ddd d MMM, dddd MMMM", names), "Thu 3 Dec, Thursday December");
  EXPECT_EQ(format_date(when, "h:mm:ss AM/PM|HH:m:s a/p|'dd MM' yy", names), "12:07:05 AM|00:7:5 a|dd MM 26");
  when.tm_hour = 13;
  EXPECT_EQ(format_date(when, "hh am/pm, A/P, H", names), "01 pm, P, 13");
  EXPECT_EQ(format_date(when, "'unclosed", names), "unclosed");
}

TEST(QuirePrintedView, DateAndTimeFieldsShowThePrintingMomentInTheDocumentsLanguage) {
  const PrintedAt moment(THURSDAY_EVENING);
  DocPlan plan;
  plan.runs = {{u"\x13 DATE \\@ \"dd/MM/yy\" \x14" u"12/09/03\x15\r"
                u"\x13 time \\@ HH:mm:ss \x14old\x15\r"
                u"\x13 DATE \\@ \"dddd, d MMMM yyyy 'at' h:mm am/pm\" \x15\r"
                u"\x13 DATE \x14x\x15 \x13 TIME \x14x\x15\r"
                u"\x13 CREATEDATE \\@ \"yyyy\" \x14" u"2003\x15\r", true, {}}};
  EXPECT_EQ(texts(open_plan(plan)),
            (std::vector<std::string>{"13/02/31", "19:04:05", "Thursday, 13 February 2031 at 7:04 pm",
                                      "2/13/2031 7:04 PM", "2003"}));
  // French: the names are French, the plain date day first.
  plan.runs = {{u"\x13 DATE \\@ \"dddd d MMMM yyyy\" \x15\r\x13 DATE \x15\r", true, {}}};
  plan.styles[0].chpx = sprm_u16(0x486D, 0x040C);
  EXPECT_EQ(texts(open_plan(plan)), (std::vector<std::string>{"jeudi 13 f\u00e9vrier 2031", "13/02/2031"}));
}

TEST(QuirePrintedView, WithoutAUsableEpochFieldsShowTheClocksDate) {
  const PrintedAt moment("19287758A5");  // a letter among the digits
  DocPlan plan;
  plan.runs = {{u"\x13 DATE \\@ \"yyyy-MM-dd\" \x15\r", true, {}}};
  auto today = [] {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return std::string(text);
  };
  const std::string before = today();
  const std::string shown = texts(open_plan(plan)).at(0);
  EXPECT_TRUE(shown == before || shown == today()) << shown;
}

TEST(QuirePrintedView, CheckBoxesDrawASquareCrossedWhenTicked) {
  DocPlan plan;
  const Bytes empty = check_box_data(0, true), ticked = check_box_data(1, false),
              by_default = check_box_data(25, true, 40);
  const uint32_t ticked_at = static_cast<uint32_t>(empty.size());
  const uint32_t default_at = static_cast<uint32_t>(ticked_at + ticked.size());
  plan.data = concat({empty, ticked, by_default});
  plan.runs = {{u"\x13 FORMCHECKBOX ", true, {}}, {u"\x01", true, form_field_run(0)},
               {u"\x15 B\r\x13 FORMCHECKBOX ", true, {}}, {u"\x01", true, form_field_run(ticked_at)},
               {u"\x14x\x15\r\x13 FORMCHECKBOX ", true, {}}, {u"\x01", true, form_field_run(default_at)},
               {u"\x15\r", true, {}}};
  const Document doc = open_plan(plan);
  ASSERT_EQ(texts(doc), (std::vector<std::string>{"\uFFFC B", "\uFFFC", "\uFFFC"}));
  const CharProps boxes[3] = {run_at(paragraph_at(doc, 0), 0).props, run_at(paragraph_at(doc, 1), 0).props,
                              run_at(paragraph_at(doc, 2), 0).props};
  EXPECT_EQ(boxes[0].check_box, 1);  // empty, whatever its default
  EXPECT_EQ(boxes[1].check_box, 2);  // ticked
  EXPECT_EQ(boxes[2].check_box, 2);  // ticked by its default
  EXPECT_EQ(boxes[0].box_size, 0);   // as tall as its text
  EXPECT_EQ(boxes[2].box_size, 40);  // 20 points

  // Each box's square stands on the baseline, three quarters of its size
  // wide; a tick crosses its middle.
  const Rendered page = draw(doc, 1);
  const Page& laid = doc.layout.pages[0];
  ASSERT_EQ(laid.paragraphs.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const PlacedParagraph& part = laid.paragraphs[i];
    const double size = i == 2 ? 20.0 : 10.0, side = size * 3 / 4;
    const double left = part.x + size / 10, baseline = part.top + doc.layout.measured[part.measured].lines[0].baseline;
    const int middle_x = static_cast<int>(left + side / 2), middle_y = static_cast<int>(baseline - side / 2);
    EXPECT_EQ(ink_in(page, middle_x - 1, middle_y - 1, middle_x + 2, middle_y + 2) > 0, i > 0);
    EXPECT_GT(ink_in(page, static_cast<int>(left) - 1, static_cast<int>(baseline - side) - 1,
                     static_cast<int>(left + side) + 2, static_cast<int>(baseline) + 2),
              static_cast<int>(3 * side));  // its sides
  }
}
