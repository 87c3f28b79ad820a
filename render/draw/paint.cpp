#include "render/draw/paint.h"

#include <cairo.h>

#include <cmath>

namespace vellum::draw {

namespace {

void paint_once(cairo_t* cr, PaintOp op, cairo_operator_t how, Colour colour) {
  cairo_set_operator(cr, how);
  set_source_colour(cr, colour);
  if (op == PaintOp::fill) cairo_fill_preserve(cr);
  else cairo_stroke_preserve(cr);
}

// A cairo pattern of the hatch cell, repeated from device (0, 0).
cairo_pattern_t* hatch_pattern(const Brush& brush, const Background& background) {
  cairo_surface_t* cell = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  cairo_surface_flush(cell);
  unsigned char* data = cairo_image_surface_get_data(cell);
  const int stride = cairo_image_surface_get_stride(cell);
  auto word = [](Colour c) {
    return 0xFF000000u | uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue;
  };
  const uint32_t line = word(brush.colour);
  const uint32_t gap = background.opaque ? word(background.colour) : 0u;
  for (int y = 0; y < 8; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < 8; ++x) row[x] = hatch_bit(brush.hatch, x, y) ? line : gap;
  }
  cairo_surface_mark_dirty(cell);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(cell);
  cairo_surface_destroy(cell);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  return pattern;
}

cairo_pattern_t* image_pattern(const PatternImage& image) {
  cairo_surface_t* tile =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
  cairo_surface_flush(tile);
  unsigned char* data = cairo_image_surface_get_data(tile);
  const int stride = cairo_image_surface_get_stride(tile);
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < image.width; ++x) row[x] = image.pixels[size_t(y) * image.width + x];
  }
  cairo_surface_mark_dirty(tile);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
  cairo_surface_destroy(tile);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  return pattern;
}

// The device-space dash of a one-pixel styled pen (Windows' cosmetic
// patterns), or nullptr for a solid line.
const double* dash_of(uint16_t kind, int* count) {
  static const double DASH[] = {18, 6};
  static const double DOT[] = {3, 3};
  static const double DASH_DOT[] = {9, 6, 3, 6};
  static const double DASH_DOT_DOT[] = {9, 3, 3, 3, 3, 3};
  static const double ALTERNATE[] = {1, 1};
  switch (kind) {
    case PS_DASH: *count = 2; return DASH;
    case PS_DOT: *count = 2; return DOT;
    case PS_DASHDOT: *count = 4; return DASH_DOT;
    case PS_DASHDOTDOT: *count = 6; return DASH_DOT_DOT;
    case PS_ALTERNATE: *count = 2; return ALTERNATE;
    default: *count = 0; return nullptr;
  }
}

}  // namespace

void set_source_colour(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
}

double pen_device_width(const Pen& pen, double scale) {
  if (pen.width <= 0) return 1.0;
  const double w = std::floor(std::fabs(double(pen.width) * scale) + 0.5);
  if (!(w >= 1.0)) return 1.0;
  return w > 32767.0 ? 32767.0 : w;
}

bool hatch_bit(uint16_t hatch, int x, int y) {
  switch (hatch) {
    case HS_HORIZONTAL: return y == 3;
    case HS_VERTICAL: return x == 4;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return y == 3 || x == 4;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return y == 3;
  }
}

