// Text output with cairo's simple text interface, and the three escapes
// that change line drawing (cap, join, miter limit).
#include <cairo.h>

#include <cmath>
#include <string>

#include "render/drawing_objects.h"
#include "render/handlers.h"
#include "render/stroke_ledger.h"
#include "render/text_encoding.h"

namespace vellum {

namespace {

constexpr uint16_t ESCAPE_SETLINECAP = 21;
constexpr uint16_t ESCAPE_SETLINEJOIN = 22;
constexpr uint16_t ESCAPE_SETMITERLIMIT = 23;
// Text in a font of more pixels than this is filled as outlines: cairo would
// otherwise rasterise each glyph whole into its glyph cache, megabytes apiece.
constexpr double LARGE_FONT_PIXELS = 512;

// Fills the text's outlines. The path the records built is set aside for
// the next fill or clip, and the current point ends after the text, as
// showing it would leave it.
void fill_text_outlines(PlaybackState* state, double x, double y, const std::string& utf8) {
  cairo_t* cr = state->cr;
  state->ledger->set_aside(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, utf8.c_str());
  double end_x = x, end_y = y;
  cairo_get_current_point(cr, &end_x, &end_y);
  cairo_fill(cr);
  cairo_move_to(cr, end_x, end_y);
}

}  // namespace

// Weights from semibold (600) up are bold, and any italic byte but 0 is
// italic; the font height is the size, sign and all.
void select_text_font(cairo_t* cr, const PlaybackState* state) {
  set_source_colour_unit(cr, state->text);
  const cairo_font_weight_t weight =
      state->font_weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL;
  const cairo_font_slant_t slant =
      state->font_italic != 0 ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL;
  cairo_select_font_face(cr, face_to_utf8(state->font_face).c_str(), slant, weight);
  cairo_set_font_size(cr, double(state->font_height));
}

// The start point is used in logical units as it stands: neither the
// bounding-box origin nor the mirroring applies to text.
void play_TEXTOUT(const uint8_t* record, PlaybackState* state) {
  TextOut text{};
  if (decode_TEXTOUT(record_at(record), &text) == 0) return;
  cairo_t* cr = state->cr;
  flush_pending_stroke(cr, state);
  select_text_font(cr, state);
  const std::string utf8 = text_to_utf8(text.string, state->font_charset);
  double pixels = double(state->font_height), zero = 0;
  cairo_user_to_device_distance(cr, &pixels, &zero);
  if (state->ledger && std::fabs(pixels) > LARGE_FONT_PIXELS) {
    fill_text_outlines(state, double(text.start.x), double(text.start.y), utf8);
    return;
  }
  cairo_move_to(cr, double(text.start.x), double(text.start.y));
  cairo_show_text(cr, utf8.c_str());
}

void play_ESCAPE(const uint8_t* record, PlaybackState* state) {
  Escape escape{};
  if (decode_ESCAPE(record_at(record), &escape) == 0 || escape.data.left() < 4) return;
  const uint16_t function = escape.function;
  if (function < ESCAPE_SETLINECAP || function > ESCAPE_SETMITERLIMIT) return;
  cairo_t* cr = state->cr;
  // A waiting stroke is painted with the cap, join and limit it was made with.
  flush_pending_stroke(cr, state);
  const uint32_t value = escape.data.u32();
  if (function == ESCAPE_SETLINECAP) {
    set_line_cap_bits(cr, int32_t(value & 0x0F00));
  } else if (function == ESCAPE_SETLINEJOIN) {
    set_line_join_bits(cr, int32_t(value & 0xF000));
  } else {
    // Through single precision: values above 2^24 round to the nearest float.
    cairo_set_miter_limit(cr, double(float(value)));
  }
}

}  // namespace vellum
