#include "picture_drawing.h"

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "common/byte_reader.h"
#if QUIRE_WITH_GDI_PLAYER
#include "render/gdi/gdi_player.h"
#endif

namespace quire {
namespace {

using vellum::ByteOrder;
using vellum::ByteReader;

constexpr int32_t MAX_SIDE = 16384;
constexpr uint64_t MAX_PIXELS = 64ull << 20;

bool sane_size(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= MAX_SIDE && height <= MAX_SIDE &&
         static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= MAX_PIXELS;
}

// PNG through cairo, read from memory.
struct PngSource {
  const uint8_t* data;
  size_t left;
};
cairo_status_t read_png(void* closure, unsigned char* out, unsigned int length) {
  auto* source = static_cast<PngSource*>(closure);
  if (length > source->left) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, source->data, length);
  source->data += length;
  source->left -= length;
  return CAIRO_STATUS_SUCCESS;
}
cairo_surface_t* decode_png(const std::vector<uint8_t>& bytes) {
  PngSource source{bytes.data(), bytes.size()};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(read_png, &source);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  return surface;
}

// JPEG through libjpeg: errors jump back here instead of exiting.
struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf back;
};
void jpeg_fail(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->back, 1); }
void jpeg_quiet(j_common_ptr, int) {}

// Kept free of C++ objects with destructors: longjmp passes over this frame.
bool decode_jpeg_into(const uint8_t* data, size_t size, cairo_surface_t** out) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = jpeg_fail;
  error.manager.emit_message = jpeg_quiet;
  cairo_surface_t* volatile surface = nullptr;
  JSAMPLE* volatile row = nullptr;
  if (setjmp(error.back)) {
    jpeg_destroy_decompress(&info);
    if (surface) cairo_surface_destroy(surface);
    std::free(row);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  if (!sane_size(info.output_width, info.output_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(info.output_width),
                                       static_cast<int>(info.output_height));
  const int components = info.output_components;
  row = static_cast<JSAMPLE*>(std::malloc(static_cast<size_t>(info.output_width) * components));
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  if (!row || !pixels) std::longjmp(error.back, 1);
  while (info.output_scanline < info.output_height) {
    const JDIMENSION y = info.output_scanline;
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&info, rows, 1);
    auto* target = reinterpret_cast<uint32_t*>(pixels + static_cast<size_t>(y) * stride);
    for (JDIMENSION x = 0; x < info.output_width; ++x) {
      const JSAMPLE* p = row + static_cast<size_t>(x) * components;
      uint32_t r = p[0], g = components > 1 ? p[1] : p[0], b = components > 2 ? p[2] : p[0];
      if (cmyk && components == 4) {  // Adobe's inverted CMYK
        r = p[0] * p[3] / 255;
        g = p[1] * p[3] / 255;
        b = p[2] * p[3] / 255;
      }
      target[x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::free(row);
  cairo_surface_mark_dirty(surface);
  *out = surface;
  return true;
}

// A packed DIB: BITMAPINFOHEADER, palette, bottom-up rows; 1, 4, 8, 24 and 32 bits, uncompressed.
cairo_surface_t* decode_dib(const std::vector<uint8_t>& bytes) {
  ByteReader in(bytes.data(), bytes.size(), ByteOrder::little);
  const uint32_t header = in.u32();
  const int32_t width = in.i32(), raw_height = in.i32();
  in.u16();
  const uint16_t bits = in.u16();
  const uint32_t compression = in.u32();
  in.skip(12);
  uint32_t used = in.u32();
  if (in.failed() || header < 40 || (compression != 0 && compression != 3)) return nullptr;
  const bool top_down = raw_height < 0;
  const int64_t height = top_down ? -int64_t{raw_height} : raw_height;
  if (!sane_size(width, height)) return nullptr;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return nullptr;
  const uint32_t colours = bits <= 8 ? (used && used <= (1u << bits) ? used : 1u << bits) : 0;
  ByteReader palette = ByteReader(bytes.data(), bytes.size(), ByteOrder::little).from(header);
  std::vector<uint32_t> table(colours);
  for (uint32_t& entry : table) entry = palette.u32() & 0xFFFFFF;
  size_t masks = compression == 3 && header == 40 ? 12 : 0;
  const size_t row_bytes = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  ByteReader rows = ByteReader(bytes.data(), bytes.size(), ByteOrder::little).from(header + 4u * colours + masks);
  if (palette.failed() || rows.failed() || rows.left() / row_bytes < static_cast<size_t>(height)) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, static_cast<int>(height));
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  if (!pixels) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  const int stride = cairo_image_surface_get_stride(surface);
  for (int64_t r = 0; r < height; ++r) {
    const uint8_t* src = rows.data() + static_cast<size_t>(r) * row_bytes;
    const int64_t y = top_down ? r : height - 1 - r;
    auto* target = reinterpret_cast<uint32_t*>(pixels + static_cast<size_t>(y) * stride);
    for (int32_t x = 0; x < width; ++x) {
      uint32_t colour = 0;
      switch (bits) {
        case 1: colour = table[(src[x / 8] >> (7 - x % 8)) & 1]; break;
        case 4: colour = table[std::min<uint32_t>((src[x / 2] >> (x % 2 ? 0 : 4)) & 0xF, colours - 1)]; break;
        case 8: colour = table[std::min<uint32_t>(src[x], colours - 1)]; break;
        case 24: colour = uint32_t{src[3 * x + 2]} << 16 | uint32_t{src[3 * x + 1]} << 8 | src[3 * x]; break;
        case 32: colour = uint32_t{src[4 * x + 2]} << 16 | uint32_t{src[4 * x + 1]} << 8 | src[4 * x]; break;
      }
      target[x] = 0xFF000000u | colour;
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

void grey_box(cairo_t* cr, double width, double height) {
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
  cairo_fill(cr);
}

}  // namespace

cairo_surface_t* decode_bitmap(const Picture& picture) {
  if (picture.bytes.empty()) return nullptr;
  switch (picture.format) {
    case PictureFormat::PNG: return decode_png(picture.bytes);
    case PictureFormat::JPEG: {
      cairo_surface_t* surface = nullptr;
      return decode_jpeg_into(picture.bytes.data(), picture.bytes.size(), &surface) ? surface : nullptr;
    }
    case PictureFormat::DIB: return decode_dib(picture.bytes);
    default: return nullptr;
  }
}

void draw_picture(cairo_t* cr, const Picture& picture, double x, double y, double width, double height) {
  if (width <= 0 || height <= 0) return;
  const double keep_x = std::max(0.05, 1.0 - picture.crop_left - picture.crop_right);
  const double keep_y = std::max(0.05, 1.0 - picture.crop_top - picture.crop_bottom);
  const double full_width = width / keep_x, full_height = height / keep_y;
  cairo_save(cr);
  cairo_rectangle(cr, x, y, width, height);
  cairo_clip(cr);
  cairo_translate(cr, x - picture.crop_left * full_width, y - picture.crop_top * full_height);
  switch (picture.format) {
    case PictureFormat::WMF:
#if QUIRE_WITH_GDI_PLAYER
      vellum::gdi::play(picture.bytes.data(), picture.bytes.size(), cr, full_width, full_height, nullptr);
#endif
      break;
    case PictureFormat::PNG:
    case PictureFormat::JPEG:
    case PictureFormat::DIB:
      if (cairo_surface_t* image = decode_bitmap(picture)) {
        const double w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
        cairo_scale(cr, full_width / w, full_height / h);
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_surface_destroy(image);
      }
      break;
    case PictureFormat::EMF:
    case PictureFormat::PICT:
    case PictureFormat::TIFF:
      grey_box(cr, full_width, full_height);
      break;
    case PictureFormat::NONE: break;
  }
  cairo_restore(cr);
}

}  // namespace quire
