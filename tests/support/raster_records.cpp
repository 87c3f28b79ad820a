#include "tests/support/raster_records.h"

#include <algorithm>

namespace vellum::test {

Dib& Dib::pixels(const std::vector<uint32_t>& values) {
  const int rows = height < 0 ? -height : height;
  const size_t stride = (size_t(width) * size_t(bits_per_pixel) + 31) / 32 * 4;
  bits.assign(stride * size_t(rows), 0);
  for (int r = 0; r < rows; ++r) {
    uint8_t* row = bits.data() + stride * size_t(height < 0 ? r : rows - 1 - r);
    for (int x = 0; x < width; ++x) {
      const uint32_t v = values.at(size_t(r) * size_t(width) + size_t(x));
      switch (bits_per_pixel) {
        case 1: row[x / 8] |= uint8_t((v & 1) << (7 - x % 8)); break;
        case 4: row[x / 2] |= uint8_t((v & 15) << (x % 2 ? 0 : 4)); break;
        case 8: row[x] = uint8_t(v); break;
        case 16: row[2 * x] = uint8_t(v); row[2 * x + 1] = uint8_t(v >> 8); break;
        case 24:
          row[3 * x] = uint8_t(v);
          row[3 * x + 1] = uint8_t(v >> 8);
          row[3 * x + 2] = uint8_t(v >> 16);
          break;
        default:
          for (int k = 0; k < 4; ++k) row[4 * x + k] = uint8_t(v >> (8 * k));
      }
    }
  }
  return *this;
}

std::vector<uint8_t> Dib::bytes() const {
  std::vector<uint8_t> out;
  if (core_header) {
    put_u32(out, 12);
    put_u16(out, uint16_t(width));
    put_u16(out, uint16_t(height));
    put_u16(out, 1);
    put_u16(out, uint16_t(bits_per_pixel));
  } else {
    put_u32(out, 40);
    put_u32(out, uint32_t(width));
    put_u32(out, uint32_t(height));
    put_u16(out, 1);
    put_u16(out, uint16_t(bits_per_pixel));
    put_u32(out, compression);
    put_u32(out, compression == 1 || compression == 2 ? uint32_t(bits.size()) : 0);
    put_u32(out, 2835);
    put_u32(out, 2835);
    put_u32(out, colours_used);
    put_u32(out, 0);
  }
  for (uint32_t m : masks) put_u32(out, m);
  for (uint32_t c : colours) {
    out.push_back(uint8_t(c));
    out.push_back(uint8_t(c >> 8));
    out.push_back(uint8_t(c >> 16));
    if (!core_header) out.push_back(0);
  }
  for (uint16_t i : palette_indexes) put_u16(out, i);
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}

WmfBuilder& dib_bit_blt(WmfBuilder& wmf, int x, int y, int width, int height, int src_x,
                        int src_y, uint32_t rop, const Dib& dib) {
  return wmf.record(0x40, 0x09)
      .dword(rop)
      .words({src_y, src_x, height, width, y, x})
      .bytes(dib.bytes())
      .end();
}

WmfBuilder& dib_stretch_blt(WmfBuilder& wmf, int x, int y, int width, int height, int src_x,
                            int src_y, int src_width, int src_height, uint32_t rop,
                            const Dib& dib) {
  return wmf.record(0x41, 0x0B)
      .dword(rop)
      .words({src_height, src_width, src_y, src_x, height, width, y, x})
      .bytes(dib.bytes())
      .end();
}

WmfBuilder& stretch_dib(WmfBuilder& wmf, int x, int y, int width, int height, int src_x,
                        int src_y, int src_width, int src_height, uint32_t rop,
                        const Dib& dib, int usage) {
  return wmf.record(0x43, 0x0F)
      .dword(rop)
      .words({usage, src_height, src_width, src_y, src_x, height, width, y, x})
      .bytes(dib.bytes())
      .end();
}

WmfBuilder& set_dib_to_dev(WmfBuilder& wmf, int x, int y, int width, int height, int src_x,
                           int src_y, int start_scan, int scan_count, const Dib& dib,
                           int usage) {
  return wmf.record(0x33, 0x0D)
      .words({usage, scan_count, start_scan, src_y, src_x, height, width, y, x})
      .bytes(dib.bytes())
      .end();
}

WmfBuilder& dib_create_pattern_brush(WmfBuilder& wmf, const Dib& dib, int style, int usage) {
  return wmf.record(0x42, 0x01).words({style, usage}).bytes(dib.bytes()).end();
}

WmfBuilder& create_pattern_brush(WmfBuilder& wmf, const Bitmap16& bitmap) {
  RecordWriter r = wmf.record(0xF9, 0x01);
  r.words({0, bitmap.width, bitmap.height, bitmap.bytes_per_row});
  r.bytes({bitmap.planes, bitmap.bits_per_pixel});
  r.dword(0);  // bits pointer
  r.bytes(std::vector<uint8_t>(18, 0));
  return r.bytes(bitmap.pixels).end();
}

WmfBuilder& create_palette(WmfBuilder& wmf, const std::vector<uint32_t>& colours) {
  RecordWriter r = wmf.record(0xF7, 0x00);
  r.words({0x300, int(colours.size())});
  for (uint32_t c : colours) r.colour(uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c));
  return r.end();
}

