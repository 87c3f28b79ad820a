// Closed figures, filled with the brush and then outlined with the pen;
// SETPIXEL.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/draw/paint.h"
#include "render/gdi/figure.h"
#include "render/gdi/handlers.h"

namespace vellum::gdi {

namespace {

struct Rect {
  int16_t left, top, right, bottom;
  bool ok;
};

// bottom, right, top, left, as the records store them.
Rect read_rect(ByteReader& in) {
  Rect r{};
  r.bottom = in.i16();
  r.right = in.i16();
  r.top = in.i16();
  r.left = in.i16();
  r.ok = !in.failed();
  return r;
}

void rectangle_path(cairo_t* cr, const draw::Box& b) {
  if (b.width() <= 0 || b.height() <= 0) return;
  cairo_rectangle(cr, b.left, b.top, b.width(), b.height());
}

// An outline rectangle through pixel centres may be a line or a point.
void outline_rectangle_path(cairo_t* cr, const draw::Box& b) {
  if (b.width() < 0 || b.height() < 0) return;
  cairo_rectangle(cr, b.left, b.top, b.width(), b.height());
}

void arc_figure(Player& p, const Record& r, draw::ArcKind kind) {
  ByteReader in = r.params;
  const int16_t y_end = in.i16(), x_end = in.i16();
  const int16_t y_start = in.i16(), x_start = in.i16();
  const Rect rect = read_rect(in);
  if (!rect.ok) return;
  const draw::Box box = device_box(p, rect.left, rect.top, rect.right, rect.bottom);
  const draw::DevicePoint s = p.mapping().point(x_start, y_start);
  const draw::DevicePoint e = p.mapping().point(x_end, y_end);
  begin_figure(p);
  draw::arc_path(p.cr, fill_box(p, box), s.x, s.y, e.x, e.y, kind);
  fill_path(p);
  draw::arc_path(p.cr, outline_box(p, box), s.x, s.y, e.x, e.y, kind);
  stroke_path(p);
}

// Reads count points into device pixels; false when none fit.
bool read_points(ByteReader& in, size_t count, const Player& p,
                 std::vector<draw::DevicePoint>* out) {
  const size_t n = std::min(count, in.left() / 4);
  out->resize(n);
  for (size_t i = 0; i < n; ++i) {
    const int16_t x = in.i16();
    const int16_t y = in.i16();
    (*out)[i] = p.mapping().pixel(x, y);
  }
  return n > 0;
}

void polygon_path(cairo_t* cr, const draw::DevicePoint* points, size_t n, double offset) {
  if (n == 0) return;
  cairo_move_to(cr, points[0].x + offset, points[0].y + offset);
  for (size_t i = 1; i < n; ++i) cairo_line_to(cr, points[i].x + offset, points[i].y + offset);
  cairo_close_path(cr);
}

}  // namespace

void play_rectangle(Player& p, const Record& r) {
  ByteReader in = r.params;
  const Rect rect = read_rect(in);
  if (!rect.ok) return;
  const draw::Box box = device_box(p, rect.left, rect.top, rect.right, rect.bottom);
  begin_figure(p);
  rectangle_path(p.cr, fill_box(p, box));
  fill_path(p);
  if (box.width() > 0 && box.height() > 0) outline_rectangle_path(p.cr, outline_box(p, box));
  stroke_path(p);
}

void play_roundrect(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t corner_h = in.i16();
  const int16_t corner_w = in.i16();
  const Rect rect = read_rect(in);
  if (!rect.ok) return;
  const draw::Box box = device_box(p, rect.left, rect.top, rect.right, rect.bottom);
  const double cw = corner_w * std::fabs(p.mapping().scale_x());
  const double ch = corner_h * std::fabs(p.mapping().scale_y());
  begin_figure(p);
  draw::round_rect_path(p.cr, fill_box(p, box), cw, ch);
  fill_path(p);
  draw::round_rect_path(p.cr, outline_box(p, box), cw, ch);
  stroke_path(p);
}

void play_ellipse(Player& p, const Record& r) {
  ByteReader in = r.params;
  const Rect rect = read_rect(in);
  if (!rect.ok) return;
  const draw::Box box = device_box(p, rect.left, rect.top, rect.right, rect.bottom);
  begin_figure(p);
  draw::ellipse_path(p.cr, fill_box(p, box));
  fill_path(p);
  draw::ellipse_path(p.cr, outline_box(p, box));
  stroke_path(p);
}

void play_pie(Player& p, const Record& r) { arc_figure(p, r, draw::ArcKind::pie); }
void play_chord(Player& p, const Record& r) { arc_figure(p, r, draw::ArcKind::chord); }

void play_polygon(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t count = in.i16();
  if (in.failed() || count < 2) return;
  std::vector<draw::DevicePoint> points;
  if (!read_points(in, size_t(count), p, &points)) return;
  begin_figure(p);
  polygon_path(p.cr, points.data(), points.size(), 0);
  fill_path(p, p.dc.poly_fill_mode == POLYFILL_ALTERNATE);
  polygon_path(p.cr, points.data(), points.size(), stroke_offset(pen_width(p)));
  stroke_path(p);
}

// One fill of all polygons together under the fill mode, then each outline.
void play_polypolygon(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t polygons = in.u16();
  if (in.failed() || polygons == 0 || size_t(polygons) * 2 > in.left()) return;
  std::vector<uint16_t> counts(polygons);
  size_t total = 0;
  for (uint16_t& c : counts) {
    c = in.u16();
    total += c;
  }
  std::vector<draw::DevicePoint> points;
  if (!read_points(in, total, p, &points)) return;
  begin_figure(p);
  const double offset = stroke_offset(pen_width(p));
  for (int pass = 0; pass < 2; ++pass) {
    size_t at = 0;
    for (uint16_t c : counts) {
      const size_t n = std::min<size_t>(c, points.size() - at);
      if (n >= 2) polygon_path(p.cr, points.data() + at, n, pass == 0 ? 0 : offset);
      at += n;
    }
    if (pass == 0) fill_path(p, p.dc.poly_fill_mode == POLYFILL_ALTERNATE);
    else stroke_path(p);
  }
}

void play_setpixel(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint32_t colorref = in.u32();
  const int16_t y = in.i16();
  const int16_t x = in.i16();
  if (in.failed()) return;
  const draw::DevicePoint d = p.mapping().pixel(x, y);
  begin_figure(p);
  cairo_rectangle(p.cr, d.x, d.y, 1, 1);
  // SetPixel writes the colour itself; ROP2 does not apply.
  draw::paint_rop2(p.cr, draw::PaintOp::fill, draw::R2_COPYPEN, p.colour(colorref));
  cairo_new_path(p.cr);
}

}  // namespace vellum::gdi
