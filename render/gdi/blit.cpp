#include "render/gdi/blit.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vellum::gdi {

namespace {

constexpr uint32_t RGB_MASK = 0xFFFFFF;

// Which source pixels one device pixel of an axis takes: `count` of them
// from `first` (count 0: the device pixel lies outside the source).
struct Take {
  int32_t first = 0, count = 0;
};

// One axis of the operation: destination pixels in cairo device space and
// what each takes from the source and the pattern.
struct Axis {
  int64_t begin = 0, end = 0;      // device pixels [begin, end)
  std::vector<Take> takes;         // per device pixel, when there is a source
  std::vector<int64_t> phase;      // GDI device coordinate, for the pattern
};

// A cairo device-space axis: device = scale * gdi + offset.
struct DeviceAxis {
  double scale, offset;
};

// round(i * s / d) for whole numbers: where block i of d starts when s
// source pixels shrink onto d.
int64_t block_start(int64_t i, int64_t d, int64_t s) { return (2 * i * s + d) / (2 * d); }

// Which of s source pixels destination pixel i of d takes, counted from the
// source's start edge, as GDI's stretching picks them: enlarging takes the
// pixel under the destination pixel's centre (a centre on a boundary takes
// the earlier one); shrinking splits the source into d blocks, which
// ANDSCANS and ORSCANS fold whole, DELETESCANS samples at the block's end
// across and its start down, and HALFTONE samples at its start.
Take take_for(int64_t i, int64_t d, int64_t s, bool across, int stretch_mode) {
  if (s <= d) return {int32_t(((2 * i + 1) * s - 1) / (2 * d)), 1};
  const int64_t a = block_start(i, d, s), b = block_start(i + 1, d, s);
  switch (stretch_mode) {
    case STRETCH_ANDSCANS:
    case STRETCH_ORSCANS: return {int32_t(a), int32_t(b - a)};
    case STRETCH_DELETESCANS: return {int32_t(across ? b - 1 : a), 1};
    default: return {int32_t(a), 1};
  }
}

// Plans one axis. `from`/`to` are where the source's start and end edges
// land in GDI device units; `src`/`src_len` the source span in bitmap
// pixels of a bitmap `size` pixels long (a negative length runs back from
// src, covering (src + src_len, src]). `limit` bounds the device range.
bool plan_axis(double from, double to, const DeviceAxis& dev, int64_t limit_lo, int64_t limit_hi,
               const BlitSource* source, int64_t src, int64_t src_len, int32_t size, bool across,
               int stretch_mode, Axis* axis) {
  constexpr double far = 1e12;  // far past any surface; keeps the rounding defined
  if (!(std::fabs(from) < far && std::fabs(to) < far)) return false;
  const int64_t g1 = std::llround(from), g2 = std::llround(to);
  if (g1 == g2) return false;
  const bool mirrored = g2 < g1;
  // GDI covers [g1, g2) forward and (g2, g1] mirrored.
  const int64_t lo = mirrored ? g2 + 1 : g1, hi = mirrored ? g1 + 1 : g2;
  const int64_t length = hi - lo;
  double d_lo = dev.scale * double(lo) + dev.offset, d_hi = dev.scale * double(hi) + dev.offset;
  if (d_lo > d_hi) std::swap(d_lo, d_hi);
  axis->begin = std::max<int64_t>(std::llround(d_lo), limit_lo);
  axis->end = std::min<int64_t>(std::llround(d_hi), limit_hi);
  if (axis->begin >= axis->end || uint64_t(axis->end - axis->begin) > MAX_BLIT_PIXELS)
    return false;
  const size_t n = size_t(axis->end - axis->begin);
  axis->phase.resize(n);
  if (source) axis->takes.resize(n);
  const int64_t s_len = src_len < 0 ? -src_len : src_len;
  for (size_t k = 0; k < n; ++k) {
    const double centre = (double(axis->begin + int64_t(k)) + 0.5 - dev.offset) / dev.scale;
    const int64_t g = int64_t(std::floor(centre));
    axis->phase[k] = g;
    if (!source || s_len == 0) continue;
    // The destination pixel's index from the source's start edge.
    const int64_t i = std::clamp<int64_t>(mirrored ? hi - 1 - g : g - lo, 0, length - 1);
    const Take t = take_for(i, length, s_len, across, stretch_mode);
    int64_t first = src_len < 0 ? src - t.first - t.count + 1 : src + t.first;
    int64_t last = first + t.count;  // exclusive
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, size);
    if (last > first) axis->takes[k] = {int32_t(first), int32_t(last - first)};
  }
  return true;
}

