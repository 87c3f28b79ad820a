// Pages: how text flows onto A4 pages and what a rendered page shows.
#include <gtest/gtest.h>

#include <vector>

#include "doc_writer.h"
#include "engine/document.h"
#include "engine/paragraph_metrics.h"
#include "open_plan.h"

using namespace quire;
using namespace quire_test;

namespace {

constexpr int STRIDE = 2380;

struct Ink {
  int count = 0;
  int left = PAGE_WIDTH, top = PAGE_HEIGHT, right = -1, bottom = -1;
};

std::vector<uint32_t> render(const Document& doc, int page) {
  std::vector<uint32_t> pixels(STRIDE / 4 * PAGE_HEIGHT, 0x12345678);
  EXPECT_EQ(render_document_page(doc, page, reinterpret_cast<uint8_t*>(pixels.data()), STRIDE), 0);
  return pixels;
}

// Pixels that are not white, and their bounds.
Ink ink_of(const std::vector<uint32_t>& pixels) {
  Ink ink;
  for (int y = 0; y < PAGE_HEIGHT; ++y)
    for (int x = 0; x < PAGE_WIDTH; ++x) {
      if (pixels[y * PAGE_WIDTH + x] == 0xFFFFFFFFu) continue;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  return ink;
}

}  // namespace

TEST(QuireLayout, TextInksTheTopLeftOfTheTextFrameOnAWhitePage) {
  const Document doc = open_plan(plain_doc({u"Hello, page."}));
  ASSERT_EQ(doc.page_count(), 1);
  const auto pixels = render(doc, 1);
  const Ink ink = ink_of(pixels);
  ASSERT_GT(ink.count, 50);
  // One-inch margins: text starts near (72, 72) and stays on the first lines.
  EXPECT_GE(ink.left, 72);
  EXPECT_LT(ink.left, 80);
  EXPECT_GE(ink.top, 72);
  EXPECT_LT(ink.bottom, 72 + 20);
  EXPECT_EQ(pixels[800 * PAGE_WIDTH + 300], 0xFFFFFFFFu);  // opaque white where nothing is
  // Text is black: the darkest pixel is close to black and opaque.
  uint32_t darkest = 0xFFFFFFFFu;
  for (uint32_t p : pixels)
    if ((p & 0xFF) < (darkest & 0xFF)) darkest = p;
  EXPECT_EQ(darkest >> 24, 0xFFu);
  EXPECT_LT(darkest & 0xFF, 0x40u);
}

TEST(QuireLayout, AlignmentAndMarginsMoveTheInk) {
  DocPlan plan = plain_doc({u"Centred"});
  plan.paragraphs = {sprm_u8(0x2461, 1)};
  const Ink centred = ink_of(render(open_plan(plan), 1));
  EXPECT_NEAR((centred.left + centred.right) / 2.0, PAGE_WIDTH / 2.0, 4);

  DocPlan margins = plain_doc({u"Moved"});
  margins.section = concat({sprm_u16(0xB021, 200 * 20), sprm_u16(0x9023, 300 * 20)});
  const Ink moved = ink_of(render(open_plan(margins), 1));
  EXPECT_GE(moved.left, 200);
  EXPECT_LT(moved.left, 208);
  EXPECT_GE(moved.top, 300);
}

TEST(QuireLayout, BoldAndBiggerTextInksMore) {
  auto ink_for = [](Bytes chpx) {
    DocPlan plan;
    plan.runs = {{u"The same words\r", true, std::move(chpx)}};
    return ink_of(render(open_plan(plan), 1));
  };
  const Ink plain = ink_for({});
  const Ink bold = ink_for(sprm_u8(0x0835, 1));
  const Ink big = ink_for(sprm_u16(0x4A43, 48));
  EXPECT_GT(bold.count, plain.count * 11 / 10);
  EXPECT_GT(big.right - big.left, (plain.right - plain.left) * 2);
  EXPECT_GT(big.bottom - big.top, (plain.bottom - plain.top) * 2);
}

TEST(QuireLayout, ColouredTextIsDrawnInItsColour) {
  DocPlan plan;
  plan.runs = {{u"Red words here\r", true, concat({sprm_u8(0x2A42, 6), sprm_u16(0x4A43, 40)})}};
  const auto pixels = render(open_plan(plan), 1);
  bool red = false;
  for (uint32_t p : pixels) red = red || p == 0xFFFF0000u;
  EXPECT_TRUE(red);
}

TEST(QuireLayout, LongTextFlowsOntoMorePagesInOrder) {
  std::vector<std::u16string> texts(150, u"A line of text that fills some room on the page.");
  texts.back() = u"Last words";
  const Document doc = open_plan(plain_doc(texts));
  ASSERT_GE(doc.page_count(), 2);
  const Ink last = ink_of(render(doc, doc.page_count()));
  EXPECT_GT(last.count, 0);
  const Ink first = ink_of(render(doc, 1));
  EXPECT_GT(first.bottom, PAGE_HEIGHT - 72 - 30);  // the first page is filled to its bottom margin
  EXPECT_LE(first.bottom, PAGE_HEIGHT - 72 + 4);
}

TEST(QuireLayout, TableRowsAreBoxedSideBySide) {
  DocPlan plan;
  plan.runs = {{u"left cell\aright cell\a\a", true, {}}};
  const Bytes in_table = sprm_u8(0x2416, 1);
  plan.paragraphs = {in_table, in_table, concat({in_table, sprm_u8(0x2417, 1)})};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.layout.pages.size(), 1u);
  ASSERT_EQ(doc.layout.pages[0].boxes.size(), 2u);
  const CellBox& a = doc.layout.pages[0].boxes[0];
  const CellBox& b = doc.layout.pages[0].boxes[1];
  EXPECT_DOUBLE_EQ(a.x + a.width, b.x);
  EXPECT_DOUBLE_EQ(a.y, b.y);
  const auto pixels = render(doc, 1);
  // Ink inside both cells.
  auto row_has_ink = [&](int from, int to) {
    for (int y = static_cast<int>(a.y) + 2; y < static_cast<int>(a.y + a.height) - 1; ++y)
      for (int x = from; x < to; ++x)
        if (pixels[y * PAGE_WIDTH + x] != 0xFFFFFFFFu) return true;
    return false;
  };
  EXPECT_TRUE(row_has_ink(static_cast<int>(a.x) + 3, static_cast<int>(a.x + a.width) - 3));
  EXPECT_TRUE(row_has_ink(static_cast<int>(b.x) + 3, static_cast<int>(b.x + b.width) - 3));
}

