// The DC's clip as the GDI player keeps it, and how it reaches cairo.
//
// PLACEHOLDER until the device-space region type (render/gdi/region.h,
// branch `raster`) is on main: `Clip` then holds that region, shared and
// immutable, so SAVEDC copies stay cheap. Drawing code only ever calls
// sync_clip() (render/gdi/player.h) before it paints; the clip records set
// dc.clip and mark the player's clip dirty.
#pragma once

#include <memory>

typedef struct _cairo cairo_t;

namespace vellum::gdi {

struct Clip {
  // No clip: the whole surface. (The region member joins here.)
  bool none = true;
};

// Narrows cr's clip (already reset to the caller's) to `clip`.
void apply_clip(cairo_t* cr, const Clip& clip);

}  // namespace vellum::gdi

#include "render/gdi/region_object.h"

namespace vellum::gdi {

// The clip a region object makes when selected (SELECTOBJECT of a region).
Clip clip_from_region(const RegionObject& region);

}  // namespace vellum::gdi
