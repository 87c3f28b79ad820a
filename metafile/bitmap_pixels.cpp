#include "metafile/bitmap_pixels.h"

#include <algorithm>
#include <cstdint>
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
  ByteReader entries;  // blue, green, red, reserved

  // An index past the table is not read: it gives black.
  void put(uint32_t index, uint8_t* out) const {
    ByteReader entry = entries.from(4 * size_t{index});
    if (entry.left() < 4) {
      out[0] = out[1] = out[2] = out[3] = 0;
      return;
    }
    const uint8_t blue = entry.u8(), green = entry.u8(), red = entry.u8();
    out[0] = red;
    out[1] = green;
    out[2] = blue;
    out[3] = entry.u8();
  }
};

// Indexed pixels take a new input byte at every pixel whose index is a
// multiple of 8 (1 bit) or of 2 (4 bits), most significant bits first.
void convert_indexed_row(ByteReader in, uint8_t* out, uint32_t width, uint32_t bits,
                         const Palette& palette) {
  uint8_t byte = 0;
  for (uint32_t x = 0; x < width; ++x, out += 4) {
    uint32_t index;
    if (bits == 1) {
      if (x % 8 == 0) byte = in.u8();
      index = (byte >> (7 - x % 8)) & 1u;
    } else if (bits == 4) {
      if (x % 2 == 0) byte = in.u8();
      index = x % 2 == 0 ? byte >> 4 : byte & 15u;
    } else {
      index = in.u8();
    }
    palette.put(index, out);
  }
}

void convert_direct_row(ByteReader in, uint8_t* out, uint32_t width, uint32_t bits) {
  for (uint32_t x = 0; x < width; ++x, out += 4) {
    if (bits == 16) {
      const uint32_t low = in.u8();
      const uint32_t v = low + 256u * in.u8();  // 5-5-5
      out[0] = static_cast<uint8_t>(((v >> 10) & 31u) * 8);
      out[1] = static_cast<uint8_t>(((v >> 5) & 31u) * 8);
      out[2] = static_cast<uint8_t>((v & 31u) * 8);
      out[3] = 0;
    } else {
      const uint8_t blue = in.u8(), green = in.u8(), red = in.u8();
      out[0] = red;
      out[1] = green;
      out[2] = blue;
      out[3] = bits == 32 ? in.u8() : 0;
    }
  }
}

}  // namespace

int pixels_to_rgba(const uint8_t* pixels, uint32_t pixels_size, const uint8_t* colour_table,
                   uint32_t colour_count, uint8_t** out, uint32_t width, uint32_t height,
                   uint32_t bits_per_pixel, bool use_colour_table, bool reverse_rows) {
  const uint64_t table_bytes = 4ull * colour_count;
  return pixels_to_rgba(ByteReader(pixels, pixels_size),
                        ByteReader(colour_table, size_t(std::min<uint64_t>(table_bytes, SIZE_MAX))),
                        out, width, height, bits_per_pixel, use_colour_table, reverse_rows);
}

int pixels_to_rgba(ByteReader pixels, ByteReader colour_table, uint8_t** out, uint32_t width,
                   uint32_t height, uint32_t bits_per_pixel, bool use_colour_table,
                   bool reverse_rows) {
  if (width == 0 || height == 0 || bits_per_pixel == 0 || pixels.left() == 0) return PIXELS_EMPTY;
  if (use_colour_table && bits_per_pixel >= 16) return PIXELS_TABLE_TOO_DEEP;
  if (!use_colour_table && bits_per_pixel < 16) return PIXELS_NEEDS_TABLE;
  if (use_colour_table && colour_table.left() < 4) return PIXELS_NO_MEMORY;
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
  const uint64_t size = pixels.left();
  const uint64_t readable = row_bytes > size ? 0 : 1 + (size - row_bytes) / stride;
  const uint32_t rows = static_cast<uint32_t>(readable < height ? readable : height);

  const Palette palette{colour_table};
  for (uint32_t r = 0; r < rows; ++r) {
    const ByteReader in = pixels.sub(size_t(row_bytes));
    pixels.skip(size_t(stride - row_bytes));  // the last row's padding may be missing
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
