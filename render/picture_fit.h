// How big a picture comes out in pixels, from its frame and what the caller
// asks: a box to fit inside, a zoom or a resolution, and a square it must
// shrink into. Every rule is monotonic: a larger request never gives a
// smaller picture.
#pragma once

#include <cstdint>

namespace vellum {

struct SizeRequest {
  // Fit inside width x height, enlarging or shrinking, aspect kept; a side
  // of 0 is unbounded. With neither side given, zoom and dpi decide.
  uint32_t width = 0;
  uint32_t height = 0;
  double zoom = 1.0;  // times the natural size
  double dpi = 0.0;   // natural size is dpi / units per inch pixels a unit; 0: one pixel a unit
  // Then shrink (never enlarge) into a square of this side; 0: no square.
  uint32_t shrink_to = 0;
  // A picture of more pixels than this is refused; 0: no bound.
  uint64_t max_pixels = 0;

  // Only the square was asked for: the exact player's own fitting applies.
  bool only_shrink() const { return width == 0 && height == 0 && zoom == 1.0 && dpi == 0.0; }
};

enum class FitStatus { ok, empty_frame, no_units_per_inch, too_large };

struct PixelFit {
  uint32_t width;
  uint32_t height;
  double scale;  // pixels per logical unit
};

// frame_width and frame_height are the frame's sides in logical units;
// units_per_inch is 0 when the picture does not say.
FitStatus fit_picture(double frame_width, double frame_height, uint32_t units_per_inch,
                      const SizeRequest& request, PixelFit* fit);

}  // namespace vellum
