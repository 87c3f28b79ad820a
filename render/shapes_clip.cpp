// RECTANGLE, ELLIPSE, ROUNDRECT (outlined with the pen, then filled) and
// INTERSECTCLIPRECT, which narrows the clip by the whole current path.
#include <cairo.h>

#include "render/drawing_objects.h"
#include "render/handlers.h"
#include "render/mapping.h"

namespace vellum {

void play_RECTANGLE(const uint8_t* record, PlaybackState* state) {
  Rect16 rect{};
  if (decode_RECTANGLE(record_at(record), &rect) == 0) return;
  const DeviceRect d = map_rect(state, rect);
  cairo_rectangle(state->cr, d.x1, d.y1, d.width(), d.height());
  stroke_and_fill(state);
}

// Four Bezier segments from the left end of the horizontal axis through the
// top, right and bottom ends, each control point half a semi-axis from its
// end point: the outline meets the axis ends and runs slightly inside the
// true ellipse between them.
void play_ELLIPSE(const uint8_t* record, PlaybackState* state) {
  Rect16 rect{};
  if (decode_ELLIPSE(record_at(record), &rect) == 0) return;
  const DeviceRect d = map_rect(state, rect);
  const double x = d.x1, y = d.y1, w = d.width(), h = d.height();
  cairo_t* cr = state->cr;
  cairo_move_to(cr, x, y + h / 2);
  cairo_curve_to(cr, x, y + h / 4, x + w / 4, y, x + w / 2, y);
  cairo_curve_to(cr, x + (w / 4) * 3, y, x + w, y + h / 4, x + w, y + h / 2);
  cairo_curve_to(cr, x + w, y + (h / 4) * 3, x + (w / 4) * 3, y + h, x + w / 2, y + h);
  cairo_curve_to(cr, x + w / 4, y + h, x, y + (h / 4) * 3, x, y + h / 2);
  cairo_close_path(cr);
  stroke_and_fill(state);
}

// Every corner is a circular arc of half the corner width; the corner
// height does not enter the drawing.
void play_ROUNDRECT(const uint8_t* record, PlaybackState* state) {
  int16_t corner_width = 0, corner_height = 0;
  Rect16 rect{};
  if (decode_ROUNDRECT(record_at(record), &corner_width, &corner_height, &rect) == 0) return;
  const double r = double(corner_width / 2);
  const DeviceRect d = map_rect(state, rect);
  cairo_t* cr = state->cr;
  cairo_move_to(cr, d.x1, d.y1 + r);
  cairo_arc(cr, d.x1 + r, d.y1 + r, r, 180 * DEGREE, 270 * DEGREE);
  cairo_line_to(cr, d.x2 - r, d.y1);
  cairo_arc(cr, d.x2 - r, d.y1 + r, r, 270 * DEGREE, 360 * DEGREE);
  cairo_line_to(cr, d.x2, d.y2 - r);
  cairo_arc(cr, d.x2 - r, d.y2 - r, r, 0 * DEGREE, 90 * DEGREE);
  cairo_line_to(cr, d.x1 + r, d.y2);
  cairo_arc(cr, d.x1 + r, d.y2 - r, r, 90 * DEGREE, 180 * DEGREE);
  cairo_close_path(cr);
  stroke_and_fill(state);
}

// The clip takes the whole path, open figures of earlier records included,
// under the context's fill rule; it only ever narrows.
void play_INTERSECTCLIPRECT(const uint8_t* record, PlaybackState* state) {
  Rect16 rect{};
  if (decode_INTERSECTCLIPRECT(record_at(record), &rect) == 0) return;
  flush_pending_stroke(state->cr, state);
  const DeviceRect d = map_rect(state, rect);
  cairo_rectangle(state->cr, d.x1, d.y1, d.width(), d.height());
  take_whole_path(state);
  cairo_clip(state->cr);
}

}  // namespace vellum
