// Pixel arrays into rast ports: the ARGB32 bitmap of a rast port takes
// blended or filled rectangles, clipped to its own extent.
#include <cstring>

#include <proto/cybergraphics.h>

namespace {

struct Span {
  ULONG x, y, width, height;  // inside the bitmap; width or height 0 when nothing is left
};

// The part of the rectangle that lies on rp's ARGB32 bitmap.
Span clip_to_bitmap(const struct RastPort* rp, ULONG x, ULONG y, ULONG width, ULONG height) {
  Span span = {x, y, 0, 0};
  if (!rp || !rp->BitMap || rp->BitMap->Depth != 32 || !rp->BitMap->Planes[0]) return span;
  ULONG bitmapWidth = rp->BitMap->BytesPerRow / 4;
  ULONG rows = rp->BitMap->Rows;
  if (x >= bitmapWidth || y >= rows) return span;
  span.width = width < bitmapWidth - x ? width : bitmapWidth - x;
  span.height = height < rows - y ? height : rows - y;
  return span;
}

ULONG* row_at(const struct RastPort* rp, ULONG x, ULONG y) {
  return reinterpret_cast<ULONG*>(rp->BitMap->Planes[0] + size_t(y) * rp->BitMap->BytesPerRow) + x;
}

// One channel of premultiplied "source over destination".
inline ULONG blend_channel(ULONG src, ULONG dst, ULONG srcAlpha) {
  return src + (dst * (255 - srcAlpha) + 127) / 255;
}

// src scaled by alpha (0..255), then laid over dst.
ULONG blend(ULONG src, ULONG dst, ULONG alpha) {
  if (alpha != 255) {
    ULONG scaled = 0;
    for (int shift = 0; shift < 32; shift += 8)
      scaled |= ((((src >> shift) & 0xFF) * alpha + 127) / 255) << shift;
    src = scaled;
  }
  ULONG srcAlpha = src >> 24;
  if (srcAlpha == 255) return src;
  if (srcAlpha == 0 && (src & 0xFFFFFF) == 0) return dst;
  ULONG out = 0;
  for (int shift = 0; shift < 32; shift += 8)
    out |= blend_channel((src >> shift) & 0xFF, (dst >> shift) & 0xFF, srcAlpha) << shift;
  return out;
}

}  // namespace

extern "C" ULONG WritePixelArrayAlpha(APTR srcRect, UWORD srcX, UWORD srcY, UWORD srcMod,
                                      struct RastPort* rp, UWORD destX, UWORD destY,
                                      UWORD width, UWORD height, ULONG globalAlpha) {
  if (!srcRect) return 0;
  Span span = clip_to_bitmap(rp, destX, destY, width, height);
  ULONG alpha = globalAlpha >> 24;
  const auto* source = static_cast<const UBYTE*>(srcRect);
  for (ULONG row = 0; row < span.height; row++) {
    // The caller's rows need not be word-aligned, so pixels are copied out.
    const UBYTE* from = source + size_t(srcY + row) * srcMod + size_t(srcX) * 4;
    ULONG* to = row_at(rp, span.x, span.y + row);
    for (ULONG column = 0; column < span.width; column++) {
      ULONG pixel;
      std::memcpy(&pixel, from + size_t(column) * 4, sizeof pixel);
      to[column] = blend(pixel, to[column], alpha);
    }
  }
  return span.width * span.height;
}

extern "C" ULONG FillPixelArray(struct RastPort* rp, UWORD destX, UWORD destY, UWORD width,
                                UWORD height, ULONG argb) {
  Span span = clip_to_bitmap(rp, destX, destY, width, height);
  // A screen has no transparency: the fill is opaque whatever the top byte says.
  ULONG opaque = argb | 0xFF000000UL;
  for (ULONG row = 0; row < span.height; row++) {
    ULONG* to = row_at(rp, span.x, span.y + row);
    for (ULONG column = 0; column < span.width; column++) to[column] = opaque;
  }
  return span.width * span.height;
}
