// Preset shapes this engine draws from outlines of its own: the curved
// arrows. Each is laid out in a square of 21600 units stretched over the
// shape's box, shaped by its adjust values.
#pragma once

#include "shape_geometry.h"

namespace quire {

// The preset's paths; empty for presets drawn otherwise.
ShapePaths preset_paths(const ShapeGeometry& geometry);

}  // namespace quire
