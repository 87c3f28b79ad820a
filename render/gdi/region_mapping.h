// Regions between logical and device space, and the frame of a region.
#pragma once

#include <cstdint>

#include "render/draw/mapping.h"
#include "render/gdi/region.h"

namespace vellum::gdi {

// The region's rectangles mapped as logical units and rounded to device
// pixels (right and bottom still exclusive); mirrored axes stay sorted.
Region device_region(const draw::Mapping& mapping, const Region& logical);

// The pixels of `region` within w pixels of its left or right edge or h of
// its top or bottom: the region less itself shrunk by (w, h). False when
// the result passes the region limits.
bool frame_of(const Region& region, int32_t w, int32_t h, Region* frame);

}  // namespace vellum::gdi
