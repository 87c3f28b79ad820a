// Pagination: flows the model's blocks onto A4 pages (595 x 842 points)
// within each section's margins, and draws a page into ARGB32 pixels.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "document_model.h"
#include "paragraph_metrics.h"

namespace quire {

constexpr int PAGE_WIDTH = 595;
constexpr int PAGE_HEIGHT = 842;

// Lines [first_line, end_line) of a paragraph laid out `width` points wide,
// its layout's top edge at (x, top) on the page; `measured` indexes its
// laid-out lines in PageLayout::measured.
struct PlacedParagraph {
  const Paragraph* paragraph = nullptr;
  double x = 0, top = 0, width = 0;
  int first_line = 0, end_line = 0;
  size_t measured = 0;
};

struct CellBox {
  double x = 0, y = 0, width = 0, height = 0;
};

struct Page {
  double width = PAGE_WIDTH, height = PAGE_HEIGHT;  // points
  std::vector<PlacedParagraph> paragraphs;
  std::vector<CellBox> boxes;
};

// Invariant: never empty once laid out; pages point into the model they were
// laid out from. Every paragraph is laid out once, when the document is:
// drawing a page draws the lines kept in `measured`.
struct PageLayout {
  std::vector<Page> pages;
  std::vector<ParagraphMetrics> measured;
};

void layout_document(const DocumentModel& model, PageLayout& out);

// Draws page `index` (from 0) onto `cr` in points from the context's origin:
// white paper of the page's size with the text on it. Returns 0, or -1 when
// there is no such page.
int draw_page(cairo_t* cr, const DocumentModel& model, const PageLayout& layout, size_t index);

// Draws page `index` (from 0) into a PAGE_WIDTH x PAGE_HEIGHT ARGB32 buffer
// with `stride` bytes per row: a white page with the text on it. Returns 0,
// or -1 when there is no such page or the buffer cannot be drawn into.
int render_page(const DocumentModel& model, const PageLayout& layout, size_t index, uint8_t* pixels,
                int stride);

}  // namespace quire
