#include "render/gdi/dib.h"

#include <cairo.h>

#include <array>
#include <algorithm>
#include <bit>
#include <vector>

#include "common/checked_size.h"
#include "render/gdi/palette.h"

namespace vellum::gdi {

namespace {

enum : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };

uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue) {
  return red << 16 | green << 8 | blue;
}

// The DC's default palette as 0x00RRGGBB words.
const std::vector<uint32_t>& default_colours() {
  static const std::vector<uint32_t> colours = [] {
    std::vector<uint32_t> words;
    for (const draw::Colour& c : default_palette()->entries) words.push_back(rgb(c.red, c.green, c.blue));
    return words;
  }();
  return colours;
}

// Bytes per row, padded to `align` bytes; false past the pixel limit.
bool row_bytes(uint32_t width, uint32_t bits, uint32_t align, uint64_t* out) {
  uint64_t bits_per_row;
  if (!checked_product(width, bits, UINT64_MAX / 2, &bits_per_row)) return false;
  const uint64_t align_bits = uint64_t(align) * 8;
  *out = (bits_per_row + align_bits - 1) / align_bits * align;
  return true;
}

// One mask of a bit-field pixel, turned into an 8-bit channel.
struct Channel {
  uint32_t mask = 0, shift = 0, max = 0;
  explicit Channel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = uint32_t(std::countr_zero(m));
    max = m >> shift;
  }
  uint32_t operator()(uint32_t pixel) const {
    if (max == 0) return 0;
    const uint64_t v = (pixel & mask) >> shift;
    return uint32_t((v * 255 + max / 2) / max) & 0xFF;
  }
};

struct DirectFormat {
  Channel red, green, blue;
};

// Indexed pixels of one row (1, 4 or 8 bits, leftmost in the high bits).
uint32_t index_at(const uint8_t* row, uint32_t x, uint32_t bits) {
  switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (x & 1) ? row[x >> 1] & 15u : row[x >> 1] >> 4;
    default: return row[x];
  }
}

uint32_t direct_at(const uint8_t* row, uint32_t x, uint32_t bits, const DirectFormat& f) {
  uint32_t pixel;
  switch (bits) {
    case 16: pixel = uint32_t(row[2 * x]) | uint32_t(row[2 * x + 1]) << 8; break;
    case 24: return rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default:
      pixel = uint32_t(row[4 * x]) | uint32_t(row[4 * x + 1]) << 8 |
              uint32_t(row[4 * x + 2]) << 16 | uint32_t(row[4 * x + 3]) << 24;
  }
  return rgb(f.red(pixel), f.green(pixel), f.blue(pixel));
}

using Lookup = std::array<uint32_t, 256>;

// Uncompressed rows, `stride` bytes apart, in file order.
void convert_rows(ByteReader bits, uint64_t stride, uint32_t depth, const Lookup& lookup,
                  const DirectFormat& direct, Bitmap* out) {
  const uint32_t width = uint32_t(out->width());
  const int32_t height = out->height();
  for (int32_t r = 0; r < height; ++r) {
    const uint8_t* in = bits.data();
    bits.skip(size_t(stride));
    uint32_t* row = out->row(out->bottom_up() ? height - 1 - r : r);
    if (depth <= 8) {
      for (uint32_t x = 0; x < width; ++x) row[x] = lookup[index_at(in, x, depth)];
    } else {
      for (uint32_t x = 0; x < width; ++x) row[x] = direct_at(in, x, depth, direct);
    }
  }
  out->mark_written();
}

// RLE8/RLE4 codes into rows of colour indexes, bottom row first. Pixels the
// codes skip (end of line, delta, early end) keep index 0; runs past the
// right edge are cut, codes past the top row end the image.
void expand_rle(ByteReader code, uint32_t depth, const Lookup& lookup, Bitmap* out) {
  const uint32_t width = uint32_t(out->width());
  const uint32_t height = uint32_t(out->height());
  for (uint32_t y = 0; y < height; ++y) {
    uint32_t* row = out->row(int32_t(y));
    for (uint32_t x = 0; x < width; ++x) row[x] = lookup[0];
  }
  uint32_t x = 0, y = 0;  // y counts from the bottom row
  auto put = [&](uint32_t index) {
    if (x < width && y < height) out->row(int32_t(height - 1 - y))[x] = lookup[index & 0xFF];
    ++x;
  };
  while (y < height && code.left() >= 2) {
    const uint8_t count = code.u8();
    const uint8_t value = code.u8();
    if (count > 0) {
      for (uint32_t k = 0; k < count && x < width; ++k)
        put(depth == 8 ? value : (k & 1) ? value & 15u : value >> 4);
      continue;
    }
    if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      x = std::min<uint32_t>(x + code.u8(), width);
      y += code.u8();
    } else {
      // Absolute run: `value` indexes, padded to a whole 16-bit word.
      const uint32_t bytes = depth == 8 ? value : (value + 1u) / 2;
      ByteReader run = code.sub(bytes);
      code.skip(bytes & 1u);
      uint8_t pair = 0;
      for (uint32_t k = 0; k < value && !run.failed(); ++k) {
        if (depth == 8) {
          put(run.u8());
        } else {
          if ((k & 1) == 0) pair = run.u8();
          put((k & 1) ? pair & 15u : pair >> 4);
        }
      }
      if (run.failed()) break;
    }
  }
  out->mark_written();
}

}  // namespace

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this != &other) {
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = other.surface_;
    width_ = other.width_;
    height_ = other.height_;
    bottom_up_ = other.bottom_up_;
    other.surface_ = nullptr;
    other.width_ = other.height_ = 0;
  }
  return *this;
}

