#include "render/picture_fit.h"

#include <algorithm>
#include <cmath>

#include "render/fitting.h"

namespace vellum {
namespace {

// A side in pixels: at least one, so a hairline frame still makes a picture.
double pixels_of(double units, double scale) { return std::max(1.0, std::round(units * scale)); }

}  // namespace

FitStatus fit_picture(double frame_width, double frame_height, uint32_t units_per_inch,
                      const SizeRequest& request, PixelFit* fit) {
  if (!(frame_width > 0) || !(frame_height > 0)) return FitStatus::empty_frame;
  double scale;
  if (request.width && request.height)
    scale = std::min(request.width / frame_width, request.height / frame_height);
  else if (request.width)
    scale = request.width / frame_width;
  else if (request.height)
    scale = request.height / frame_height;
  else if (request.dpi > 0 && units_per_inch == 0)
    return FitStatus::no_units_per_inch;
  else
    scale = request.zoom * (request.dpi > 0 ? request.dpi / units_per_inch : 1.0);
  if (request.shrink_to)
    scale = std::min({scale, request.shrink_to / frame_width, request.shrink_to / frame_height});
  if (!(scale > 0) || !std::isfinite(scale)) return FitStatus::too_large;
  const double width = pixels_of(frame_width, scale), height = pixels_of(frame_height, scale);
  if (width > MAX_IMAGE_SIDE || height > MAX_IMAGE_SIDE) return FitStatus::too_large;
  *fit = {uint32_t(width), uint32_t(height), scale};
  return FitStatus::ok;
}

}  // namespace vellum
