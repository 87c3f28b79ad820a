// MOVETO, LINETO, POLYLINE, POLYGON and POLYPOLYGON. Points are mapped and
// added to cairo's current path, which carries from record to record:
// strokes keep it, fills empty it, so open figures accumulate until the
// next fill or clip.
#include <cairo.h>

#include "render/drawing_objects.h"
#include "render/handlers.h"
#include "render/mapping.h"

namespace vellum {

namespace {

constexpr size_t POINT_SIZE = 4;
constexpr size_t COUNT_SIZE = 2;

void path_point(PlaybackState* state, Point16 p, bool first) {
  const double x = map_x(state, p.x);
  const double y = map_y(state, p.y);
  if (first) cairo_move_to(state->cr, x, y);
  else cairo_line_to(state->cr, x, y);
}

using PointListDecoder = uint32_t (*)(const Record&, PointList*);

// Decodes a POLYLINE or POLYGON and adds its points, cut to those the
// record holds, as one open figure. False when the decoder refuses it.
bool append_point_record(const uint8_t* record, PointListDecoder decode, PlaybackState* state) {
  PointList list{};
  if (decode(record_at(record), &list) == 0) return false;
  append_point_path(list, state);
  return true;
}

}  // namespace

void append_point_path(PointList list, PlaybackState* state) {
  for (uint32_t i = 0; i < list.count && list.points.left() >= POINT_SIZE; ++i)
    path_point(state, read_point(list.points), i == 0);
}

void append_polygon_set(PolygonSet set, PlaybackState* state) {
  for (uint32_t p = 0; p < set.polygons && set.counts.left() >= COUNT_SIZE; ++p) {
    const uint32_t n = set.counts.u16();
    for (uint32_t j = 0; j < n && set.points.left() >= POINT_SIZE; ++j)
      path_point(state, read_point(set.points), j == 0);
    cairo_close_path(state->cr);
  }
}

void play_MOVETO(const uint8_t* record, PlaybackState* state) {
  Point16 p{};
  if (decode_MOVETO(record_at(record), &p) == 0) return;
  cairo_move_to(state->cr, map_x(state, p.x), map_y(state, p.y));
  stroke_with_pen(state->cr, state);
}

// Without a current point cairo takes the line as a move: nothing drawn.
void play_LINETO(const uint8_t* record, PlaybackState* state) {
  Point16 p{};
  if (decode_LINETO(record_at(record), &p) == 0) return;
  cairo_line_to(state->cr, map_x(state, p.x), map_y(state, p.y));
  stroke_with_pen(state->cr, state);
}

void play_POLYLINE(const uint8_t* record, PlaybackState* state) {
  if (!append_point_record(record, decode_POLYLINE, state)) return;
  stroke_with_pen(state->cr, state);
}

void play_POLYGON(const uint8_t* record, PlaybackState* state) {
  if (!append_point_record(record, decode_POLYGON, state)) return;
  cairo_close_path(state->cr);
  stroke_and_fill(state);
}

// The polygons are cut to the counts the record holds, and their points to
// those that follow the counts inside the record.
void play_POLYPOLYGON(const uint8_t* record, PlaybackState* state) {
  PolygonSet set{};
  if (decode_POLYPOLYGON(record_at(record), &set) == 0) return;
  append_polygon_set(set, state);
  stroke_and_fill(state);
}

}  // namespace vellum
