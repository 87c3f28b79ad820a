// The pen, brush and font records, and the operations that put the current
// pen and fill onto cairo's path. There is no object table: each record
// writes its values straight into the state, the last one of a kind wins.
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "render/drawing_objects.h"
#include "render/handlers.h"
#include "render/stroke_ledger.h"
#include "render/stroke_pieces.h"

namespace vellum {

namespace {

constexpr uint32_t FONT_FACE_MAX = sizeof(PlaybackState::font_face) - 1;

}  // namespace

double colour_unit(int32_t c) { return c * 0.00390625; }

void set_source_colour_unit(cairo_t* cr, draw::Colour c) {
  cairo_set_source_rgb(cr, colour_unit(c.red), colour_unit(c.green), colour_unit(c.blue));
}

int32_t pen_dash(const draw::Pen& pen) {
  const int32_t dash = pen.style & 0x000F;
  return dash <= 4 ? dash : -1;
}

int32_t pen_cap(const draw::Pen& pen) {
  const int32_t cap = pen.style & 0x0F00;
  return (cap == 0 || cap == 0x100 || cap == 0x200) ? cap : -1;
}

int32_t pen_join(const draw::Pen& pen) {
  const int32_t join = pen.style & 0xF000;
  return (join == 0 || join == 0x1000) ? join : 0x2000;
}

void play_CREATEPENINDIRECT(const uint8_t* record, PlaybackState* state) {
  PenObject pen{};
  if (decode_CREATEPENINDIRECT(record_at(record), &pen) == 0) return;
  // Strokes waiting for the old pen are painted with it.
  flush_pending_stroke(state->cr, state);
  // The width is the unsigned x of the width point.
  state->pen = {pen.style, uint16_t(pen.width.x), {pen.colour.red, pen.colour.green, pen.colour.blue}};
}

// Solid and hatched brushes set the fill colour (a hatch fills solid);
// every other style leaves it as it was.
void play_CREATEBRUSHINDIRECT(const uint8_t* record, PlaybackState* state) {
  BrushObject brush{};
  if (decode_CREATEBRUSHINDIRECT(record_at(record), &brush) == 0) return;
  if (brush.style != 0 && brush.style != 2) return;
  state->fill = {brush.colour.red, brush.colour.green, brush.colour.blue};
}

void play_CREATEFONTINDIRECT(const uint8_t* record, PlaybackState* state) {
  FontRecord made{};
  if (decode_CREATEFONTINDIRECT(record_at(record), &made) == 0) return;
  const FontObject& font = made.font;
  state->font_height = font.height;
  state->font_weight = font.weight;
  state->font_italic = font.italic;
  state->font_charset = font.charset;
  copy_string(made.face, FONT_FACE_MAX, state->font_face, sizeof state->font_face);
}

void set_line_cap_bits(cairo_t* cr, int32_t cap) {
  switch (cap) {
    case 0: cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND); break;
    case 0x100: cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE); break;
    case 0x200: cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT); break;
    default: break;
  }
}

void set_line_join_bits(cairo_t* cr, int32_t join) {
  switch (join) {
    case 0: cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND); break;
    case 0x1000: cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL); break;
    case 0x2000: cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER); break;
    default: break;
  }
}

// The pen's join is always one of the three; a cap of -1 (unrecognised
// bits) keeps whatever cap the context holds.
void apply_line_join(cairo_t* cr, const PlaybackState* state) {
  set_line_join_bits(cr, pen_join(state->pen));
}

void apply_line_cap(cairo_t* cr, const PlaybackState* state) {
  set_line_cap_bits(cr, pen_cap(state->pen));
}

// Dash lengths are counted in units of one logical unit, a quarter of the
// pen's width when that is more (a wide pen's dash is as long as the pen is
// wide), and one device pixel when that is more: a dash pattern finer than
// the pixels would cost a stroke per fraction of a pixel and show as solid
// anyway. A solid pen clears any earlier dash; an unknown style (-1) keeps it.
void apply_dash(cairo_t* cr, const PlaybackState* state) {
  static const double DASH[] = {4, 4};
  static const double DOT[] = {1, 4};
  static const double DASH_DOT[] = {4, 4, 1, 4};
  static const double DASH_DOT_DOT[] = {4, 4, 1, 4, 1, 4};
  const double* pattern = nullptr;
  int count = 0;
  switch (pen_dash(state->pen)) {
    case 0: cairo_set_dash(cr, nullptr, 0, 0); return;
    case 1: pattern = DASH, count = 2; break;
    case 2: pattern = DOT, count = 2; break;
    case 3: pattern = DASH_DOT, count = 4; break;
    case 4: pattern = DASH_DOT_DOT, count = 6; break;
    default: return;
  }
  double pixel_x = 1, pixel_y = 0, pixel_x2 = 0, pixel_y2 = 1;
  cairo_device_to_user_distance(cr, &pixel_x, &pixel_y);
  cairo_device_to_user_distance(cr, &pixel_x2, &pixel_y2);
  const double pixel = std::max(std::hypot(pixel_x, pixel_y), std::hypot(pixel_x2, pixel_y2));
  const double unit = std::max({1.0, double(state->pen.width) / 4, pixel});
  if (!std::isfinite(unit)) return;
  double scaled[6];
  for (int i = 0; i < count; i++) scaled[i] = pattern[i] * unit;
  cairo_set_dash(cr, scaled, count, 0);
}

// Every stroke outlines the whole path, open figures of earlier records
// included. Painting the same figures again with the same pen changes only
// the darkness of anti-aliased edges, yet costs O(n^2) over a run of line
// records; so the stroke is noted here and painted once by
// flush_pending_stroke, before anything that could show the difference.
void stroke_with_pen(cairo_t*, PlaybackState* state) { state->stroke_pending = 1; }

void flush_pending_stroke(cairo_t* cr, PlaybackState* state) {
  if (!state->stroke_pending) return;
  state->stroke_pending = 0;
  apply_line_join(cr, state);
  apply_line_cap(cr, state);
  apply_dash(cr, state);
  set_source_colour_unit(cr, state->pen.colour);
  cairo_set_line_width(cr, double(state->pen.width));
  if (state->ledger) state->ledger->stroke(cr);
  else stroke_preserve_in_pieces(cr, INFINITY);
}

void take_whole_path(PlaybackState* state) {
  if (state->ledger) state->ledger->restore_whole_path(state->cr);
}

void fill_with_brush(cairo_t* cr, PlaybackState* state) {
  flush_pending_stroke(cr, state);
  apply_line_join(cr, state);
  apply_line_cap(cr, state);
  set_source_colour_unit(cr, state->fill);
  take_whole_path(state);
  cairo_fill(cr);
}

void stroke_and_fill(PlaybackState* state) {
  stroke_with_pen(state->cr, state);
  fill_with_brush(state->cr, state);
}

}  // namespace vellum
