#include "page_drawing.h"

#include <cmath>

namespace quire {

PageSize document_page_size(const Document& doc, int page) {
  if (page < 1 || page > doc.page_count()) return {};
  const Page& laid_out = doc.layout.pages[static_cast<size_t>(page - 1)];
  return {laid_out.width, laid_out.height};
}

int draw_document_page(const Document& doc, int page, cairo_t* cr, double scale) {
  if (!cr || page < 1 || page > doc.page_count() || !std::isfinite(scale) || scale <= 0) return -1;
  cairo_save(cr);
  cairo_scale(cr, scale, scale);
  const int result = draw_page(cr, doc.model, doc.layout, static_cast<size_t>(page - 1));
  cairo_restore(cr);
  return result;
}

}  // namespace quire
