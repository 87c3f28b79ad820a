// Painting the current cairo path with GDI's pen and brush values: colours,
// hatches and pattern tiles in device space, styled pens with their
// background, and the ROP2 mixes cairo can express. The path is kept, so a
// caller fills and then outlines the same figure.
#pragma once

#include <cstdint>

#include "render/draw/brush.h"
#include "render/draw/colour.h"
#include "render/draw/pen.h"

typedef struct _cairo cairo_t;

namespace vellum::draw {

// What GDI puts under hatches, styled pen gaps and text cells.
struct Background {
  bool opaque = true;  // OPAQUE (2) rather than TRANSPARENT (1)
  Colour colour = WHITE;
};

enum Rop2 : int {
  R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4, R2_MASKPENNOT = 5,
  R2_NOT = 6, R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9, R2_NOTXORPEN = 10, R2_NOP = 11,
  R2_MERGENOTPEN = 12, R2_COPYPEN = 13, R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16,
};

enum class PaintOp { fill, stroke };

// Paints the current path (kept) with a solid colour mixed by rop2 into the
// destination: COPYPEN, BLACK, WHITE and NOTCOPYPEN exactly; the XOR, AND
// and OR families exactly on pure channels (0 or 255) through cairo's
// DIFFERENCE, MULTIPLY and SCREEN; the NOT-of-result modes in two passes;
// NOP not at all. Values outside 1..16 act as COPYPEN.
void paint_rop2(cairo_t* cr, PaintOp op, int rop2, Colour colour);

// Fills the current path (kept) with the brush under the fill rule the
// caller set. A null brush paints nothing; hatches are 8x8 device cells from
// device (0, 0), their gaps in the background colour when it is opaque.
void fill_with_brush(cairo_t* cr, const Brush& brush, const Background& background, int rop2);

// Outlines the current path (kept) with the pen at device_width pixels
// (see pen_device_width). Round caps and joins (GDI's cosmetic and
// CreatePen pens); dash styles only at one pixel, wider ones solid; an
// opaque background fills the gaps of styled pens first.
void stroke_with_pen(cairo_t* cr, const Pen& pen, double device_width,
                     const Background& background, int rop2);

}  // namespace vellum::draw
