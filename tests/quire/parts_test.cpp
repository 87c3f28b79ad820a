// Headers and footers with page fields, footnotes at the foot of their
// page, inline pictures, and pages of each section's size.
#include <cairo.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_writer.h"
#include "page_pixels.h"
#include "engine/document.h"
#include "open_plan.h"

using namespace quire;
using namespace quire_test;

namespace {

std::string placed_text(const Document& doc, int page) {
  std::string out;
  for (const PlacedParagraph& part : doc.layout.pages.at(static_cast<size_t>(page - 1)).paragraphs)
    out += part.paragraph->text + "|";
  return out;
}

std::vector<std::u16string> no_stories(size_t count) { return std::vector<std::u16string>(count); }

Bytes red_png(int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  Bytes png;
  cairo_surface_write_to_png_stream(
      surface,
      [](void* closure, const unsigned char* data, unsigned int length) {
        auto* out = static_cast<Bytes*>(closure);
        out->insert(out->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
      },
      &png);
  cairo_surface_destroy(surface);
  return png;
}

constexpr uint32_t RED = 0xFFFF0000u;
// Red, or red blended into white at the picture's edges.
bool reddish(uint32_t p) { return (p >> 16 & 0xFF) > 200 && (p >> 8 & 0xFF) < 128; }

}  // namespace

TEST(QuireParts, SectionsSetThePageSizeAndRenderPageFitsIt) {
  DocPlan plan = plain_doc({u"Landscape letter"});
  plan.section = concat({sprm_u16(0xB01F, 15840), sprm_u16(0xB020, 12240), sprm_u8(0x301D, 2)});
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.page_count(), 1);
  EXPECT_EQ(doc.layout.pages[0].width, 792);
  EXPECT_EQ(doc.layout.pages[0].height, 612);
  // Fitted into the 595 x 842 buffer: the page is centred, white above and below it.
  std::vector<uint32_t> pixels(595 * 842, 0x12345678);
  ASSERT_EQ(render_document_page(doc, 1, reinterpret_cast<uint8_t*>(pixels.data()), 595 * 4), 0);
  const double scale = 595.0 / 792;
  const int page_top = static_cast<int>((842 - 612 * scale) / 2);
  bool ink_above = false, ink_on_page = false;
  for (int y = 0; y < 842; ++y)
    for (int x = 0; x < 595; ++x) {
      if (pixels[y * 595 + x] == 0xFFFFFFFFu) continue;
      if (y < page_top) ink_above = true;
      else ink_on_page = true;
    }
  EXPECT_FALSE(ink_above);
  EXPECT_TRUE(ink_on_page);
}

TEST(QuireParts, HeadersAndFootersShowWithPageNumbers) {
  // Two pages: a manual break between the paragraphs.
  DocPlan plan = plain_doc({u"First page\fSecond page"});
  plan.header_stories = no_stories(6);
  plan.header_stories.insert(plan.header_stories.end(),
                             {u"", u"Odd header\r\r", u"", u"Page \x13 PAGE \x14" u"9\x15 of \x13 NUMPAGES \x14" u"9\x15\r\r",
                              u"", u""});
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.page_count(), 2);
  for (int page = 1; page <= 2; ++page) {
    const std::string text = placed_text(doc, page);
    EXPECT_NE(text.find("Odd header"), std::string::npos) << text;
  }
  // The stored results ("9") are replaced by what the drawing fills in.
  bool found = false;
  for (const PlacedParagraph& part : doc.layout.pages[1].paragraphs)
    if (part.paragraph->has_fields) {
      found = true;
      EXPECT_EQ(part.paragraph->text, "Page \uE000 of \uE001");
      EXPECT_GT(part.top, 700);  // the footer sits at the foot of the page
    }
  EXPECT_TRUE(found) << placed_text(doc, 2);
  const Rendered second = draw(doc, 2);
  EXPECT_TRUE(inked(second, 30, 60));    // header, half an inch down
  EXPECT_TRUE(inked(second, 780, 810));  // footer, its foot half an inch up
}

TEST(QuireParts, AHeadersSpaceBeforeCountsAtItsTop) {
  auto header_top = [](uint16_t space_before) {
    DocPlan plan = plain_doc({u"Body"});
    plan.header_stories = no_stories(6);
    plan.header_stories.insert(plan.header_stories.end(), {u"", u"Header\r\r", u"", u"", u"", u""});
    plan.paragraphs = {{}, sprm_u16(0xA413, space_before)};
    const Document doc = open_plan(plan);
    for (const PlacedParagraph& part : doc.layout.pages.at(0).paragraphs)
      if (part.paragraph->text == "Header") return part.top;
    return -1.0;
  };
  EXPECT_NEAR(header_top(0), 36, 0.01);  // half an inch down
  EXPECT_NEAR(header_top(240), 48, 0.01);
}

TEST(QuireParts, TitlePageAndFacingPagesChooseTheirStories) {
  DocPlan plan = plain_doc({u"One\fTwo\fThree"});
  plan.section = sprm_u8(0x300A, 1);
  plan.facing_pages = true;
  plan.header_stories = no_stories(6);
  plan.header_stories.insert(plan.header_stories.end(),
                             {u"Even\r\r", u"Odd\r\r", u"", u"", u"First\r\r", u""});
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.page_count(), 3);
  EXPECT_NE(placed_text(doc, 1).find("First|"), std::string::npos) << placed_text(doc, 1);
  EXPECT_NE(placed_text(doc, 2).find("Even|"), std::string::npos) << placed_text(doc, 2);
  EXPECT_NE(placed_text(doc, 3).find("Odd|"), std::string::npos) << placed_text(doc, 3);
}

