// Laying out paragraphs: where each line of a paragraph set at a given
// width lies, computed for a whole document at once on several threads,
// since shaping text is most of the time a document takes to open. The
// Pango layouts are kept with the lines, so drawing a page lays nothing out
// again (see ParagraphMetrics).
#pragma once

#include <pango/pango.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "document_model.h"
#include "paragraph_layout.h"

namespace quire {

struct LineBox {
  double top = 0, bottom = 0;  // from the paragraph's top edge, points
  double x = 0, baseline = 0;  // where the line is drawn from, relative to the paragraph's left and top edges
  PangoLayoutLine* line = nullptr;  // inside one of the paragraph's layouts
  uint32_t start = 0;          // byte index of the line's first character in the paragraph's text
};

struct LayoutUnref {
  void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutUnref>;

struct MeasureJob {
  const Paragraph* paragraph = nullptr;
  double width = 0;
};

// A paragraph laid out once at its width; its Pango layouts are kept when
// its text has at least KEEP_LAYOUT_BYTES, so a long paragraph is never laid
// out again however many pages it covers, while a document of many short
// paragraphs does not hold a layout for each (a short one is laid out again
// when its page is drawn, at the cost of drawing it). A paragraph longer than one
// slice (SLICE_BYTES) is set as several Pango layouts, each starting at a
// line start of the one before it, so Pango's cost per layout is bounded
// and the paragraph's cost stays linear in its length even where the text
// has no break opportunity; the lines come out as one layout would set them.
struct ParagraphMetrics {
  std::vector<LineBox> lines;  // never empty: an empty paragraph has one line
  double height = 0;
  std::vector<LayoutPtr> layouts;  // own every LineBox::line; empty when not kept (lines then null)
};

// Bytes of text one Pango layout is given at most (more only when one line
// needs more).
constexpr size_t SLICE_BYTES = 2048;
constexpr size_t KEEP_LAYOUT_BYTES = 512;

// The room below `line` of `layout` beyond its ascent and descent, in
// points: in single spacing, the largest line gap of the line's fonts (the
// paragraph mark's on a line without text); 0 when lines are spaced in
// multiples.
double line_gap(PangoLayout* layout, PangoLayoutLine* line);

// Lays out one paragraph on `context`.
ParagraphMetrics lay_out_paragraph(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts,
                                   double width);

// Lays out a paragraph whose first `count` lines stand beside something
// (a dropped capital): those lines `indent` points narrower and moved right
// by it, the rest at the full width. Its layouts are always kept, since
// laying it out again at one width would lose the difference.
ParagraphMetrics lay_out_beside(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts,
                                double width, double indent, size_t count);

// Lays out one job, keeping its layouts only when its text is long.
ParagraphMetrics measure(PangoContext* context, const MeasureJob& job, const FontChoice& fonts);

// The width a paragraph takes unwrapped, its indents included, at most
// `max_width`: what a frame as wide as its text is given.
double natural_width(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts, double max_width);

// Lays out every job; results are in job order.
std::vector<ParagraphMetrics> measure_paragraphs(const std::vector<MeasureJob>& jobs, const FontChoice& fonts);

}  // namespace quire
