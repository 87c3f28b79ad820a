// Measuring paragraphs: where each line of a paragraph set at a given width
// lies, computed for a whole document at once on several threads, since
// shaping text is most of the time a document takes to open.
#pragma once

#include <vector>

#include "document_model.h"
#include "paragraph_layout.h"

namespace quire {

struct LineBox {
  double top = 0, bottom = 0;  // from the layout's top edge, points
};

struct MeasureJob {
  const Paragraph* paragraph = nullptr;
  double width = 0;
};

struct ParagraphMetrics {
  std::vector<LineBox> lines;  // never empty: an empty paragraph has one line
  double height = 0;
};

// Measures every job; results are in job order.
std::vector<ParagraphMetrics> measure_paragraphs(const std::vector<MeasureJob>& jobs, const FontChoice& fonts);

}  // namespace quire