// Where a row's text and boxes land for the given row-end modifiers, with
// 12 points of space before each cell's paragraph.
struct RowShape {
  std::vector<CellBox> boxes;
  std::vector<double> text_x, text_top;
};
RowShape row_shape(const Bytes& row_end) {
  DocPlan plan;
  plan.runs = {{u"left cell\aright cell\a\a", true, {}}};
  const Bytes in_cell = concat({sprm_u8(0x2416, 1), sprm_u16(0xA413, 240)});
  plan.paragraphs = {in_cell, in_cell, concat({sprm_u8(0x2416, 1), sprm_u8(0x2417, 1), row_end})};
  const Document doc = open_plan(plan);
  RowShape shape;
  if (doc.layout.pages.size() != 1) return shape;
  shape.boxes = doc.layout.pages[0].boxes;
  for (const PlacedParagraph& placed : doc.layout.pages[0].paragraphs) {
    shape.text_x.push_back(placed.x);
    shape.text_top.push_back(placed.top);
  }
  return shape;
}

// A table definition of two cells 1440 twips wide, the first starting at -108.
Bytes two_cell_definition() {
  Bytes operand{2};
  for (int16_t edge : {-108, 1332, 2772}) {
    operand.push_back(static_cast<uint8_t>(edge & 0xFF));
    operand.push_back(static_cast<uint8_t>((edge >> 8) & 0xFF));
  }
  operand.resize(operand.size() + 2 * 20, 0);  // two cells without borders or alignment
  Bytes sprm{0x08, 0xD6, static_cast<uint8_t>((operand.size() + 1) & 0xFF), static_cast<uint8_t>((operand.size() + 1) >> 8)};
  sprm.insert(sprm.end(), operand.begin(), operand.end());
  return sprm;
}

