// Turns one paragraph of the model into a Pango layout of a given width:
// its text, its character formatting as attributes, alignment and indents.
#pragma once

#include <pango/pango.h>

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
};

// A new layout (the caller unrefs it) for `paragraph` set `width` points wide.
PangoLayout* make_paragraph_layout(PangoContext* context, const Paragraph& paragraph, const FontChoice& fonts,
                                   double width);

// Twips to points.
inline double points(int32_t twips) { return twips / 20.0; }

}  // namespace quire
