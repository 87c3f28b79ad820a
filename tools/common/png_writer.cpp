#include "tools/common/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <vector>

namespace vellum::tools {
namespace {

void write_bytes(png_structp png, png_bytep data, size_t length) {
  if (!static_cast<OutputFile*>(png_get_io_ptr(png))->write(data, length)) png_error(png, "write failed");
}

void flush_nothing(png_structp) {}

// The caller reports the output's own reason; libpng stays quiet.
[[noreturn]] void stop_quietly(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignore_warning(png_structp, png_const_charp) {}

bool all_opaque(const uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (pixels[i] >> 24 != 0xFF) return false;
  return true;
}

// One row of premultiplied ARGB as straight RGB or RGBA bytes.
void unpremultiply_row(const uint32_t* in, uint32_t width, bool alpha, png_byte* out) {
  for (uint32_t x = 0; x < width; ++x) {
    const uint32_t p = in[x];
    const uint32_t a = p >> 24;
    uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
    if (a != 0xFF && a != 0) {
      r = (r * 255 + a / 2) / a;
      g = (g * 255 + a / 2) / a;
      b = (b * 255 + a / 2) / a;
    }
    *out++ = png_byte(r);
    *out++ = png_byte(g);
    *out++ = png_byte(b);
    if (alpha) *out++ = png_byte(a);
  }
}

// Kept apart from write_png so nothing with a destructor lives across setjmp.
bool encode(png_structp png, png_infop info, const uint32_t* pixels, uint32_t width, uint32_t height,
            bool alpha, png_byte* row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_compression_level(png, 6);
  png_set_compression_strategy(png, Z_RLE);
  png_write_info(png, info);
  for (uint32_t y = 0; y < height; ++y) {
    unpremultiply_row(pixels + size_t(y) * width, width, alpha, row);
    png_write_row(png, row);
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

bool write_png(const uint32_t* pixels, uint32_t width, uint32_t height, OutputFile* out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, stop_quietly, ignore_warning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  const bool alpha = !all_opaque(pixels, size_t(width) * height);
  std::vector<png_byte> row(size_t(width) * (alpha ? 4 : 3));
  bool written = false;
  if (info) {
    png_set_write_fn(png, out, write_bytes, flush_nothing);
    written = encode(png, info, pixels, width, height, alpha, row.data());
  }
  png_destroy_write_struct(&png, &info);
  return written;
}

}  // namespace vellum::tools