TEST(QuireLayout, CellsKeepTheirSpaceBeforeAndTheRowsMarginsAndWidth) {
  const RowShape plain = row_shape(two_cell_definition());
  ASSERT_EQ(plain.boxes.size(), 2u);
  ASSERT_EQ(plain.text_x.size(), 2u);
  EXPECT_NEAR(plain.boxes[0].width, 72.0, 0.01);
  EXPECT_NEAR(plain.text_x[0] - plain.boxes[0].x, 5.4, 0.01);  // the default margin
  // Space before counts at the top of a cell too: the text starts 12 points down.
  EXPECT_NEAR(plain.text_top[0] - plain.boxes[0].y, 12.25, 0.01);
  EXPECT_GT(plain.boxes[0].height, 12.25 + 10.0);  // the space and a line of 10-point text

  // The row's own margin beside the text (0x9602: 360 twips).
  const RowShape wide_margin = row_shape(concat({two_cell_definition(), sprm_u16(0x9602, 360)}));
  ASSERT_EQ(wide_margin.text_x.size(), 2u);
  EXPECT_NEAR(wide_margin.text_x[1] - wide_margin.boxes[1].x, 18.0, 0.01);

  // A table set to the whole text width stretches its cells to it, keeping their shares.
  const RowShape full = row_shape(concat({two_cell_definition(), Bytes{0x14, 0xF6, 0x02, 0x88, 0x13}}));
  ASSERT_EQ(full.boxes.size(), 2u);
  const double text_width = (11900 - 2 * 1440) / 20.0;  // the fixture's A4 page inside one-inch margins
  EXPECT_NEAR(full.boxes[0].width + full.boxes[1].width, text_width, 0.01);
  EXPECT_NEAR(full.boxes[0].width, full.boxes[1].width, 0.01);
}

// A centred or right-aligned row is placed by its width between the margins;
// its first cell edge, which places a left-aligned row, no longer counts.
TEST(QuireLayout, CentredAndRightAlignedRowsSitBetweenTheMargins) {
  const double text_left = 72, text_right = (11900 - 1440) / 20.0;  // the fixture's A4 page, one-inch margins
  for (const uint16_t sprm : {0x5400, 0x548A}) {
    const RowShape centred = row_shape(concat({two_cell_definition(), sprm_u16(sprm, 1)}));
    ASSERT_EQ(centred.boxes.size(), 2u);
    EXPECT_NEAR(centred.boxes[0].x - text_left, text_right - (centred.boxes[1].x + centred.boxes[1].width), 0.01);
    EXPECT_NEAR(centred.boxes[0].width, 72.0, 0.01);
    const RowShape right = row_shape(concat({two_cell_definition(), sprm_u16(sprm, 2)}));
    ASSERT_EQ(right.boxes.size(), 2u);
    EXPECT_NEAR(right.boxes[1].x + right.boxes[1].width, text_right, 0.01);
  }
  // Left, and values Word does not define, keep the row at its first edge: 108 twips into the margin.
  for (const uint16_t value : {0, 7}) {
    const RowShape left = row_shape(concat({two_cell_definition(), sprm_u16(0x5400, value)}));
    ASSERT_EQ(left.boxes.size(), 2u);
    EXPECT_NEAR(left.boxes[0].x, text_left - 5.4, 0.01);
  }
}

TEST(QuireLayout, PagesOutsideTheDocumentAreNotDrawn) {
  const Document doc = open_plan(plain_doc({u"one page"}));
  std::vector<uint8_t> pixels(STRIDE * PAGE_HEIGHT);
  EXPECT_EQ(render_document_page(doc, 0, pixels.data(), STRIDE), -1);
  EXPECT_EQ(render_document_page(doc, 2, pixels.data(), STRIDE), -1);
  EXPECT_EQ(render_document_page(doc, -5, pixels.data(), STRIDE), -1);
  EXPECT_EQ(render_document_page(doc, 1, pixels.data(), 100), -1);
  const Document empty;
  EXPECT_EQ(render_document_page(empty, 1, pixels.data(), STRIDE), -1);
}

TEST(QuireLayout, AnEmptyDocumentStillHasOneWhitePage) {
  DocPlan plan;
  plan.runs = {{u"\r", true, {}}};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.page_count(), 1);
  EXPECT_EQ(ink_of(render(doc, 1)).count, 0);
}

