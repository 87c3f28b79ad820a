// Fitting of the frame to the limit and the size of the pixel buffer.
#include "render/fitting.h"

#include <cmath>

namespace vellum {

FittedSize fit_to_limit(uint32_t w0, uint32_t h0, uint32_t limit) {
  if (w0 <= limit && h0 <= limit) return {w0, h0, 1.0};
  const double scale = double(limit) / double(w0);
  const double height = double(h0) * scale;
  // A zero width gives an infinite factor; such a height has no pixel count.
  const uint32_t fitted_height =
      std::isfinite(height) && height < 4294967296.0 ? uint32_t(height) : 0;
  return {limit, fitted_height, scale};
}

size_t pixel_buffer_bytes(uint32_t width, uint32_t height) {
  if (width == 0 || height == 0 || width > MAX_IMAGE_SIDE || height > MAX_IMAGE_SIDE) return 0;
  const uint64_t bytes = uint64_t(width) * height * 4;
  return bytes > UINT32_MAX ? 0 : size_t(bytes);
}

}  // namespace vellum
