// Pagination: flows the model's blocks onto pages of each section's size
// within its margins, with the section's headers and footers, footnotes at
// the foot of the page of their reference, endnotes after the text and
// floating pictures at their anchors; and draws a page onto cairo.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "document_model.h"
#include "paragraph_metrics.h"

namespace quire {

// The fixed render buffer of render_page (A4 at 72 dpi): pages of other
// sizes are drawn into it fitted, aspect kept, centred.
constexpr int PAGE_WIDTH = 595;
constexpr int PAGE_HEIGHT = 842;

// Lines [first_line, end_line) of a paragraph laid out `width` points wide,
// its layout's top edge at (x, top) on the page; `bottom` is where its last
// placed line ends (for borders and shading); `measured` indexes its
// laid-out lines in PageLayout::measured.
struct PlacedParagraph {
  const Paragraph* paragraph = nullptr;
  double x = 0, top = 0, width = 0;
  int first_line = 0, end_line = 0;
  double bottom = 0;
  size_t measured = 0;
  // Whether its top and bottom border lines are drawn: paragraphs boxed
  // together with their neighbours leave out the lines between them.
  bool top_border = true, bottom_border = true;
};

// The room a paragraph's border line takes beside its text: the line's
// width and its distance from the text, in points.
inline double border_room(const BorderLine& line) { return line.width == 0 ? 0 : line.width / 8.0 + line.space; }

struct CellBox {
  double x = 0, y = 0, width = 0, height = 0;
  uint32_t shading = 0xFFFFFFFFu;  // 0xRRGGBB, or 0xFFFFFFFF for none
  uint8_t sides = CELL_ALL_SIDES;   // CellSide bits: the lines drawn around it
};

struct PlacedPicture {
  uint32_t picture = 0;  // index into DocumentModel::pictures, or NO_PICTURE
  uint32_t text = NO_PICTURE;  // index into DocumentModel::shape_texts, or NO_PICTURE
  double x = 0, y = 0, width = 0, height = 0;
  bool behind = false;
};

struct Page {
  double width = PAGE_WIDTH, height = PAGE_HEIGHT;  // points
  size_t section = 0;
  int32_t number = 1;  // what a PAGE field shows on it
  std::vector<PlacedParagraph> paragraphs;  // body, notes, header and footer
  std::vector<CellBox> boxes;
  std::vector<PlacedPicture> pictures;
  double note_line = -1;  // y of the footnote separator, -1 for none
  double note_line_x = 0;
  double text_left = 0;  // the text frame's left edge: change bars stand left of it
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
// white paper of the page's size with everything on it. The context's state
// is left as it was. Returns 0, or -1 when there is no such page.
int draw_page(cairo_t* cr, const DocumentModel& model, const PageLayout& layout, size_t index);

// Draws page `index` (from 0) into a PAGE_WIDTH x PAGE_HEIGHT ARGB32 buffer
// with `stride` bytes per row: the page fitted into it, aspect kept, on
// white. Returns 0, or -1 when there is no such page or the buffer cannot
// be drawn into.
int render_page(const DocumentModel& model, const PageLayout& layout, size_t index, uint8_t* pixels,
                int stride);

}  // namespace quire
