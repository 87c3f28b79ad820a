// The GDI player: plays a WMF the way Windows' PlayMetaFile does (object
// table, window/viewport mapping, every map mode, text through EXTTEXTOUT,
// DIBs, regions), onto any cairo context, so the same playback can fill a
// pixel buffer or write an SVG or PDF surface.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/draw/deadline.h"
#include "render/skip_tally.h"

typedef struct _cairo cairo_t;

namespace vellum::gdi {

// The picture's own frame in logical units: the placeable header's box, or
// for a file without one the window its records set (first SETWINDOWORG and
// SETWINDOWEXT). units_per_inch is the placeable header's, 0 without one.
struct Frame {
  int32_t left, top, right, bottom;
  uint32_t units_per_inch;
  bool placeable;
  double width() const { return double(right) - left; }
  double height() const { return double(bottom) - top; }
};

// Finds the frame of a metafile in file byte order; false when the bytes are
// no metafile or carry no usable frame (empty or missing window).
bool find_frame(const uint8_t* data, size_t size, Frame* frame);

// Whether this player draws or applies records of this type (the low byte of
// the function word); the rest are counted as skipped.
bool plays(uint8_t type);

// Plays the metafile in data (file byte order, left unchanged) onto cr,
// mapping its frame onto the rectangle (0, 0)-(width, height) of cr's user
// space. Counts the record types it does not play in *skipped when given.
// Returns 0 once playback ran, -1 when the bytes are no metafile.
int play(const uint8_t* data, size_t size, cairo_t* cr, double width, double height, SkipTally* skipped);

// How a host wants the picture played.
struct PlayOptions {
  // Skip the records that set the viewport or the map mode, so the window
  // always maps onto the output (what viewers of placeable files do; the
  // gdi-oracle's --caller-viewport).
  bool caller_viewport = false;
  // When set, playback stops between records once it passes.
  draw::Deadline* deadline = nullptr;
};

// As above, played as options say; 1 when the deadline stopped playback
// (what was drawn stays drawn).
int play(const uint8_t* data, size_t size, cairo_t* cr, double width, double height,
         SkipTally* skipped, const PlayOptions& options);

}  // namespace vellum::gdi
