// Strokes long paths piece by piece, keeping the path and the dash phase.
#include "render/stroke_pieces.h"

#include <cairo.h>

#include <cmath>
#include <vector>

namespace vellum {

namespace {

uint32_t line_segments(const cairo_path_t* path) {
  uint32_t segments = 0;
  for (int i = 0; i < path->num_data; i += path->data[i].header.length)
    if (path->data[i].header.type == CAIRO_PATH_LINE_TO) ++segments;
  return segments;
}

// The length of a flattened path in device pixels, for a context whose
// user space is a uniform scale of device space.
double device_length(cairo_t* cr, const cairo_path_t* path) {
  double length = 0, x = 0, y = 0, start_x = 0, start_y = 0;
  for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
    const cairo_path_data_t* d = &path->data[i];
    double to_x = start_x, to_y = start_y;
    if (d->header.type != CAIRO_PATH_CLOSE_PATH) to_x = d[1].point.x, to_y = d[1].point.y;
    if (d->header.type == CAIRO_PATH_MOVE_TO) start_x = to_x, start_y = to_y;
    else length += std::hypot(to_x - x, to_y - y);
    x = to_x;
    y = to_y;
  }
  double unit_x = 1, unit_y = 0;
  cairo_user_to_device_distance(cr, &unit_x, &unit_y);
  return length * std::hypot(unit_x, unit_y);
}

// Replays a flattened path onto the context, stroking every
// STROKE_PIECE_SEGMENTS segments. The dash offset of a piece that starts
// inside a figure is the length of the figure before it.
class PieceStroker {
 public:
  explicit PieceStroker(cairo_t* cr) : cr_(cr), dashes_(size_t(cairo_get_dash_count(cr))) {
    if (!dashes_.empty()) cairo_get_dash(cr, dashes_.data(), &base_offset_);
  }

  void move_to(double x, double y) {
    // Every figure starts its dash afresh: a piece whose offset was moved on
    // is finished first.
    if (offset_moved_) stroke_piece(base_offset_);
    cairo_move_to(cr_, x, y);
    start_x_ = x_ = x;
    start_y_ = y_ = y;
    travelled_ = 0;
    split_ = false;
  }

  void line_to(double x, double y) {
    if (segments_ >= STROKE_PIECE_SEGMENTS) {
      stroke_piece(base_offset_ + travelled_);
      cairo_move_to(cr_, x_, y_);
      split_ = true;
    }
    cairo_line_to(cr_, x, y);
    travelled_ += std::hypot(x - x_, y - y_);
    x_ = x;
    y_ = y;
    ++segments_;
  }

  void close() {
    if (!split_) {
      cairo_close_path(cr_);
      x_ = start_x_;
      y_ = start_y_;
      return;
    }
    line_to(start_x_, start_y_);
    move_to(start_x_, start_y_);
  }

  void finish() {
    cairo_stroke(cr_);
    if (!dashes_.empty()) cairo_set_dash(cr_, dashes_.data(), int(dashes_.size()), base_offset_);
  }

 private:
  void stroke_piece(double next_offset) {
    cairo_stroke(cr_);
    segments_ = 0;
    if (dashes_.empty()) return;
    cairo_set_dash(cr_, dashes_.data(), int(dashes_.size()), next_offset);
    offset_moved_ = next_offset != base_offset_;
  }

  cairo_t* cr_;
  std::vector<double> dashes_;
  double base_offset_ = 0;
  bool offset_moved_ = false;
  double start_x_ = 0, start_y_ = 0, x_ = 0, y_ = 0, travelled_ = 0;
  uint32_t segments_ = 0;
  bool split_ = false;
};

}  // namespace

double path_device_length(cairo_t* cr) {
  cairo_path_t* flat = cairo_copy_path_flat(cr);
  const double length = flat->status == CAIRO_STATUS_SUCCESS ? device_length(cr, flat) : 0;
  cairo_path_destroy(flat);
  return length;
}

namespace {

// Strokes without antialiasing, and with a dash pattern stretched so that the
// path holds at most MAX_COARSE_DASHES of them: each dash is a figure of its
// own to cairo, with its own caps.
void coarsen(cairo_t* cr, double length) {
  constexpr double MAX_COARSE_DASHES = 50000;
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  std::vector<double> dashes(size_t(cairo_get_dash_count(cr)));
  if (dashes.empty()) return;
  double offset = 0;
  cairo_get_dash(cr, dashes.data(), &offset);
  double period = 0;
  for (double d : dashes) period += d;
  double unit_x = 1, unit_y = 0;
  cairo_user_to_device_distance(cr, &unit_x, &unit_y);
  period *= std::hypot(unit_x, unit_y);
  if (!(period > 0) || length / period <= MAX_COARSE_DASHES) return;
  const double stretch = length / period / MAX_COARSE_DASHES;
  for (double& d : dashes) d *= stretch;
  cairo_set_dash(cr, dashes.data(), int(dashes.size()), offset * stretch);
}

}  // namespace

double stroke_preserve_in_pieces(cairo_t* cr, double coarse_beyond) {
  cairo_path_t* flat = cairo_copy_path_flat(cr);
  if (flat->status != CAIRO_STATUS_SUCCESS) {
    cairo_path_destroy(flat);
    cairo_stroke_preserve(cr);
    return 0;
  }
  const double length = device_length(cr, flat);
  const cairo_antialias_t antialias = cairo_get_antialias(cr);
  if (length > coarse_beyond) coarsen(cr, length);
  if (line_segments(flat) <= STROKE_PIECE_SEGMENTS) {
    cairo_path_destroy(flat);
    cairo_stroke_preserve(cr);
    cairo_set_antialias(cr, antialias);
    return length;
  }
  cairo_path_t* whole = cairo_copy_path(cr);
  cairo_new_path(cr);
  PieceStroker pieces(cr);
  for (int i = 0; i < flat->num_data; i += flat->data[i].header.length) {
    const cairo_path_data_t* d = &flat->data[i];
    switch (d->header.type) {
      case CAIRO_PATH_MOVE_TO: pieces.move_to(d[1].point.x, d[1].point.y); break;
      case CAIRO_PATH_LINE_TO: pieces.line_to(d[1].point.x, d[1].point.y); break;
      case CAIRO_PATH_CLOSE_PATH: pieces.close(); break;
      case CAIRO_PATH_CURVE_TO: break;  // not in a flattened path
    }
  }
  pieces.finish();
  cairo_append_path(cr, whole);
  cairo_path_destroy(whole);
  cairo_path_destroy(flat);
  cairo_set_antialias(cr, antialias);
  return length;
}

}  // namespace vellum
