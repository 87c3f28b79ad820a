// Pages: how text flows onto A4 pages and what a rendered page shows.
#include <gtest/gtest.h>

#include <vector>

#include "doc_writer.h"
#include "engine/document.h"

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

Document open_plan(const DocPlan& plan) {
  const Bytes bytes = write_doc(plan);
  Document doc;
  EXPECT_EQ(open_document_memory(doc, bytes.data(), bytes.size()), OPEN_OK);
  return doc;
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