// The source colour one device pixel takes: a single pixel, or a block
// folded by AND (ANDSCANS) or OR (ORSCANS).
uint32_t sample(const Bitmap& bitmap, const Take& tx, const Take& ty, int stretch_mode) {
  if (tx.count == 1 && ty.count == 1) return bitmap.row(ty.first)[tx.first] & RGB_MASK;
  const bool or_scans = stretch_mode == STRETCH_ORSCANS;
  uint32_t acc = or_scans ? 0 : RGB_MASK;
  for (int32_t y = ty.first; y < ty.first + ty.count; ++y) {
    const uint32_t* row = bitmap.row(y);
    for (int32_t x = tx.first; x < tx.first + tx.count; ++x)
      acc = or_scans ? acc | row[x] : acc & row[x];
  }
  return acc & RGB_MASK;
}

// The colour a destination pixel shows as white paper beneath: premultiplied
// ARGB composited over white.
uint32_t over_white(uint32_t argb) {
  const uint32_t a = argb >> 24;
  if (a == 255) return argb & RGB_MASK;
  const uint32_t add = 255 - a;
  return (((argb >> 16) & 0xFF) + add) << 16 | (((argb >> 8) & 0xFF) + add) << 8 |
         ((argb & 0xFF) + add);
}

// The group target when its pixels can be read in device space.
cairo_surface_t* readable_target(cairo_t* cr, double* ox, double* oy) {
  cairo_surface_t* target = cairo_get_group_target(cr);
  if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE) return nullptr;
  const cairo_format_t format = cairo_image_surface_get_format(target);
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) return nullptr;
  double sx = 1, sy = 1;
  cairo_surface_get_device_scale(target, &sx, &sy);
  if (sx != 1 || sy != 1) return nullptr;
  cairo_surface_get_device_offset(target, ox, oy);
  return target;
}

}  // namespace

uint32_t apply_rop3(uint8_t index, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t r;
  switch (index) {
    case 0x00: r = 0; break;
    case 0xFF: r = ~0u; break;
    case 0xCC: r = s; break;
    case 0x33: r = ~s; break;
    case 0xF0: r = p; break;
    case 0x0F: r = ~p; break;
    case 0x55: r = ~d; break;
    case 0xAA: r = d; break;
    case 0x88: r = s & d; break;
    case 0xEE: r = s | d; break;
    case 0x66: r = s ^ d; break;
    case 0x44: r = s & ~d; break;
    case 0x11: r = ~(s | d); break;
    case 0xC0: r = p & s; break;
    case 0xBB: r = ~s | d; break;
    case 0x5A: r = p ^ d; break;
    case 0xFB: r = p | ~s | d; break;
    default:
      r = 0;
      for (uint32_t m = 0; m < 8; ++m) {
        if (!((index >> m) & 1u)) continue;
        r |= ((m & 4) ? p : ~p) & ((m & 2) ? s : ~s) & ((m & 1) ? d : ~d);
      }
  }
  return r & RGB_MASK;
}

uint32_t BlitPattern::at(int64_t x, int64_t y) const {
  if (!tile || width <= 0 || height <= 0) return 0xFF000000u | colour;
  const int64_t tx = ((x % width) + width) % width, ty = ((y % height) + height) % height;
  const uint32_t word = tile[ty * width + tx];
  return (word >> 24) == 0 ? 0 : 0xFF000000u | word;
}

