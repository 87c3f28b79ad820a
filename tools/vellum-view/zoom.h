// Zoom steps of the picture window: each step is a quarter larger or
// smaller, between a tenth and sixteen times the fitted size.
#pragma once

#include <algorithm>
#include <cmath>

namespace vellum_view {

inline constexpr double ZOOM_STEP = 1.25, MIN_ZOOM = 0.1, MAX_ZOOM = 16;

// The zoom after `steps` steps in (positive) or out (negative) from `zoom`.
inline double zoom_by(double zoom, double steps) {
  return std::clamp(zoom * std::pow(ZOOM_STEP, steps), MIN_ZOOM, MAX_ZOOM);
}

}  // namespace vellum_view
