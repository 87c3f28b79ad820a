// From a record's logical coordinates to cairo user units. The frame is the
// placeable header's bounding box; only the signs of the window extent count
// (an axis is mirrored until an extent says it runs forward).
#pragma once

#include <cstdint>

#include "metafile/records.h"
#include "render/playback.h"

namespace vellum {

double map_x(const PlaybackState* state, int16_t x);
double map_y(const PlaybackState* state, int16_t y);

// The four mapped edges of a record rectangle, neither swapped nor sorted:
// on a mirrored axis X2 may lie left of X1 and the width be negative.
struct DeviceRect {
  double x1, y1, x2, y2;
  double width() const { return x2 - x1; }
  double height() const { return y2 - y1; }
};

DeviceRect map_rect(const PlaybackState* state, const Rect16& rect);

}  // namespace vellum