namespace {

// A paragraph of `text` in runs of at most `run_bytes` bytes, alternating
// between two sizes so that slices cut runs and lines of mixed height.
Paragraph paragraph_of(const std::string& text, size_t run_bytes) {
  Paragraph paragraph;
  paragraph.text = text;
  bool big = false;
  for (size_t start = 0; start < text.size(); big = !big) {
    size_t end = std::min(text.size(), start + run_bytes);
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;  // whole characters
    TextRun run;
    run.start = static_cast<uint32_t>(start);
    run.end = static_cast<uint32_t>(end);
    run.props.half_points = big ? 28 : 20;
    paragraph.runs.push_back(run);
    start = end;
  }
  return paragraph;
}

std::string repeated(const std::string& piece, size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += piece;
  text.resize(bytes);
  return text;
}

// The lines one Pango layout of the whole paragraph gives, each line's gap
// added below it: byte length, top, x, baseline.
struct OneLine {
  int length;
  double top, x, baseline;
};
std::vector<OneLine> lines_of_one_layout(const Paragraph& paragraph, const FontChoice& fonts, double width) {
  std::vector<OneLine> out;
  PangoLayout* layout = make_paragraph_layout(main_layout_context(), paragraph, fonts, width);
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  double gaps = 0;
  do {
    PangoRectangle logical;
    pango_layout_iter_get_line_extents(iter, nullptr, &logical);
    PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
    out.push_back({line->length, gaps + logical.y / double(PANGO_SCALE), logical.x / double(PANGO_SCALE),
                   gaps + pango_layout_iter_get_baseline(iter) / double(PANGO_SCALE)});
    gaps += line_gap(layout, line);
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  g_object_unref(layout);
  return out;
}

}  // namespace

// A paragraph longer than one slice is set in several Pango layouts; its
// lines must come out exactly where one layout of the whole text puts them.
TEST(QuireLayout, ALongParagraphInSlicesBreaksAsOneLayoutDoes) {
  const std::vector<std::string> names{"Times New Roman"};
  const FontChoice fonts{names, 0};
  struct Case {
    std::string text;
    Alignment alignment;
    int32_t first_indent;
  };
  const std::vector<Case> cases{
      {repeated("abcdefghijklmnopqrstuvwxyz", 9000), Alignment::LEFT, 0},
      {repeated("Words of ordinary text, with commas. ", 9000), Alignment::JUSTIFY, 720},
      {repeated("Hanging indent text \xC3\xA9t\xC3\xA9 ", 9000), Alignment::LEFT, -720},
      {repeated("short wordsandaverylongwordwithoutanyspaceatallthatgoesonandonandonandonforeverandever ", 9000),
       Alignment::CENTRE, 360},
  };
  for (const Case& c : cases) {
    for (size_t run_bytes : {size_t{9000}, size_t{700}}) {
      Paragraph paragraph = paragraph_of(c.text, run_bytes);
      paragraph.props.alignment = c.alignment;
      paragraph.props.first_indent = c.first_indent;
      const std::vector<OneLine> expected = lines_of_one_layout(paragraph, fonts, 300);
      const ParagraphMetrics sliced = lay_out_paragraph(main_layout_context(), paragraph, fonts, 300);
      ASSERT_GT(sliced.layouts.size(), 1u);
      ASSERT_EQ(sliced.lines.size(), expected.size()) << c.text.substr(0, 20);
      for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << c.text.substr(0, 20) << " runs " << run_bytes << " line " << i);
        EXPECT_EQ(sliced.lines[i].line->length, expected[i].length);
        EXPECT_NEAR(sliced.lines[i].top, expected[i].top, 0.01);
        EXPECT_NEAR(sliced.lines[i].x, expected[i].x, 0.01);
        EXPECT_NEAR(sliced.lines[i].baseline, expected[i].baseline, 0.01);
      }
    }
  }
}

namespace {

// A font's single line as its own metrics give it: ascent, descent and line gap.
double single_line(const char* family, int size) {
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, family);
  pango_font_description_set_size(desc, size * PANGO_SCALE);
  PangoFont* font = pango_context_load_font(main_layout_context(), desc);
  PangoFontMetrics* metrics = pango_font_get_metrics(font, nullptr);
  const double height = pango_font_metrics_get_height(metrics) / double(PANGO_SCALE);
  pango_font_metrics_unref(metrics);
  g_object_unref(font);
  pango_font_description_free(desc);
  return height;
}

