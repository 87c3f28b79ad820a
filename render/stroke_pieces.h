// Stroking a long path in pieces. cairo turns a stroke into one polygon and
// scan-converts it whole; when the figures cross each other (a zigzag of
// 100,000 lines), the crossings make that cost grow with the square of the
// length. Pieces of a bounded number of segments keep it linear.
#pragma once

#include <cstdint>

typedef struct _cairo cairo_t;

namespace vellum {

inline constexpr uint32_t STROKE_PIECE_SEGMENTS = 1024;

// The length of the current path, curves flattened, in device pixels, for a
// context whose user space is device space uniformly scaled.
double path_device_length(cairo_t* cr);

// Strokes the current path with the context's settings and keeps the path,
// as cairo_stroke_preserve does. A path of more than STROKE_PIECE_SEGMENTS
// line segments (curves flattened) is stroked piece by piece; the dash
// pattern runs on across pieces. Where two pieces of one figure meet, each
// ends with the pen's cap instead of the join (the same for round pens), and
// a split closed figure is closed by a plain line. A path longer than
// coarse_beyond device pixels is stroked without antialiasing from then on
// (it costs several times less). Returns the path's length in device pixels.
double stroke_preserve_in_pieces(cairo_t* cr, double coarse_beyond);

}  // namespace vellum
