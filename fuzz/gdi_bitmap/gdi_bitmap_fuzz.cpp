// Bitmap and region bytes as the GDI player's raster records hand them
// over: the first byte picks the colour usage, the operation and the
// stretch mode, the second a destination size; the rest is a packed DIB
// (or a Bitmap16 with its header), drawn with the ROP onto a small image,
// and read once more as region scans.
#include <cairo.h>

#include <cstdint>
#include <vector>

#include "render/gdi/blit.h"
#include "render/gdi/dib.h"
#include "render/gdi/region.h"

namespace {

constexpr uint32_t ROPS[] = {0x00CC0020, 0x008800C6, 0x00EE0086, 0x00660046,
                             0x00F00021, 0x005A0049, 0x00550009, 0x00B8074A};

void draw(const vellum::gdi::Bitmap& bitmap, uint8_t pick, uint8_t size) {
  using namespace vellum::gdi;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 24, 24);
  cairo_t* cr = cairo_create(surface);
  const uint32_t tile[4] = {0xFFFF0000u, 0, 0xFF00FF00u, 0xFF0000FFu};
  const BlitPattern pattern{0, tile, 2, 2};
  const BlitSource source{&bitmap, size & 3, (size >> 2) & 3, bitmap.width() - 2 * (size & 1),
                          bitmap.height()};
  const double w = (size >> 4) - 4, h = (size & 15) - 4;
  blit(cr, {3, 20, 3 + w * 3, 20 - h * 3}, ROPS[pick & 7], &source, &pattern, 1 + ((pick >> 3) & 3));
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

void scans(const uint8_t* data, size_t size) {
  using namespace vellum::gdi;
  vellum::ByteReader in(data, size, vellum::ByteOrder::little);
  RegionBuilder builder;
  std::vector<Span> spans;
  while (in.left() >= 6) {
    const uint16_t count = in.u16();
    const int16_t top = in.i16(), bottom = in.i16();
    spans.resize(std::min<size_t>(count / 2, in.left() / 4));
    for (Span& s : spans) s = {in.i16(), in.i16()};
    builder.add_band(top, bottom, spans);
  }
  Region region, other(IRect{-5, -5, 50, 9});
  if (!builder.finish(&region)) return;
  Region copy = region;
  copy.exclusive_or(other);
  copy.subtract(IRect{0, 0, 10, 10});
  copy.offset(7, -3);
  region.intersect(copy);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vellum::gdi;
  if (size < 2 || size > (1u << 20)) return 0;
  const uint8_t pick = data[0], dest = data[1];
  vellum::ByteReader bytes(data + 2, size - 2, vellum::ByteOrder::little);
  const std::vector<uint32_t> palette{0x123456, 0xFFFFFF, 0x000000};
  Bitmap bitmap;
  if (pick & 0x80) {
    vellum::ByteReader r = bytes;
    Bitmap16Header header;
    if (read_bitmap16_header(r, &header) &&
        decode_bitmap16(header, r, 0xFF0000, 0x00FF00, &bitmap) == BitmapStatus::ok)
      draw(bitmap, pick, dest);
  } else {
    const DibColours colours{uint16_t((pick >> 5) % 3), palette, uint32_t(pick & 0x10 ? 3 : 0)};
    if (decode_dib(bytes, colours, &bitmap) == BitmapStatus::ok) draw(bitmap, pick, dest);
  }
  scans(data + 2, size - 2);
  return 0;
}
