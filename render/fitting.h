// How a picture's frame becomes a pixel size. The factor follows the width
// alone: when either side passes the limit, the width becomes the limit and
// the height follows at the same scale.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vellum {

// cairo draws on no image with a side longer than this.
inline constexpr uint32_t MAX_IMAGE_SIDE = 32767;

struct FittedSize {
  uint32_t width;
  uint32_t height;
  double scale;  // pixels per logical unit
};

// w0 and h0 are the bounding box's sides taken as unsigned 32-bit values. A
// height whose scaled value is not a finite number below 2^32 comes out 0.
FittedSize fit_to_limit(uint32_t w0, uint32_t h0, uint32_t limit);

// Bytes of an ARGB32 buffer of width x height, or 0 when there is nothing to
// allocate: a side of 0, a side cairo cannot draw on, or a count that does
// not fit in 32 bits.
size_t pixel_buffer_bytes(uint32_t width, uint32_t height);

}  // namespace vellum
