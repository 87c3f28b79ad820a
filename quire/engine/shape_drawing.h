// Drawing what floating shapes show other than pictures: the box's fill
// and outline or the shape's own drawn outline, and text art stretched to
// fill the box. (A text box's
// paragraphs are drawn with the page's own paragraph drawing.)
#pragma once

#include <cairo.h>

#include "document_model.h"

namespace quire {

// A shape's box (x, y, width, height) in the context's user space, in points.
struct ShapeBox {
  double x = 0, y = 0, width = 0, height = 0;
};

// Fills the box with the shape's fill colour, when it has one; or, for a
// shape with a drawn outline, fills and strokes its paths in turn.
void draw_shape_fill(cairo_t* cr, const ShapeText& shape, const ShapeBox& box);

// Strokes the box's outline in the shape's line colour, when it has one
// (a shape with a drawn outline was stroked with its fill).
void draw_shape_outline(cairo_t* cr, const ShapeText& shape, const ShapeBox& box);

// Draws the shape's text art, if any: its lines in its font, centred on
// each other, the ink stretched to the box, in the shape's fill colour.
void draw_text_art(cairo_t* cr, const ShapeText& shape, const ShapeBox& box);

}  // namespace quire
