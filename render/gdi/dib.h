// Bitmaps of the bitmap records and pattern brushes, decoded from the
// record's bytes into opaque cairo images (RGB24, row 0 at the top):
// device-independent bitmaps (core and info headers; 1, 4, 8, 16, 24 and
// 32 bits; RLE4, RLE8 and bit fields; RGB or palette-index colour tables;
// rows bottom-up or top-down) and the old device-dependent Bitmap16.
//
// Every size a header claims is checked against the bytes present before
// anything is allocated: uncompressed bits must all be there, and an RLE
// image may not claim more than RLE_PIXELS_PER_BYTE pixels per byte of
// code (at least RLE_PIXEL_FLOOR); no image passes MAX_BITMAP_PIXELS.
#pragma once

#include <cstdint>
#include <span>

#include "common/byte_reader.h"

typedef struct _cairo_surface cairo_surface_t;

namespace vellum::gdi {

// ColorUsage of the DIB records and DIB pattern brushes.
enum : uint16_t { DIB_RGB_COLORS = 0, DIB_PAL_COLORS = 1, DIB_PAL_INDICES = 2 };

inline constexpr uint64_t MAX_BITMAP_PIXELS = uint64_t(1) << 25;
inline constexpr uint64_t RLE_PIXELS_PER_BYTE = 1024;
inline constexpr uint64_t RLE_PIXEL_FLOOR = uint64_t(1) << 20;

enum class BitmapStatus {
  ok,
  empty,        // zero width or height
  truncated,    // header, colour table or bits run past the record
  too_large,    // more pixels than the limits allow for these bytes
  unsupported,  // depth, compression or planes GDI does not draw on a display
};

// A decoded bitmap; owns its surface.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  Bitmap(Bitmap&& other) noexcept { *this = static_cast<Bitmap&&>(other); }
  Bitmap& operator=(Bitmap&& other) noexcept;
  ~Bitmap();

  explicit operator bool() const { return surface_ != nullptr; }
  cairo_surface_t* surface() const { return surface_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  // The file stored the rows bottom first: a source y in a record counts
  // from the bottom row.
  bool bottom_up() const { return bottom_up_; }
  // 0x00RRGGBB of a pixel (row 0 at the top); 0 outside.
  uint32_t pixel(int32_t x, int32_t y) const;

  // An uninitialised image; false (and no image) when it cannot be made.
  bool allocate(int32_t width, int32_t height, bool bottom_up);
  // Row y (0 = top) as 0x00RRGGBB words (the top byte is unused); call
  // mark_written() after writing.
  uint32_t* row(int32_t y);
  const uint32_t* row(int32_t y) const;
  void mark_written();

 private:
  cairo_surface_t* surface_ = nullptr;
  int32_t width_ = 0, height_ = 0;
  bool bottom_up_ = false;
};

// How the colour table of a DIB is read: RGBQUADs, or 16-bit indexes into
// `palette` (the selected palette as 0x00RRGGBB, the DC's default palette
// when empty; an index past it gives black). DIB_PAL_INDICES has no table:
// pixels index `palette` directly.
// `rows`, when not 0, is how many rows the bits hold if fewer than the
// header says (SETDIBTODEV's scan count): the image is that many rows high.
struct DibColours {
  uint16_t usage = DIB_RGB_COLORS;
  std::span<const uint32_t> palette;
  uint32_t rows = 0;
};

// Reads a packed DIB (header, masks, colour table, bits) from `dib`, which
// should end where the record ends.
BitmapStatus decode_dib(ByteReader dib, const DibColours& colours, Bitmap* out);

// The Bitmap16 fields before the bits.
struct Bitmap16Header {
  int16_t type, width, height, width_bytes;
  uint8_t planes, bits_per_pixel;
};
// Reads the 10 header bytes; false when they are not all there.
bool read_bitmap16_header(ByteReader& r, Bitmap16Header* header);

// Top-down rows of width_bytes each, no colour table: 1 bit per pixel takes
// `foreground` for 0 bits and `background` for 1 bits (a monochrome bitmap
// drawn on a colour device), 4 and 8 bits index the default palette, 16 bits
// are 5-5-5, 24 and 32 bits blue, green, red(, unused).
BitmapStatus decode_bitmap16(const Bitmap16Header& header, ByteReader bits,
                             uint32_t foreground, uint32_t background, Bitmap* out);

}  // namespace vellum::gdi
