// Map mode, window and viewport records. Parameters come y first
// (reverse of the GDI call's arguments). With caller_viewport the records
// that would replace the host's viewport or map mode are passed over.
#include "render/gdi/handlers.h"

namespace vellum::gdi {

namespace {

struct Pair {
  int16_t x, y;
  bool ok;
};

Pair read_yx(const Record& record) {
  ByteReader in = record.params;
  const int16_t y = in.i16();
  const int16_t x = in.i16();
  return {x, y, !in.failed()};
}

struct Scale {
  int16_t x_num, x_den, y_num, y_den;
  bool ok;
};

Scale read_scale(const Record& record) {
  ByteReader in = record.params;
  Scale s{};
  s.y_den = in.i16();
  s.y_num = in.i16();
  s.x_den = in.i16();
  s.x_num = in.i16();
  s.ok = !in.failed();
  return s;
}

}  // namespace

void play_setmapmode(Player& p, const Record& r) {
  if (p.caller_viewport) return;
  ByteReader in = r.params;
  const uint16_t mode = in.u16();
  if (!in.failed()) p.dc.mapping.set_mode(mode);
}

void play_setwindoworg(Player& p, const Record& r) {
  const Pair v = read_yx(r);
  if (v.ok) p.dc.mapping.set_window_org(v.x, v.y);
}

void play_setwindowext(Player& p, const Record& r) {
  const Pair v = read_yx(r);
  if (v.ok) p.dc.mapping.set_window_ext(v.x, v.y);
}

void play_setviewportorg(Player& p, const Record& r) {
  const Pair v = read_yx(r);
  if (v.ok && !p.caller_viewport) p.dc.mapping.set_viewport_org(v.x, v.y);
}

void play_setviewportext(Player& p, const Record& r) {
  const Pair v = read_yx(r);
  if (v.ok && !p.caller_viewport) p.dc.mapping.set_viewport_ext(v.x, v.y);
}

void play_offsetwindoworg(Player& p, const Record& r) {
  const Pair v = read_yx(r);
  if (v.ok) p.dc.mapping.offset_window_org(v.x, v.y);
}

void play_offsetviewportorg(Player& p, const Record& r) {
  const Pair v = read_yx(r);
  if (v.ok && !p.caller_viewport) p.dc.mapping.offset_viewport_org(v.x, v.y);
}

void play_scalewindowext(Player& p, const Record& r) {
  const Scale s = read_scale(r);
  if (s.ok) p.dc.mapping.scale_window_ext(s.x_num, s.x_den, s.y_num, s.y_den);
}

void play_scaleviewportext(Player& p, const Record& r) {
  const Scale s = read_scale(r);
  if (s.ok && !p.caller_viewport) p.dc.mapping.scale_viewport_ext(s.x_num, s.x_den, s.y_num, s.y_den);
}

}  // namespace vellum::gdi
