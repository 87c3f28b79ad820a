// The DC's clip as the GDI player keeps it, and how it reaches cairo. No
// clip (the whole surface) is kept apart from any region; a region clip is
// a set of device pixels, shared and immutable, so SAVEDC copies are cheap.
// Drawing code calls sync_clip() (render/gdi/player.h) before it paints;
// the clip records set dc.clip and mark the player's clip dirty.
#pragma once

#include <optional>

#include "render/gdi/region.h"

typedef struct _cairo cairo_t;

namespace vellum::gdi {

using Clip = std::optional<Region>;

// Narrows cr's clip (already reset to the caller's) to `clip`.
void apply_clip(cairo_t* cr, const Clip& clip);

}  // namespace vellum::gdi
