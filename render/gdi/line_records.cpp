// The current position and open figures: MOVETO, LINETO, POLYLINE, ARC.
#include <cairo.h>

#include "render/gdi/figure.h"
#include "render/gdi/handlers.h"

namespace vellum::gdi {

namespace {

// Line points sit on pixel centres for odd pen widths.
void line_point(Player& p, double lx, double ly, double offset, bool first) {
  const draw::DevicePoint d = p.mapping().pixel(lx, ly);
  if (first) cairo_move_to(p.cr, d.x + offset, d.y + offset);
  else cairo_line_to(p.cr, d.x + offset, d.y + offset);
}

}  // namespace

void play_moveto(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t y = in.i16();
  const int16_t x = in.i16();
  if (in.failed()) return;
  p.dc.cp_x = x;
  p.dc.cp_y = y;
}

void play_lineto(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t y = in.i16();
  const int16_t x = in.i16();
  if (in.failed()) return;
  begin_figure(p);
  const double offset = stroke_offset(pen_width(p));
  line_point(p, p.dc.cp_x, p.dc.cp_y, offset, true);
  line_point(p, x, y, offset, false);
  stroke_path(p);
  p.dc.cp_x = x;
  p.dc.cp_y = y;
}

void play_polyline(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t count = in.i16();
  if (in.failed() || count < 2) return;
  const size_t n = std::min<size_t>(size_t(count), in.left() / 4);
  begin_figure(p);
  const double offset = stroke_offset(pen_width(p));
  for (size_t i = 0; i < n; ++i) {
    const int16_t x = in.i16();
    const int16_t y = in.i16();
    line_point(p, x, y, offset, i == 0);
  }
  stroke_path(p);
}

void play_arc(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t y_end = in.i16(), x_end = in.i16();
  const int16_t y_start = in.i16(), x_start = in.i16();
  const int16_t bottom = in.i16(), right = in.i16(), top = in.i16(), left = in.i16();
  if (in.failed()) return;
  begin_figure(p);
  const draw::Box box = outline_box(p, device_box(p, left, top, right, bottom));
  const draw::DevicePoint s = p.mapping().point(x_start, y_start);
  const draw::DevicePoint e = p.mapping().point(x_end, y_end);
  draw::arc_path(p.cr, box, s.x, s.y, e.x, e.y, draw::ArcKind::arc);
  stroke_path(p);
}

}  // namespace vellum::gdi
