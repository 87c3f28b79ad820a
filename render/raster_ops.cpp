// PATBLT, BITBLT and STRETCHBLT: a destination rectangle outlined with the
// pen and filled with the fill colour or, for bitmaps of 16 bits per pixel
// and more, with the bitmap's pixels. The raster operation is not looked at.
#include <cairo.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "metafile/bitmap_pixels.h"
#include "render/drawing_objects.h"
#include "render/handlers.h"
#include "render/mapping.h"

namespace vellum {

namespace {

// Rows of the record's pixel data that are really there: the height is cut
// to them, so a header cannot make the conversion allocate more than the
// record could fill.
uint32_t whole_rows(uint32_t width, uint32_t bits, uint32_t pixels_size) {
  const uint64_t row = uint64_t(width) * (bits / 8);
  const uint64_t padded = (row + 3) / 4 * 4;
  return padded == 0 ? 0 : uint32_t(pixels_size / padded);
}

// Red, green, blue and a fourth byte per pixel become cairo's native
// ARGB32 words, opaque: a metafile bitmap has no alpha, and the fourth byte
// of 32-bit pixels is a reserved byte, not a coverage.
void rgba_to_opaque_argb32(uint8_t* pixels, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t* p = pixels + 4 * size_t(i);
    const uint32_t word = 0xFF000000u | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    std::memcpy(p, &word, 4);
  }
}

// Maps user space to the image: the source point lands on the destination
// corner; a stretched image spans the destination size. A zero size on
// either side leaves the image unscaled, so the matrix stays invertible.
cairo_matrix_t image_matrix(const BitmapPlacement& place) {
  double sx = 1, sy = 1;
  if (place.source_width != 0 && place.w != 0) sx = place.source_width / place.w;
  if (place.source_height != 0 && place.h != 0) sy = place.source_height / place.h;
  cairo_matrix_t m;
  cairo_matrix_init_translate(&m, place.source_x, place.source_y);
  cairo_matrix_scale(&m, sx, sy);
  cairo_matrix_translate(&m, -place.x, -place.y);
  return m;
}

// Enlarged bitmaps keep their pixels square and sharp, as stored; shrunk
// ones (a stretch or the picture's fitting) are smoothed.
cairo_filter_t image_filter(cairo_t* cr, const cairo_matrix_t& user_to_image) {
  cairo_matrix_t image_to_device = user_to_image;
  if (cairo_matrix_invert(&image_to_device) != CAIRO_STATUS_SUCCESS) return CAIRO_FILTER_GOOD;
  double x = 1, y = 0, u = 0, v = 1;
  cairo_matrix_transform_distance(&image_to_device, &x, &y);
  cairo_matrix_transform_distance(&image_to_device, &u, &v);
  cairo_user_to_device_distance(cr, &x, &y);
  cairo_user_to_device_distance(cr, &u, &v);
  const bool enlarged = std::hypot(x, y) >= 1 && std::hypot(u, v) >= 1;
  return enlarged ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD;
}

void fill_with_image(PlaybackState* state, const BitmapPlacement& place, uint8_t* argb,
                     uint32_t width, uint32_t height) {
  cairo_t* cr = state->cr;
  cairo_surface_t* image = cairo_image_surface_create_for_data(
      argb, CAIRO_FORMAT_ARGB32, int(width), int(height), int(width * 4));
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image);
  const cairo_matrix_t m = image_matrix(place);
  cairo_pattern_set_matrix(pattern, &m);
  cairo_pattern_set_filter(pattern, image_filter(cr, m));
  flush_pending_stroke(cr, state);
  cairo_set_source(cr, pattern);
  take_whole_path(state);
  cairo_fill(cr);
  // Let go of the image before its buffer is freed.
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_pattern_destroy(pattern);
  cairo_surface_destroy(image);
}

// BITBLT has no source size (0: not stretched); STRETCHBLT has one.
void play_transfer(const BitTransfer& t, PlaybackState* state) {
  const BitmapPlacement place{map_x(state, t.dest.x), map_y(state, t.dest.y), double(t.size.x),
                              double(t.size.y), t.source.x, t.source.y, t.source_size.x,
                              t.source_size.y};
  draw_bitmap_in_rect(state, place, t.bitmap, t.pixels);
}

}  // namespace

void play_PATBLT(const uint8_t* record, PlaybackState* state) {
  Point16 dest{}, size{};
  uint32_t rop = 0;
  if (decode_PATBLT(record_at(record), &dest, &size, &rop) == 0) return;
  cairo_rectangle(state->cr, map_x(state, dest.x), map_y(state, dest.y), size.x, size.y);
  stroke_and_fill(state);
}

void play_BITBLT(const uint8_t* record, PlaybackState* state) {
  BitTransfer t{};
  if (decode_BITBLT(record_at(record), &t) == 0) return;
  play_transfer(t, state);
}

void play_STRETCHBLT(const uint8_t* record, PlaybackState* state) {
  BitTransfer t{};
  if (decode_STRETCHBLT(record_at(record), &t) == 0) return;
  play_transfer(t, state);
}

// A bitmap that cannot be shown (negative or zero size, no whole row in the
// record, a depth the converter refuses) leaves its rectangle outlined but
// unfilled, still in the path.
void draw_bitmap_in_rect(PlaybackState* state, const BitmapPlacement& place,
                         const Bitmap16Header& header, ByteReader pixels) {
  cairo_rectangle(state->cr, place.x, place.y, place.w, place.h);
  stroke_with_pen(state->cr, state);
  const uint32_t bits = header.bits_per_pixel;
  if (bits <= 15) {
    fill_with_brush(state->cr, state);
    return;
  }
  if (header.width <= 0 || header.height <= 0) return;
  const uint32_t width = uint32_t(header.width);
  uint32_t height = uint32_t(header.height);
  const uint32_t rows = whole_rows(width, bits, uint32_t(pixels.left()));
  if (rows < height) height = rows;
  uint8_t* rgba = nullptr;
  const int result = pixels_to_rgba(pixels, ByteReader(), &rgba, width, height, bits, false, false);
  if (result == PIXELS_OK && rgba != nullptr) {
    rgba_to_opaque_argb32(rgba, width * height);
    fill_with_image(state, place, rgba, width, height);
  }
  std::free(rgba);
}

}  // namespace vellum
