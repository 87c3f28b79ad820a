#include "render/gdi/figure.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "render/stroke_pieces.h"

namespace vellum::gdi {

draw::Box device_box(const Player& p, int16_t left, int16_t top, int16_t right,
                     int16_t bottom) {
  const draw::DevicePoint a = p.mapping().pixel(left, top);
  const draw::DevicePoint b = p.mapping().pixel(right, bottom);
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

double pen_width(const Player& p) {
  return draw::pen_device_width(p.dc.pen, p.mapping().scale_x());
}

double stroke_offset(double width) {
  return std::fmod(width, 2.0) == 1.0 ? 0.5 : 0.0;
}

draw::Box fill_box(const Player& p, const draw::Box& box) {
  if (p.dc.pen.visible()) return box;
  return {box.left, box.top, box.right - 1, box.bottom - 1};
}

draw::Box outline_box(const Player& p, const draw::Box& box) {
  const double w = pen_width(p);
  if (p.dc.pen.kind() == draw::PS_INSIDEFRAME && w > 1) return box.inset(w / 2);
  const double o = stroke_offset(w);
  return {box.left + o, box.top + o, box.right - 1 + o, box.bottom - 1 + o};
}

void sync_clip(Player& p) {
  if (!p.clip_dirty) return;
  p.clip_dirty = false;
  // The player keeps one cairo_save level for the clip (see play()).
  cairo_restore(p.cr);
  cairo_save(p.cr);
  apply_clip(p.cr, p.dc.clip);
}

void begin_figure(Player& p) {
  sync_clip(p);
  cairo_new_path(p.cr);
}

void fill_path(Player& p, bool alternate) {
  cairo_set_fill_rule(p.cr, alternate ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
  draw::fill_with_brush(p.cr, p.dc.brush, p.dc.background(), p.dc.rop2);
  cairo_new_path(p.cr);
}

void stroke_path(Player& p) {
  if (p.dc.pen.visible() && p.dc.rop2 != draw::R2_NOP) p.stroked_pixels += path_device_length(p.cr);
  const cairo_antialias_t antialias = cairo_get_antialias(p.cr);
  if (p.stroked_pixels > SMOOTH_STROKE_PIXELS) cairo_set_antialias(p.cr, CAIRO_ANTIALIAS_NONE);
  draw::stroke_with_pen(p.cr, p.dc.pen, pen_width(p), p.dc.background(), p.dc.rop2);
  cairo_set_antialias(p.cr, antialias);
  cairo_new_path(p.cr);
}

}  // namespace vellum::gdi