Bitmap::~Bitmap() {
  if (surface_) cairo_surface_destroy(surface_);
}

bool Bitmap::allocate(int32_t width, int32_t height, bool bottom_up) {
  *this = Bitmap();
  if (width <= 0 || height <= 0 || uint64_t(width) * uint64_t(height) > MAX_BITMAP_PIXELS)
    return false;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return false;
  }
  cairo_surface_flush(s);
  surface_ = s;
  width_ = width;
  height_ = height;
  bottom_up_ = bottom_up;
  return true;
}

uint32_t* Bitmap::row(int32_t y) {
  uint8_t* data = cairo_image_surface_get_data(surface_);
  return reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(cairo_image_surface_get_stride(surface_)));
}

const uint32_t* Bitmap::row(int32_t y) const {
  const uint8_t* data = cairo_image_surface_get_data(surface_);
  return reinterpret_cast<const uint32_t*>(
      data + size_t(y) * size_t(cairo_image_surface_get_stride(surface_)));
}

void Bitmap::mark_written() { cairo_surface_mark_dirty(surface_); }

uint32_t Bitmap::pixel(int32_t x, int32_t y) const {
  if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return row(y)[x] & 0xFFFFFF;
}


BitmapStatus decode_dib(ByteReader dib, const DibColours& colours, Bitmap* out) {
  *out = Bitmap();
  ByteReader header = dib;
  const uint32_t header_size = header.u32();
  int64_t width, height;
  uint32_t depth, compression = BI_RGB, image_size = 0, colours_used = 0;
  const bool core = header_size == 12;
  if (core) {
    width = header.u16();
    height = header.u16();
    header.skip(2);  // planes
    depth = header.u16();
  } else if (header_size >= 40) {
    width = header.i32();
    height = header.i32();
    header.skip(2);
    depth = header.u16();
    compression = header.u32();
    image_size = header.u32();
    header.skip(8);  // resolution
    colours_used = header.u32();
    header.skip(4);
  } else {
    return header.failed() ? BitmapStatus::truncated : BitmapStatus::unsupported;
  }
  ByteReader rest = dib.from(header_size);
  if (header.failed() || rest.failed()) return BitmapStatus::truncated;

  const bool top_down = height < 0;
  if (top_down) height = -height;
  if (colours.rows != 0 && colours.rows < height) height = colours.rows;
  if (width == 0 || height == 0) return BitmapStatus::empty;
  if (width < 0) return BitmapStatus::unsupported;
  const bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  const bool supported =
      (compression == BI_RGB && (depth == 1 || depth == 4 || depth == 8 || depth == 16 ||
                                 depth == 24 || depth == 32)) ||
      (compression == BI_BITFIELDS && (depth == 16 || depth == 32)) ||
      (compression == BI_RLE8 && depth == 8) || (compression == BI_RLE4 && depth == 4);
  if (!supported || (rle && top_down)) return BitmapStatus::unsupported;

  DirectFormat direct = depth == 16 ? DirectFormat{Channel(0x7C00), Channel(0x03E0), Channel(0x001F)}
                                    : DirectFormat{Channel(0xFF0000), Channel(0xFF00), Channel(0xFF)};
  if (compression == BI_BITFIELDS) {
    // A 40-byte header is followed by the three masks; larger ones hold them.
    ByteReader& masks = header_size == 40 ? rest : header;
    const uint32_t red = masks.u32(), green = masks.u32(), blue = masks.u32();
    if (masks.failed()) return BitmapStatus::truncated;
    direct = {Channel(red), Channel(green), Channel(blue)};
  }

  // The colour table: RGB entries, or 16-bit indexes into the palette.
  uint64_t entries = depth <= 8 ? uint64_t(1) << depth : 0;
  if (!core && colours_used != 0) entries = depth <= 8 ? std::min<uint64_t>(colours_used, entries) : colours_used;
  if (colours.usage == DIB_PAL_INDICES) entries = 0;
  const uint32_t entry_size = colours.usage == DIB_PAL_COLORS ? 2 : core ? 3 : 4;
  if (entries * entry_size > rest.left()) return BitmapStatus::truncated;
  const std::span<const uint32_t> palette =
      colours.palette.empty() ? std::span<const uint32_t>(default_colours()) : colours.palette;
  auto palette_colour = [&](uint32_t index) { return index < palette.size() ? palette[index] : 0; };
  Lookup lookup{};
  for (uint64_t k = 0; k < entries; ++k) {
    uint32_t colour;
    if (colours.usage == DIB_PAL_COLORS) {
      colour = palette_colour(rest.u16());
    } else {
      const uint8_t blue = rest.u8(), green = rest.u8(), red = rest.u8();
      if (!core) rest.skip(1);
      colour = rgb(red, green, blue);
    }
    if (k < lookup.size()) lookup[k] = colour;
  }
  if (colours.usage == DIB_PAL_INDICES)
    for (uint32_t k = 0; k < lookup.size(); ++k) lookup[k] = palette_colour(k);

  const uint64_t pixels = uint64_t(width) * uint64_t(height);
  if (rle) {
    ByteReader code = image_size != 0 && image_size < rest.left() ? rest.sub(image_size) : rest;
    const uint64_t cap = std::max(RLE_PIXEL_FLOOR, RLE_PIXELS_PER_BYTE * code.left());
    if (pixels > cap) return BitmapStatus::too_large;
    if (!out->allocate(int32_t(width), int32_t(height), true)) return BitmapStatus::too_large;
    expand_rle(code, depth, lookup, out);
    return BitmapStatus::ok;
  }
  uint64_t stride, bytes;
  if (!row_bytes(uint32_t(width), depth, 4, &stride) ||
      !checked_product(stride, uint64_t(height), rest.left(), &bytes))
    return BitmapStatus::truncated;
  if (!out->allocate(int32_t(width), int32_t(height), !top_down)) return BitmapStatus::too_large;
  convert_rows(rest, stride, depth, lookup, direct, out);
  return BitmapStatus::ok;
}

