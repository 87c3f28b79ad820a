// Test fixtures for the bitmap, region and clip records: device-independent
// bitmaps written field by field, and the records that carry them, as free
// functions over a WmfBuilder.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/wmf_builder.h"

namespace vellum::test {

struct Dib {
  int width = 0, height = 0;  // height < 0: rows stored top-down
  int bits_per_pixel = 24;
  uint32_t compression = 0;   // BI_RGB 0, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3
  bool core_header = false;   // 12-byte header with 3-byte table entries
  uint32_t colours_used = 0;
  std::vector<uint32_t> colours;           // table as 0xRRGGBB
  std::vector<uint16_t> palette_indexes;   // table for DIB_PAL_COLORS, instead of colours
  std::vector<uint32_t> masks;             // red, green, blue after a 40-byte header
  std::vector<uint8_t> bits;               // stored rows, padding included, or RLE codes

  // Stores `values` (top row first; indexes, 16-bit words, or 0xRRGGBB for
  // 24 and 32 bits) as rows padded to 4 bytes, bottom-up unless height < 0.
  Dib& pixels(const std::vector<uint32_t>& values);
  std::vector<uint8_t> bytes() const;
};

// A region scan: rows [top, bottom), spans of (left, right) pairs.
struct Scan {
  int top, bottom;
  std::vector<std::pair<int, int>> spans;
};

WmfBuilder& dib_bit_blt(WmfBuilder& wmf, int x, int y, int width, int height, int src_x,
                        int src_y, uint32_t rop, const Dib& dib);
WmfBuilder& dib_stretch_blt(WmfBuilder& wmf, int x, int y, int width, int height, int src_x,
                            int src_y, int src_width, int src_height, uint32_t rop,
                            const Dib& dib);
WmfBuilder& stretch_dib(WmfBuilder& wmf, int x, int y, int width, int height, int src_x,
                        int src_y, int src_width, int src_height, uint32_t rop,
                        const Dib& dib, int usage = 0);
WmfBuilder& set_dib_to_dev(WmfBuilder& wmf, int x, int y, int width, int height, int src_x,
                           int src_y, int start_scan, int scan_count, const Dib& dib,
                           int usage = 0);
WmfBuilder& dib_create_pattern_brush(WmfBuilder& wmf, const Dib& dib, int style = 5,
                                     int usage = 0);
WmfBuilder& create_pattern_brush(WmfBuilder& wmf, const Bitmap16& bitmap);
WmfBuilder& create_palette(WmfBuilder& wmf, const std::vector<uint32_t>& colours);
WmfBuilder& select_palette(WmfBuilder& wmf, int index);
WmfBuilder& set_stretch_blt_mode(WmfBuilder& wmf, int mode);
WmfBuilder& set_rop2(WmfBuilder& wmf, int mode);

// CREATEREGION from scans as given (nothing sorted or checked).
WmfBuilder& create_region(WmfBuilder& wmf, const std::vector<Scan>& scans);
WmfBuilder& fill_region(WmfBuilder& wmf, int region, int brush);
WmfBuilder& frame_region(WmfBuilder& wmf, int region, int brush, int width, int height);
WmfBuilder& paint_region(WmfBuilder& wmf, int region);
WmfBuilder& invert_region(WmfBuilder& wmf, int region);
WmfBuilder& select_clip_region(WmfBuilder& wmf, int region);
WmfBuilder& exclude_clip_rect(WmfBuilder& wmf, int left, int top, int right, int bottom);
WmfBuilder& offset_clip_rgn(WmfBuilder& wmf, int dx, int dy);

}  // namespace vellum::test
