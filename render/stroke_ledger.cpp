#include "render/stroke_ledger.h"

#include <cairo.h>

#include "render/stroke_pieces.h"

#include <algorithm>

namespace vellum {

StrokeLedger::StrokeLedger(double picture_pixels)
    : work_limit_(std::max(MIN_WORK_PIXELS, WORK_PER_PIXEL * picture_pixels)) {}

StrokeLedger::~StrokeLedger() {
  for (cairo_path_t* path : held_) cairo_path_destroy(path);
}

void StrokeLedger::stroke(cairo_t* cr) {
  spent_ += stroke_preserve_in_pieces(cr, work_limit_ - spent_);
  if (strokes_only_new()) set_aside(cr);
}

// The new path starts at the current point, so the next line record still
// continues from there.
void StrokeLedger::set_aside(cairo_t* cr) {
  cairo_path_t* path = cairo_copy_path(cr);
  if (path->status != CAIRO_STATUS_SUCCESS) {
    cairo_path_destroy(path);
    return;
  }
  const bool has_point = cairo_has_current_point(cr);
  double x = 0, y = 0;
  cairo_get_current_point(cr, &x, &y);
  held_.push_back(path);
  cairo_new_path(cr);
  if (has_point) cairo_move_to(cr, x, y);
}

void StrokeLedger::restore_whole_path(cairo_t* cr) {
  if (held_.empty()) return;
  cairo_path_t* newest = cairo_copy_path(cr);
  cairo_new_path(cr);
  for (cairo_path_t* path : held_) {
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
  }
  held_.clear();
  if (newest->status == CAIRO_STATUS_SUCCESS) cairo_append_path(cr, newest);
  cairo_path_destroy(newest);
}

}  // namespace vellum
