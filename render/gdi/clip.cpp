#include "render/gdi/clip.h"

namespace vellum::gdi {

void apply_clip(cairo_t*, const Clip&) {}

}  // namespace vellum::gdi

namespace vellum::gdi {

Clip clip_from_region(const RegionObject&) { return Clip{}; }

}  // namespace vellum::gdi
