// Zoom steps of the picture window: each step is a quarter larger or
// smaller, between a tenth and sixteen times the fitted size.
#pragma once

#include <algorithm>
#include <cmath>

namespace vellum_view {

inline constexpr double kZoomStep = 1.25, kMinZoom = 0.1, kMaxZoom = 16;

// The zoom after `steps` steps in (positive) or out (negative) from `zoom`.
inline double zoom_by(double zoom, double steps) {
  return std::clamp(zoom * std::pow(kZoomStep, steps), kMinZoom, kMaxZoom);
}

}  // namespace vellum_view
