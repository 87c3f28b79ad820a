// Windows bitmap rows (1, 4, 8 bits through a colour table; 16, 24, 32 bits
// direct) to a new buffer of 4 bytes per pixel: red, green, blue, fourth byte.
#pragma once

#include <cstdint>

#include "common/byte_reader.h"

namespace vellum {

enum PixelsResult : int {
  PIXELS_OK = 0,
  PIXELS_EMPTY = 1,            // width, height or bits is 0, or no pixels
  PIXELS_TABLE_TOO_DEEP = 2,   // colour table wanted with 16 bits or more
  PIXELS_NEEDS_TABLE = 3,      // no colour table with fewer than 16 bits
  PIXELS_NO_MEMORY = 4,        // empty colour table, or allocation failed
  PIXELS_BAD_DEPTH = 7,        // bits not 1/4/8 (table) or 16/24/32 (direct)
};

// `pixels_size` is how many input bytes are readable at `pixels` (the rest
// of the record): only whole rows inside it are read, the others stay zero
// in the output; a null `pixels` or a `pixels_size` of 0 is "no pixels".
// Colour-table indices beyond `colour_count` are not read either (they give
// black, fourth byte 0). An output of more than 0xFFFFFFFF bytes is refused
// with result 4. The output buffer is allocated with std::calloc; the caller
// frees it with std::free, also after result 7.
int pixels_to_rgba(const uint8_t* pixels, uint32_t pixels_size, const uint8_t* colour_table,
                   uint32_t colour_count, uint8_t** out, uint32_t width, uint32_t height,
                   uint32_t bits_per_pixel, bool use_colour_table, bool reverse_rows);

// The same with the input rows and the colour table (whole 4-byte entries)
// as readers over the bytes that really are there.
int pixels_to_rgba(ByteReader pixels, ByteReader colour_table, uint8_t** out, uint32_t width,
                   uint32_t height, uint32_t bits_per_pixel, bool use_colour_table,
                   bool reverse_rows);

}  // namespace vellum
