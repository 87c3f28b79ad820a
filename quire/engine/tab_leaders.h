// Tab leaders: the dots, dashes or lines a tab stop with a leader draws
// across the space its tab character takes (Pango sets the tab's width,
// but draws nothing in it).
#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include <cstdint>

#include "document_model.h"

namespace quire {

// Draws the leaders of the tabs of `line`, a line of `paragraph` whose
// first character is at byte `start` of its text, drawn from (x, baseline).
// `origin` is where the layout starts inside the column, in points: tab
// positions are measured from the column's left edge.
void draw_tab_leaders(cairo_t* cr, PangoLayoutLine* line, const Paragraph& paragraph, uint32_t start, double x,
                      double baseline, double origin);

}  // namespace quire
