#include "metafile/bitmap_pixels.h"

#include <cstdlib>

namespace vellum {
namespace {

// Output buffers are limited to what a 32-bit byte count can describe.
constexpr uint64_t MAX_OUTPUT_BYTES = 0xFFFFFFFFu;

bool supported_depth(uint32_t bits, bool use_colour_table) {
  if (use_colour_table) return bits == 1 || bits == 4 || bits == 8;
  return bits == 16 || bits == 24 || bits == 32;
}

struct Palette {
  const uint8_t* entries;  // blue, green, red, reserved
  uint32_t count;

  // An index past the table is not read: it gives black.
  void put(uint32_t index, uint8_t* out) const {
    if (index >= count) {
      out[0] = out[1] = out[2] = out[3] = 0;
      return;
    }
    const uint8_t* entry = entries + 4u * index;
    out[0] = entry[2];
    out[1] = entry[1];
    out[2] = entry[0];
    out[3] = entry[3];
  }
};

void convert_indexed_row(const uint8_t* in, uint8_t* out, uint32_t width, uint32_t bits,
                         const Palette& palette) {
  for (uint32_t x = 0; x < width; ++x, out += 4) {
    uint32_t index;
    if (bits == 1) {
      index = (in[x / 8] >> (7 - x % 8)) & 1u;
    } else if (bits == 4) {
      index = x % 2 == 0 ? in[x / 2] >> 4 : in[x / 2] & 15u;
    } else {
      index = in[x];
    }
    palette.put(index, out);
  }
}

void convert_direct_row(const uint8_t* in, uint8_t* out, uint32_t width, uint32_t bits) {
  for (uint32_t x = 0; x < width; ++x, out += 4) {
    if (bits == 16) {
      const uint32_t v = in[0] + 256u * in[1];  // 5-5-5
      out[0] = static_cast<uint8_t>(((v >> 10) & 31u) * 8);
      out[1] = static_cast<uint8_t>(((v >> 5) & 31u) * 8);
      out[2] = static_cast<uint8_t>((v & 31u) * 8);
      out[3] = 0;
      in += 2;
    } else if (bits == 24) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      out[3] = 0;
      in += 3;
    } else {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      out[3] = in[3];
      in += 4;
    }
  }
}

}  // namespace

int pixels_to_rgba(const uint8_t* pixels, uint32_t pixels_size, const uint8_t* colour_table,
                   uint32_t colour_count, uint8_t** out, uint32_t width, uint32_t height,
                   uint32_t bits_per_pixel, bool use_colour_table, bool reverse_rows) {
  if (width == 0 || height == 0 || bits_per_pixel == 0 || !pixels || pixels_size == 0)
    return PIXELS_EMPTY;
  if (use_colour_table && bits_per_pixel >= 16) return PIXELS_TABLE_TOO_DEEP;
  if (!use_colour_table && bits_per_pixel < 16) return PIXELS_NEEDS_TABLE;
  if (use_colour_table && (colour_count == 0 || !colour_table)) return PIXELS_NO_MEMORY;
  if (!out) return PIXELS_NO_MEMORY;

  const uint64_t out_row = uint64_t{width} * 4;
  if (out_row * height > MAX_OUTPUT_BYTES) return PIXELS_NO_MEMORY;
  auto* buffer = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(out_row * height), 1));
  if (!buffer) return PIXELS_NO_MEMORY;
  *out = buffer;
  if (!supported_depth(bits_per_pixel, use_colour_table)) return PIXELS_BAD_DEPTH;

  const uint64_t row_bytes = bits_per_pixel < 8 ? (uint64_t{width} * bits_per_pixel + 7) / 8
                                                : uint64_t{width} * (bits_per_pixel / 8);
  const uint64_t stride = (row_bytes + 3) / 4 * 4;
  // Only whole rows inside the input are read; the others stay zero.
  const uint64_t readable = row_bytes > pixels_size ? 0 : 1 + (pixels_size - row_bytes) / stride;
  const uint32_t rows = static_cast<uint32_t>(readable < height ? readable : height);

  const Palette palette{colour_table, colour_count};
  for (uint32_t r = 0; r < rows; ++r) {
    const uint8_t* in = pixels + r * stride;
    uint8_t* row = buffer + (reverse_rows ? height - 1 - r : r) * out_row;
    if (use_colour_table) {
      convert_indexed_row(in, row, width, bits_per_pixel, palette);
    } else {
      convert_direct_row(in, row, width, bits_per_pixel);
    }
  }
  return PIXELS_OK;
}

}  // namespace vellum
