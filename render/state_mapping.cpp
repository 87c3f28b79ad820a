// Records that change drawing state without drawing, and the coordinate
// mapping every drawing handler applies to every point.
#include <cairo.h>

#include "render/handlers.h"
#include "render/mapping.h"

namespace vellum {

namespace {

// d is widened to 32 bits before the subtraction, so no 16-bit wrap.
double map_axis(int16_t value, int32_t origin, int32_t forward, double frame) {
  const int32_t d = int32_t{value} - origin;
  return forward == 1 ? double(d) : frame - double(d);
}

}  // namespace

double map_x(const PlaybackState* state, int16_t x) {
  return map_axis(x, state->origin_x, state->ext_x_positive, state->frame_width);
}

double map_y(const PlaybackState* state, int16_t y) {
  return map_axis(y, state->origin_y, state->ext_y_positive, state->frame_height);
}

DeviceRect map_rect(const PlaybackState* state, const Rect16& rect) {
  return {map_x(state, rect.left), map_y(state, rect.top), map_x(state, rect.right),
          map_y(state, rect.bottom)};
}

void play_SETWINDOWEXT(const uint8_t* record, PlaybackState* state) {
  Point16 extent{};
  if (decode_SETWINDOWEXT(record_at(record), &extent) == 0) return;
  state->ext_x_positive = extent.x < 0 ? 0 : 1;
  state->ext_y_positive = extent.y < 0 ? 0 : 1;
}

// Every mapping mode draws the same picture: the frame is the bounding box.
void play_SETMAPMODE(const uint8_t* record, PlaybackState*) {
  uint16_t mode = 0;
  decode_SETMAPMODE(record_at(record), &mode);
}

void play_SETPOLYFILLMODE(const uint8_t* record, PlaybackState* state) {
  uint16_t mode = 0;
  if (decode_SETPOLYFILLMODE(record_at(record), &mode) == 0) return;
  if (mode == 1) cairo_set_fill_rule(state->cr, CAIRO_FILL_RULE_EVEN_ODD);
  if (mode == 2) cairo_set_fill_rule(state->cr, CAIRO_FILL_RULE_WINDING);
}

void play_SETTEXTCOLOR(const uint8_t* record, PlaybackState* state) {
  ColorRef colour{};
  if (decode_SETTEXTCOLOR(record_at(record), &colour) == 0) return;
  state->text = {colour.red, colour.green, colour.blue};
}

// The background colour has no field of its own: it becomes the fill
// colour, as a solid brush of that colour would.
void play_SETBKCOLOR(const uint8_t* record, PlaybackState* state) {
  ColorRef colour{};
  if (decode_SETBKCOLOR(record_at(record), &colour) == 0) return;
  state->fill = {colour.red, colour.green, colour.blue};
}

// Text is always placed at the left end of its baseline.
void play_SETTEXTALIGN(const uint8_t* record, PlaybackState*) {
  uint16_t align = 0;
  decode_SETTEXTALIGN(record_at(record), &align);
}

}  // namespace vellum
