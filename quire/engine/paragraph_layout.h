// Turns one paragraph of the model into a Pango layout of a given width:
// its text, its character formatting as attributes, alignment and indents.
#pragma once

#include <pango/pango.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "document_model.h"

namespace quire {

// A new Pango context (the caller unrefs it) on its own font map: 72 dpi,
// so one point is one pixel, with metrics that do not depend on hinting.
// Contexts are not shared between threads; every one measures alike.
PangoContext* new_layout_context();

// The context of the calling thread's renders, made on first use and kept.
PangoContext* main_layout_context();

struct FontChoice {
  const std::vector<std::string>& names;  // the document's font table
  uint16_t default_font;                  // index used for runs that name none
  const std::vector<Picture>* pictures = nullptr;  // sizes of inline pictures
  int32_t default_tab = 720;              // twips between default tab stops
};

// Where a paragraph's layout starts inside its column, and how wide it is:
// a hanging first line starts left of the other lines' indent (x may be
// negative: a number hanging into the margin).
struct ParagraphBox {
  double x = 0, width = 0;
};
ParagraphBox paragraph_box(const ParaProps& props, double column_width, double min_width);

// Inline pictures are drawn by the context's shape renderer while
// `model` is set here (null: they keep their space and stay empty).
void set_drawn_model(const DocumentModel* model);

// A new layout (the caller unrefs it) for `paragraph` set `width` points wide.
PangoLayout* make_paragraph_layout(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts,
                                   double width);

// A new layout for the bytes [start, end) of the paragraph's text (on
// character boundaries), its runs clipped to them. A slice that does not
// start the paragraph has no first-line indent: all its lines are set as
// the paragraph's later lines, shifted right by `*shift` points (a hanging
// indent) that the caller adds to every line's position.
PangoLayout* make_paragraph_slice(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts,
                                  double width, size_t start, size_t end, double* shift);

// The paragraph with its page-number and page-count characters filled in
// (numbers in format `nfc`).
Paragraph with_fields(const Paragraph& paragraph, int32_t number, int32_t count, uint8_t nfc);

// How many single lines each line of the paragraph takes: its spacing in
// multiples of a line, 1 when it sets none.
inline double line_factor(const ParaProps& props) {
  constexpr double MIN_LINE_FACTOR = 0.5, MAX_LINE_FACTOR = 5.0;
  if (!props.line_multiple || props.line_spacing <= 0) return 1;
  return std::clamp(props.line_spacing / 240.0, MIN_LINE_FACTOR, MAX_LINE_FACTOR);
}

// Twips to points.
inline double points(int32_t twips) { return twips / 20.0; }

}  // namespace quire
