// The current pen and fill put onto cairo's path. A stroke keeps the path,
// a fill consumes it. Strokes of a path that only grows with an unchanged
// pen are painted once, when something that could tell the difference comes
// (a new pen, an escape, a fill, a clip, text, a bitmap, the end): see
// flush_pending_stroke.
#pragma once

#include <cstdint>

#include "render/playback.h"

namespace vellum {

// A colour byte as cairo takes it: c / 256, so 255 gives 0.99609375.
double colour_unit(int32_t c);
// A colour as cairo's source, each byte through colour_unit.
void set_source_colour_unit(cairo_t* cr, draw::Colour c);

// What this player makes of the pen's style word: the dash (0 solid .. 4
// dash-dot-dot, -1 any other style), the cap bits (0, 0x100, 0x200, or -1
// for any other value) and the join bits (0, 0x1000, any other is 0x2000).
int32_t pen_dash(const draw::Pen& pen);
int32_t pen_cap(const draw::Pen& pen);
int32_t pen_join(const draw::Pen& pen);

// Cap bits (0 round, 0x100 square, 0x200 flat) and join bits (0 round,
// 0x1000 bevel, 0x2000 miter) of pen styles and escapes onto cairo; any
// other value leaves the context as it is.
void set_line_cap_bits(cairo_t* cr, int32_t cap);
void set_line_join_bits(cairo_t* cr, int32_t join);

void apply_line_join(cairo_t* cr, const PlaybackState* state);
void apply_line_cap(cairo_t* cr, const PlaybackState* state);
void apply_dash(cairo_t* cr, const PlaybackState* state);

// Strokes the current path with the current pen and keeps the path. The
// painting itself waits for flush_pending_stroke.
void stroke_with_pen(cairo_t* cr, PlaybackState* state);

// Paints a waiting stroke now: outline of the whole current path with the
// pen in force (join, cap, dash, colour, width), path kept.
void flush_pending_stroke(cairo_t* cr, PlaybackState* state);

// Gives cairo's path back the figures the stroke ledger holds aside; call
// before anything that consumes the whole path (a fill, a clip).
void take_whole_path(PlaybackState* state);

// Fills the current path with the fill colour and empties it.
void fill_with_brush(cairo_t* cr, PlaybackState* state);

// A closed figure: outlined first, then filled over the outline's inner half.
void stroke_and_fill(PlaybackState* state);

}  // namespace vellum