Paragraph one_run(const std::string& text, uint16_t font, uint16_t half_points) {
  Paragraph paragraph;
  paragraph.text = text;
  paragraph.mark.font = font;
  paragraph.mark.half_points = half_points;
  if (!text.empty()) {
    TextRun run{0, static_cast<uint32_t>(text.size()), {}};
    run.props.font = font;
    run.props.half_points = half_points;
    paragraph.runs.push_back(run);
  }
  return paragraph;
}

}  // namespace

// Single lines are as tall as their font's ascent, descent and line gap,
// a paragraph's last line and a paragraph of one line too; the gap is the
// fonts' on the line, the paragraph mark's only on a line without text.
TEST(QuireLayout, SingleLinesTakeTheirFontsLineGap) {
  const std::vector<std::string> names{"Liberation Serif", "DejaVu Sans"};
  const FontChoice fonts{names, 0};
  const double serif = single_line("Liberation Serif", 48), sans = single_line("DejaVu Sans", 12);
  const Paragraph one = one_run("Word", 0, 96), two = one_run("Word word", 0, 96);
  const ParagraphMetrics single = lay_out_paragraph(main_layout_context(), one, fonts, 400);
  const ParagraphMetrics pair = lay_out_paragraph(main_layout_context(), two, fonts, 150);
  ASSERT_EQ(pair.lines.size(), 2u);
  EXPECT_NEAR(single.height, serif, 0.01);
  EXPECT_NEAR(pair.lines[1].top - pair.lines[0].top, serif, 0.01);
  EXPECT_NEAR(pair.height, 2 * serif, 0.01);
  EXPECT_NEAR(pair.lines[1].bottom, pair.height, 0.01);

  Paragraph small_text = one_run("Word", 1, 24);
  small_text.mark = one.mark;  // a large mark with a wide gap
  EXPECT_NEAR(lay_out_paragraph(main_layout_context(), small_text, fonts, 400).height, sans, 0.01);
  EXPECT_NEAR(lay_out_paragraph(main_layout_context(), one_run("", 0, 96), fonts, 400).height, serif, 0.01);
}

// A paragraph of 50,000 characters with nowhere to break flows over pages,
// every line full, and every page draws (the bench times this case).
TEST(QuireLayout, AParagraphWithoutBreakOpportunitiesFillsItsPages) {
  const Document doc = open_plan(plain_doc({std::u16string(50000, u'm')}));
  ASSERT_GE(doc.page_count(), 10);
  ASSERT_EQ(doc.layout.measured.size(), 1u);
  const ParagraphMetrics& metrics = doc.layout.measured[0];
  EXPECT_FALSE(metrics.layouts.empty());  // kept: later pages draw without laying out again
  for (size_t i = 0; i + 1 < metrics.lines.size(); ++i) ASSERT_EQ(metrics.lines[i].line->length, metrics.lines[0].line->length);
  for (int page = 1; page <= doc.page_count(); ++page) {
    const Ink ink = ink_of(render(doc, page));
    EXPECT_GT(ink.count, 0) << page;
    EXPECT_GT(ink.right, PAGE_WIDTH - 72 - 15) << page;  // lines run to the right margin
  }
}

// Many paragraphs: pages fill in order and only long paragraphs keep their layouts.
TEST(QuireLayout, TwentyThousandParagraphsOpenAndTheLastPageDraws) {
  DocPlan plan = plain_doc({});
  std::u16string text;
  for (int i = 0; i < 20000; ++i) text += u"word\r";
  plan.runs.push_back({text, true, {}});
  const Document doc = open_plan(plan);
  EXPECT_GT(doc.page_count(), 300);
  EXPECT_EQ(doc.layout.measured.size(), 20000u);
  EXPECT_TRUE(doc.layout.measured.back().layouts.empty());
  EXPECT_GT(ink_of(render(doc, doc.page_count())).count, 0);
}

// A chain of styles each based on the one before resolves without running deep.
TEST(QuireLayout, ADeepStyleChainOpens) {
  DocPlan plan = plain_doc({u"Deep style chain"});
  for (uint16_t i = 1; i <= 3000; ++i)
    plan.styles.push_back({u"S", static_cast<uint16_t>(i - 1), sprm_u16(0x840F, 1), {}});
  plan.paragraph_styles = {3000};
  const Document doc = open_plan(plan);
  EXPECT_EQ(doc.page_count(), 1);
  EXPECT_GT(ink_of(render(doc, 1)).count, 0);
}
