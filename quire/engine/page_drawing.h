// Pages of an open document drawn onto any cairo context: a PDF surface for
// export, an image of any size for a viewer. Sizes are in points.
#pragma once

#include <cairo.h>

#include "document.h"

namespace quire {

struct PageSize {
  double width = 0, height = 0;
};

// The size of page `page` (counted from 1), or 0 x 0 when there is no such page.
PageSize document_page_size(const Document& doc, int page);

// Draws page `page` (counted from 1) with its top-left corner at the
// context's origin, `scale` device units per point. The context's state is
// left as it was. Returns 0, or -1 when there is no such page or the scale
// is not a positive finite number.
int draw_document_page(const Document& doc, int page, cairo_t* cr, double scale);

}  // namespace quire
