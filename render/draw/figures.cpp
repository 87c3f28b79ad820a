#include "render/draw/figures.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace vellum::draw {

namespace {

constexpr double PI = 3.14159265358979323846;

bool usable(const Box& box) {
  return std::isfinite(box.left) && std::isfinite(box.right) && std::isfinite(box.top) &&
         std::isfinite(box.bottom) && box.width() > 0 && box.height() > 0;
}

// A counter-clockwise (on a y-down output) elliptical arc about (cx, cy)
// from angle a0 to a1, continuing the current path.
void elliptical_arc(cairo_t* cr, double cx, double cy, double rx, double ry, double a0,
                    double a1) {
  cairo_matrix_t saved;
  cairo_get_matrix(cr, &saved);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc_negative(cr, 0, 0, 1, a0, a1);
  cairo_set_matrix(cr, &saved);
}

}  // namespace

Box Box::inset(double d) const {
  Box b{left + d, top + d, right - d, bottom - d};
  if (b.left > b.right) b.left = b.right = centre_x();
  if (b.top > b.bottom) b.top = b.bottom = centre_y();
  return b;
}

void ellipse_path(cairo_t* cr, const Box& box) {
  if (!usable(box)) return;
  cairo_new_sub_path(cr);
  elliptical_arc(cr, box.centre_x(), box.centre_y(), box.width() / 2, box.height() / 2, 2 * PI,
                 0);
  cairo_close_path(cr);
}

void round_rect_path(cairo_t* cr, const Box& box, double corner_w, double corner_h) {
  if (!usable(box)) return;
  const double rx = std::min(std::fabs(corner_w) / 2, box.width() / 2);
  const double ry = std::min(std::fabs(corner_h) / 2, box.height() / 2);
  if (!(rx > 0) || !(ry > 0)) {
    cairo_rectangle(cr, box.left, box.top, box.width(), box.height());
    return;
  }
  cairo_new_sub_path(cr);
  // Counter-clockwise on the output: top-right, top-left, bottom-left, bottom-right.
  elliptical_arc(cr, box.right - rx, box.top + ry, rx, ry, 0, -PI / 2);
  elliptical_arc(cr, box.left + rx, box.top + ry, rx, ry, -PI / 2, -PI);
  elliptical_arc(cr, box.left + rx, box.bottom - ry, rx, ry, -PI, -3 * PI / 2);
  elliptical_arc(cr, box.right - rx, box.bottom - ry, rx, ry, PI / 2, 0);
  cairo_close_path(cr);
}

void arc_path(cairo_t* cr, const Box& box, double start_x, double start_y, double end_x,
              double end_y, ArcKind kind) {
  if (!usable(box)) return;
  const double cx = box.centre_x(), cy = box.centre_y();
  const double rx = box.width() / 2, ry = box.height() / 2;
  // Angles on the unit circle the ellipse is scaled from.
  double a0 = std::atan2((start_y - cy) / ry, (start_x - cx) / rx);
  double a1 = std::atan2((end_y - cy) / ry, (end_x - cx) / rx);
  if (!std::isfinite(a0)) a0 = 0;
  if (!std::isfinite(a1)) a1 = 0;
  // Counter-clockwise on a y-down output is decreasing angle.
  while (a1 >= a0) a1 -= 2 * PI;
  if (a0 - a1 > 2 * PI) a1 += 2 * PI;
  cairo_new_sub_path(cr);
  if (kind == ArcKind::pie) cairo_move_to(cr, cx, cy);
  elliptical_arc(cr, cx, cy, rx, ry, a0, a1);
  if (kind != ArcKind::arc) cairo_close_path(cr);
}

}  // namespace vellum::draw
