#include "render/gdi/clip.h"

namespace vellum::gdi {

void apply_clip(cairo_t* cr, const Clip& clip) {
  if (clip) clip_to_region(cr, *clip);
}

}  // namespace vellum::gdi