void paint_rop2(cairo_t* cr, PaintOp op, int rop2, Colour p) {
  switch (rop2) {
    case R2_NOP: return;
    case R2_BLACK: paint_once(cr, op, CAIRO_OPERATOR_OVER, BLACK); break;
    case R2_WHITE: paint_once(cr, op, CAIRO_OPERATOR_OVER, WHITE); break;
    case R2_NOTCOPYPEN: paint_once(cr, op, CAIRO_OPERATOR_OVER, inverted(p)); break;
    case R2_NOT: paint_once(cr, op, CAIRO_OPERATOR_DIFFERENCE, WHITE); break;
    case R2_XORPEN: paint_once(cr, op, CAIRO_OPERATOR_DIFFERENCE, p); break;
    case R2_NOTXORPEN: paint_once(cr, op, CAIRO_OPERATOR_DIFFERENCE, inverted(p)); break;
    case R2_MASKPEN: paint_once(cr, op, CAIRO_OPERATOR_MULTIPLY, p); break;
    case R2_MASKNOTPEN: paint_once(cr, op, CAIRO_OPERATOR_MULTIPLY, inverted(p)); break;
    case R2_MERGEPEN: paint_once(cr, op, CAIRO_OPERATOR_SCREEN, p); break;
    case R2_MERGENOTPEN: paint_once(cr, op, CAIRO_OPERATOR_SCREEN, inverted(p)); break;
    case R2_NOTMERGEPEN:
      paint_once(cr, op, CAIRO_OPERATOR_SCREEN, p);
      paint_once(cr, op, CAIRO_OPERATOR_DIFFERENCE, WHITE);
      break;
    case R2_NOTMASKPEN:
      paint_once(cr, op, CAIRO_OPERATOR_MULTIPLY, p);
      paint_once(cr, op, CAIRO_OPERATOR_DIFFERENCE, WHITE);
      break;
    case R2_MASKPENNOT:
      paint_once(cr, op, CAIRO_OPERATOR_DIFFERENCE, WHITE);
      paint_once(cr, op, CAIRO_OPERATOR_MULTIPLY, p);
      break;
    case R2_MERGEPENNOT:
      paint_once(cr, op, CAIRO_OPERATOR_DIFFERENCE, WHITE);
      paint_once(cr, op, CAIRO_OPERATOR_SCREEN, p);
      break;
    default: paint_once(cr, op, CAIRO_OPERATOR_OVER, p); break;
  }
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void fill_with_brush(cairo_t* cr, const Brush& brush, const Background& background, int rop2) {
  if (!brush.visible() || rop2 == R2_NOP) return;
  const bool patterned = brush.style == BS_HATCHED ||
                         ((brush.style == BS_PATTERN || brush.style == BS_DIBPATTERN ||
                           brush.style == BS_DIBPATTERNPT) &&
                          brush.pattern && brush.pattern->width > 0 && brush.pattern->height > 0);
  if (!patterned) {
    // Pattern brushes whose pixels never arrived fill black, as GDI's
    // fallback for brushes it cannot use.
    const bool solid = brush.style == BS_SOLID || brush.style == BS_HATCHED;
    paint_rop2(cr, PaintOp::fill, rop2, solid ? brush.colour : BLACK);
    return;
  }
  cairo_pattern_t* pattern = brush.style == BS_HATCHED ? hatch_pattern(brush, background)
                                                       : image_pattern(*brush.pattern);
  if (rop2 == R2_XORPEN || rop2 == R2_NOT) cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
  cairo_set_source(cr, pattern);
  cairo_fill_preserve(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_pattern_destroy(pattern);
}

void stroke_with_pen(cairo_t* cr, const Pen& pen, double device_width,
                     const Background& background, int rop2) {
  if (!pen.visible() || rop2 == R2_NOP) return;
  cairo_set_line_width(cr, device_width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  int count = 0;
  const double* dash = device_width <= 1.0 ? dash_of(pen.kind(), &count) : nullptr;
  if (dash != nullptr) {
    // Cosmetic styled lines: flat ends so the pattern's pixels stay exact.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    if (background.opaque) {
      cairo_set_dash(cr, nullptr, 0, 0);
      paint_rop2(cr, PaintOp::stroke, rop2, background.colour);
    }
    cairo_set_dash(cr, dash, count, 0);
  } else {
    cairo_set_line_cap(cr, device_width <= 1.0 ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_ROUND);
    cairo_set_dash(cr, nullptr, 0, 0);
  }
  paint_rop2(cr, PaintOp::stroke, rop2, pen.colour);
  if (dash != nullptr) cairo_set_dash(cr, nullptr, 0, 0);
}

}  // namespace vellum::draw