TEST(QuireParts, FootnotesSitAtTheFootOfTheirReferencesPage) {
  DocPlan plan = plain_doc({u"Body text\x02 with a note."});
  plan.footnotes = {u"\x02 The note itself.\r"};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.model.footnotes.size(), 1u);
  const Paragraph& body = doc.model.blocks.at(0).paragraph;
  EXPECT_EQ(body.text, "Body text1 with a note.");
  bool marked = false;
  for (const TextRun& run : body.runs) marked = marked || (run.props.note == 1 && body.text.substr(run.start, run.end - run.start) == "1");
  EXPECT_TRUE(marked);
  const std::string placed = placed_text(doc, 1);
  EXPECT_NE(placed.find("1 The note itself.|"), std::string::npos) << placed;
  for (const PlacedParagraph& part : doc.layout.pages[0].paragraphs)
    if (part.paragraph->text.find("The note") != std::string::npos) {
      EXPECT_GT(part.top, 650);
    }
  EXPECT_GE(doc.layout.pages[0].note_line, 600);
}

TEST(QuireParts, ANoteFromATableCellEndsOnTheBottomMargin) {
  // The cell's second paragraph has no note of its own; the separator's
  // gap is still counted once, so the note ends on the margin, not above it.
  DocPlan plan;
  plan.runs = {{u"Noted\x02 here\rand more\a\a", true, {}}};
  const Bytes in_table = sprm_u8(0x2416, 1);
  plan.paragraphs = {in_table, in_table, concat({in_table, sprm_u8(0x2417, 1)})};
  plan.footnotes = {u"\x02 The note.\r"};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.page_count(), 1);
  bool found = false;
  for (const PlacedParagraph& part : doc.layout.pages[0].paragraphs)
    if (part.paragraph->text.find("The note") != std::string::npos) {
      found = true;
      EXPECT_NEAR(part.bottom, doc.layout.pages[0].height - 72, 0.5);
    }
  EXPECT_TRUE(found) << placed_text(doc, 1);
}

TEST(QuireParts, ALongNoteContinuesOnTheNextPage) {
  std::u16string note = u"\x02";
  for (int i = 0; i < 80; ++i) note += u" Note line\r";
  DocPlan plan = plain_doc({u"Refers\x02 to a long note."});
  plan.footnotes = {note};
  const Document doc = open_plan(plan);
  ASSERT_GE(doc.page_count(), 2);
  int note_lines = 0;
  for (const Page& page : doc.layout.pages)
    for (const PlacedParagraph& part : page.paragraphs) {
      EXPECT_LE(part.bottom, page.height);
      if (part.paragraph->text.find("Note line") != std::string::npos) ++note_lines;
    }
  EXPECT_EQ(note_lines, 80);  // every line placed once, none lost
}

TEST(QuireParts, InlinePicturesTakeTheirSizeAndDrawCropped) {
  DocPlan plan = plain_doc({});
  const Bytes png = red_png(20, 10);
  plan.data = Bytes(16, 0);  // the descriptor does not start at offset 0
  const Bytes descriptor = png_picture_descriptor(png, 2000, 1000, 1000);  // 100 x 50 pt, left half cropped
  plan.data.insert(plan.data.end(), descriptor.begin(), descriptor.end());
  plan.runs = {{u"A", true, {}}, {u"\x01", true, picture_run(16)}, {u"B\r", true, {}}};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.model.pictures.size(), 1u);
  EXPECT_EQ(doc.model.pictures[0].format, PictureFormat::PNG);
  EXPECT_DOUBLE_EQ(doc.model.pictures[0].width, 50);
  EXPECT_DOUBLE_EQ(doc.model.pictures[0].height, 50);
  EXPECT_NEAR(doc.model.pictures[0].crop_left, 0.5, 1e-9);
  EXPECT_EQ(doc.model.blocks.at(0).paragraph.text, "A\uFFFCB");
  const Rendered page = draw(doc, 1);
  int red = 0, left = page.width, right = 0;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      if (reddish(page.at(x, y))) {
        ++red;
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_NEAR(red, 50 * 50, 150);
  EXPECT_NEAR(right - left + 1, 50, 2);
}

TEST(QuireParts, APictureThatCannotBeDecodedLeavesItsBoxEmpty) {
  DocPlan plan = plain_doc({});
  Bytes broken = red_png(8, 8);
  broken.resize(broken.size() / 2);  // a PNG cut in half
  plan.data = png_picture_descriptor(broken, 1440, 1440);
  plan.runs = {{u"\x01", true, picture_run(0)}, {u"After\r", true, {}}};
  const Document doc = open_plan(plan);
  ASSERT_EQ(doc.model.pictures.size(), 1u);
  const Rendered page = draw(doc, 1);
  EXPECT_FALSE(inked(page, 0, page.height, RED));
  EXPECT_TRUE(inked(page, 0, page.height));  // the text after it still drawn
}

TEST(QuireParts, PictureAnchorsOutsideTheDataStreamAreSkipped) {
  DocPlan plan = plain_doc({});
  plan.data = Bytes(8, 0);
  plan.runs = {{u"\x01", true, picture_run(4000)}, {u"Text\r", true, {}}};
  const Document doc = open_plan(plan);
  EXPECT_TRUE(doc.model.pictures.empty());
  EXPECT_EQ(doc.model.blocks.at(0).paragraph.text, "Text");
}