bool blit(cairo_t* cr, const BlitTarget& target, uint32_t rop, const BlitSource* source,
          const BlitPattern* pattern, int stretch_mode) {
  const uint8_t index = rop_index(rop);
  const bool uses_s = rop_uses_source(index), uses_p = rop_uses_pattern(index),
             uses_d = rop_uses_destination(index);
  if (uses_s && (!source || !source->bitmap || !*source->bitmap)) return false;
  if (uses_p && !pattern) return false;
  if (!uses_s) source = nullptr;
  if (index == 0xAA) return true;  // D: nothing changes

  cairo_matrix_t ctm;
  cairo_get_matrix(cr, &ctm);
  if (ctm.xy != 0 || ctm.yx != 0 || ctm.xx == 0 || ctm.yy == 0) return false;

  // Device pixels worth computing: inside the clip and, when the target
  // can be read, inside it.
  double c_x1, c_y1, c_x2, c_y2;
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_clip_extents(cr, &c_x1, &c_y1, &c_x2, &c_y2);
  cairo_restore(cr);
  int64_t lo_x = int64_t(std::floor(c_x1)), hi_x = int64_t(std::ceil(c_x2));
  int64_t lo_y = int64_t(std::floor(c_y1)), hi_y = int64_t(std::ceil(c_y2));
  double ox = 0, oy = 0;
  cairo_surface_t* readable = uses_d ? readable_target(cr, &ox, &oy) : nullptr;
  if (readable) {
    cairo_surface_flush(readable);
    lo_x = std::max<int64_t>(lo_x, int64_t(-ox));
    lo_y = std::max<int64_t>(lo_y, int64_t(-oy));
    hi_x = std::min<int64_t>(hi_x, int64_t(cairo_image_surface_get_width(readable) - ox));
    hi_y = std::min<int64_t>(hi_y, int64_t(cairo_image_surface_get_height(readable) - oy));
  }

  const Bitmap* bitmap = source ? source->bitmap : nullptr;
  Axis ax, ay;
  if (!plan_axis(target.x1, target.x2, {ctm.xx, ctm.x0}, lo_x, hi_x, source,
                 source ? source->x : 0, source ? source->width : 0,
                 bitmap ? bitmap->width() : 0, true, stretch_mode, &ax) ||
      !plan_axis(target.y1, target.y2, {ctm.yy, ctm.y0}, lo_y, hi_y, source,
                 source ? source->y : 0, source ? source->height : 0,
                 bitmap ? bitmap->height() : 0, false, stretch_mode, &ay))
    return true;  // nothing visible
  const uint64_t w = uint64_t(ax.end - ax.begin), h = uint64_t(ay.end - ay.begin);
  if (w * h > MAX_BLIT_PIXELS) return false;

  cairo_surface_t* result = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(w), int(h));
  if (cairo_surface_status(result) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(result);
    return false;
  }
  cairo_surface_flush(result);
  uint8_t* out = cairo_image_surface_get_data(result);
  const int out_stride = cairo_image_surface_get_stride(result);
  const uint8_t* in = readable ? cairo_image_surface_get_data(readable) : nullptr;
  const int in_stride = readable ? cairo_image_surface_get_stride(readable) : 0;
  const bool opaque_target =
      readable && cairo_image_surface_get_format(readable) == CAIRO_FORMAT_RGB24;
  for (uint64_t j = 0; j < h; ++j) {
    auto* row = reinterpret_cast<uint32_t*>(out + j * size_t(out_stride));
    const uint32_t* dst_row =
        in ? reinterpret_cast<const uint32_t*>(in + size_t(ay.begin + int64_t(j) + int64_t(oy)) *
                                                        size_t(in_stride)) +
                 (ax.begin + int64_t(ox))
           : nullptr;
    for (uint64_t i = 0; i < w; ++i) {
      const uint32_t original = dst_row ? (opaque_target ? dst_row[i] | 0xFF000000u : dst_row[i]) : 0;
      if (source && (ax.takes[i].count == 0 || ay.takes[j].count == 0)) {
        row[i] = original;  // outside the source: left as it is
        continue;
      }
      const uint32_t s = source ? sample(*bitmap, ax.takes[i], ay.takes[j], stretch_mode) : 0;
      const uint32_t p = uses_p ? pattern->at(ax.phase[i], ay.phase[j]) : 0;
      if (uses_p && p == 0) {
        row[i] = original;  // a gap of the pattern
        continue;
      }
      const uint32_t d = uses_d ? over_white(original) : 0;
      const uint32_t r = apply_rop3(index, p & RGB_MASK, s, d);
      row[i] = (uses_d && r == d && (original >> 24) != 255) ? original : (0xFF000000u | r);
    }
  }
  cairo_surface_mark_dirty(result);

  cairo_path_t* path = cairo_copy_path(cr);
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_new_path(cr);
  cairo_set_source_surface(cr, result, double(ax.begin), double(ay.begin));
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_rectangle(cr, double(ax.begin), double(ay.begin), double(w), double(h));
  cairo_set_operator(cr, readable ? CAIRO_OPERATOR_SOURCE : CAIRO_OPERATOR_OVER);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_new_path(cr);
  cairo_append_path(cr, path);
  cairo_path_destroy(path);
  cairo_surface_destroy(result);
  return true;
}

}  // namespace vellum::gdi