WmfBuilder& select_palette(WmfBuilder& wmf, int index) {
  return wmf.record(0x34, 0x02).word(index).end();
}

WmfBuilder& set_stretch_blt_mode(WmfBuilder& wmf, int mode) {
  return wmf.record(0x07, 0x01).word(mode).end();
}

WmfBuilder& set_rop2(WmfBuilder& wmf, int mode) {
  return wmf.record(0x04, 0x01).word(mode).end();
}

WmfBuilder& create_region(WmfBuilder& wmf, const std::vector<Scan>& scans) {
  std::vector<uint8_t> body;
  int left = 0, top = 0, right = 0, bottom = 0, max_scan = 0;
  bool first = true;
  for (const Scan& s : scans) {
    const int count = int(s.spans.size()) * 2;
    max_scan = std::max(max_scan, count);
    put_u16(body, uint16_t(count));
    put_u16(body, uint16_t(s.top));
    put_u16(body, uint16_t(s.bottom));
    for (const auto& [l, r] : s.spans) {
      put_u16(body, uint16_t(l));
      put_u16(body, uint16_t(r));
      if (first || l < left) left = l;
      if (first || r > right) right = r;
      first = false;
    }
    put_u16(body, uint16_t(count));
  }
  if (!scans.empty()) {
    top = scans.front().top;
    bottom = scans.back().bottom;
  }
  RecordWriter r = wmf.record(0xFF, 0x06);
  r.word(0).word(6).dword(0);
  r.words({int(22 + body.size()), int(scans.size()), max_scan, left, top, right, bottom});
  return r.bytes(body).end();
}

WmfBuilder& fill_region(WmfBuilder& wmf, int region, int brush) {
  return wmf.record(0x28, 0x02).words({brush, region}).end();
}

WmfBuilder& frame_region(WmfBuilder& wmf, int region, int brush, int width, int height) {
  return wmf.record(0x29, 0x04).words({height, width, brush, region}).end();
}

WmfBuilder& paint_region(WmfBuilder& wmf, int region) {
  return wmf.record(0x2B, 0x01).word(region).end();
}

WmfBuilder& invert_region(WmfBuilder& wmf, int region) {
  return wmf.record(0x2A, 0x01).word(region).end();
}

WmfBuilder& select_clip_region(WmfBuilder& wmf, int region) {
  return wmf.record(0x2C, 0x01).word(region).end();
}

WmfBuilder& exclude_clip_rect(WmfBuilder& wmf, int left, int top, int right, int bottom) {
  return wmf.record(0x15, 0x04).words({bottom, right, top, left}).end();
}

WmfBuilder& offset_clip_rgn(WmfBuilder& wmf, int dx, int dy) {
  return wmf.record(0x20, 0x02).words({dy, dx}).end();
}

}  // namespace vellum::test
