// MOVETO, LINETO, POLYLINE, POLYGON and POLYPOLYGON. Points are mapped and
// added to cairo's current path, which carries from record to record:
// strokes keep it, fills empty it, so open figures accumulate until the
// next fill or clip.
#include <cairo.h>

#include "metafile/field_access.h"
#include "metafile/record_span.h"
#include "render/drawing_objects.h"
#include "render/handlers.h"
#include "render/mapping.h"

namespace vellum {

namespace {

constexpr uint32_t POINT_SIZE = 4;
constexpr uint32_t COUNT_SIZE = 2;

void path_point(PlaybackState* state, const uint8_t* at, bool first) {
  const Point16 p = load_point(at);
  const double x = map_x(state, p.x);
  const double y = map_y(state, p.y);
  if (first) cairo_move_to(state->cr, x, y);
  else cairo_line_to(state->cr, x, y);
}

using PointListDecoder = uint32_t (*)(const uint8_t*, uint16_t*, const uint8_t**);

// Decodes a POLYLINE or POLYGON and adds its points, cut to those the
// record holds, as one open figure. False when the decoder refuses it.
bool append_point_record(const uint8_t* record, PointListDecoder decode, PlaybackState* state) {
  uint16_t count = 0;
  const uint8_t* points = nullptr;
  const uint32_t size = decode(record, &count, &points);
  if (size == 0) return false;
  count = uint16_t(RecordSpan(record, size).items_from(points, POINT_SIZE, count));
  append_point_path(count, points, state);
  return true;
}

}  // namespace

void append_point_path(uint16_t count, const uint8_t* points, PlaybackState* state) {
  for (uint32_t i = 0; i < count; ++i) path_point(state, points + POINT_SIZE * i, i == 0);
}

void append_polygon_set(uint16_t polygon_count, const uint8_t* counts, const uint8_t* points,
                        uint32_t points_available, PlaybackState* state) {
  const uint8_t* cursor = points;
  for (uint32_t p = 0; p < polygon_count; ++p) {
    uint32_t n = load_u16(counts + COUNT_SIZE * p);
    if (n > points_available) n = points_available;
    points_available -= n;
    for (uint32_t j = 0; j < n; ++j, cursor += POINT_SIZE) path_point(state, cursor, j == 0);
    cairo_close_path(state->cr);
  }
}

void play_MOVETO(const uint8_t* record, PlaybackState* state) {
  Point16 p{};
  if (decode_MOVETO(record, &p) == 0) return;
  cairo_move_to(state->cr, map_x(state, p.x), map_y(state, p.y));
  stroke_with_pen(state->cr, state);
}

// Without a current point cairo takes the line as a move: nothing drawn.
void play_LINETO(const uint8_t* record, PlaybackState* state) {
  Point16 p{};
  if (decode_LINETO(record, &p) == 0) return;
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

// The polygon count is cut to the counts the record holds, and the points
// to those that follow them inside the record.
void play_POLYPOLYGON(const uint8_t* record, PlaybackState* state) {
  uint16_t polygons = 0;
  const uint8_t* counts = nullptr;
  const uint8_t* points = nullptr;
  const uint32_t size = decode_POLYPOLYGON(record, &polygons, &counts, &points);
  if (size == 0) return;
  const RecordSpan span(record, size);
  polygons = uint16_t(span.items_from(counts, COUNT_SIZE, polygons));
  const uint32_t available = span.items_from(points, POINT_SIZE, UINT32_MAX);
  append_polygon_set(polygons, counts, points, available, state);
  stroke_and_fill(state);
}

}  // namespace vellum
