// GDI figures in device pixels: rectangles mapped and rounded as GDI maps
// them, and the fill-then-outline painting of closed figures with the DC's
// brush, pen, background and ROP2.
//
// Pixel conventions (Rectangle doc; oracle): a box covers device pixels
// [l, r-1] x [t, b-1]; the pen's centre line runs through the centres of
// the outer pixels; with a null pen the fill loses one more pixel on the
// right and bottom. Fills are laid on pixel edges, odd-width strokes on
// pixel centres.
#pragma once

#include <cstdint>

#include "render/draw/figures.h"
#include "render/gdi/player.h"

namespace vellum::gdi {

// A logical rectangle mapped to whole device pixels, sorted.
draw::Box device_box(const Player& p, int16_t left, int16_t top, int16_t right, int16_t bottom);

// The current pen's width in device pixels.
double pen_width(const Player& p);
// Where a stroke's centre sits relative to a pixel's left/top edge.
double stroke_offset(double width);

// The box the fill of a closed figure covers, and the one its outline
// follows (moved in for PS_INSIDEFRAME).
draw::Box fill_box(const Player& p, const draw::Box& box);
draw::Box outline_box(const Player& p, const draw::Box& box);

// Starts a figure: clip brought up to date, empty path.
void begin_figure(Player& p);
// Fills the current path with the brush (fill rule: winding unless
// `alternate`), then empties it.
void fill_path(Player& p, bool alternate = false);
// Outlines the current path with the pen, then empties it.
void stroke_path(Player& p);

}  // namespace vellum::gdi