bool read_bitmap16_header(ByteReader& r, Bitmap16Header* h) {
  h->type = r.i16();
  h->width = r.i16();
  h->height = r.i16();
  h->width_bytes = r.i16();
  h->planes = r.u8();
  h->bits_per_pixel = r.u8();
  return !r.failed();
}

BitmapStatus decode_bitmap16(const Bitmap16Header& h, ByteReader bits, uint32_t foreground,
                             uint32_t background, Bitmap* out) {
  *out = Bitmap();
  if (h.width <= 0 || h.height <= 0) return BitmapStatus::empty;
  const uint32_t depth = h.bits_per_pixel;
  if (h.planes != 1 ||
      !(depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32))
    return BitmapStatus::unsupported;
  uint64_t needed, bytes;
  row_bytes(uint32_t(h.width), depth, 1, &needed);
  if (h.width_bytes < 0 || uint64_t(h.width_bytes) < needed ||
      !checked_product(uint64_t(h.width_bytes), uint64_t(h.height), bits.left(), &bytes))
    return BitmapStatus::truncated;
  // Device colours: the 16 VGA colours for 4 bits, the 20 static colours at
  // both ends of an 8-bit palette.
  Lookup lookup{};
  if (depth == 1) {
    lookup[0] = foreground;
    lookup[1] = background;
  } else if (depth == 4) {
    for (uint32_t k = 0; k < 16; ++k) lookup[k] = default_colours()[k < 8 ? k : k + 4];
  } else if (depth == 8) {
    for (uint32_t k = 0; k < 10; ++k) {
      lookup[k] = default_colours()[k];
      lookup[246 + k] = default_colours()[10 + k];
    }
  }
  const DirectFormat direct{Channel(depth == 16 ? 0x7C00 : 0xFF0000),
                            Channel(depth == 16 ? 0x03E0 : 0xFF00),
                            Channel(depth == 16 ? 0x001F : 0xFF)};
  if (!out->allocate(h.width, h.height, false)) return BitmapStatus::too_large;
  convert_rows(bits, uint64_t(h.width_bytes), depth, lookup, direct, out);
  return BitmapStatus::ok;
}

}  // namespace vellum::gdi
