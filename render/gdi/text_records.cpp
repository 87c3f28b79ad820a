// TEXTOUT and EXTTEXTOUT: the string decoded in the realized font's
// charset, advances from Dx (per byte, logical) or the font, character
// extra and justification added, the run placed by the text alignment
// (or the current position), then background, glyphs and decorations.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/draw/paint.h"
#include "render/draw/text_decode.h"
#include "render/draw/text_paint.h"
#include "render/gdi/figure.h"
#include "render/gdi/handlers.h"

namespace vellum::gdi {

namespace {

constexpr uint16_t ETO_OPAQUE = 0x0002;
constexpr uint16_t ETO_CLIPPED = 0x0004;
constexpr uint16_t ETO_PDY = 0x2000;
constexpr char32_t BREAK_CHAR = U' ';
// Fonts above this many picture heights are cut down to it.
constexpr double MAX_EM_PER_PICTURE = 4;

struct TextRecord {
  int16_t x = 0, y = 0;
  uint16_t options = 0;
  bool have_rect = false;
  int16_t rect[4] = {0, 0, 0, 0};  // left, top, right, bottom
  ByteReader string;
  std::vector<int16_t> dx;          // one per byte, or empty
};

// Logical run offsets to device offsets along the baseline.
struct Advances {
  std::vector<double> along;  // each character's origin
  double total = 0;
};

Advances lay_out(const Player& p, const draw::RealizedFont& font,
                 const std::vector<draw::TextChar>& chars, const std::vector<int16_t>& dx,
                 std::vector<draw::PlacedGlyph>* glyphs) {
  const double sx = std::fabs(p.mapping().scale_x());
  const DcState& dc = p.dc;
  Advances a;
  a.along.reserve(chars.size());
  glyphs->reserve(chars.size());
  double logical = 0;  // running Dx sum, logical units
  double device = 0;   // running font advance, device pixels
  for (const draw::TextChar& c : chars) {
    double units = 0;
    const uint32_t glyph = font.face->glyph(c.code, &units);
    const double origin = dx.empty() ? device : std::floor(logical * sx + 0.5);
    a.along.push_back(origin);
    glyphs->push_back({glyph, origin});
    if (!dx.empty()) {
      for (uint32_t i = 0; i < c.length && c.first + i < dx.size(); ++i) logical += dx[c.first + i];
      logical += dc.char_extra;
    } else {
      device += font.advance(units) + std::floor(dc.char_extra * sx + 0.5);
      if (c.code == BREAK_CHAR && dc.break_count > 0)
        device += std::floor(double(dc.break_extra) / dc.break_count * sx + 0.5);
    }
  }
  a.total = dx.empty() ? device : std::floor(logical * sx + 0.5);
  return a;
}

void draw_text(Player& p, const TextRecord& t) {
  const DcState& dc = p.dc;
  const draw::Mapping& map = p.mapping();
  const double max_em = MAX_EM_PER_PICTURE * std::max({p.height, p.width, 1.0});
  const draw::RealizedFont font =
      draw::realize_font(dc.font, map.scale_x(), map.scale_y(), max_em);
  const size_t length = t.string.left();
  const std::vector<draw::TextChar> chars = draw::decode_text(
      t.string.data(), length, dc.font.charset, font.face->symbol());
  std::vector<draw::PlacedGlyph> glyphs;
  const Advances a = lay_out(p, font, chars, t.dx, &glyphs);

  const bool update_cp = dc.text_align & TA_UPDATECP;
  const draw::DevicePoint ref =
      update_cp ? map.pixel(dc.cp_x, dc.cp_y) : map.pixel(t.x, t.y);
  double along = 0, down = 0;
  switch (dc.text_align & TA_HORIZONTAL) {
    case TA_RIGHT: along = -a.total; break;
    case TA_CENTER: along = -std::floor(a.total / 2); break;
    default: break;
  }
  switch (dc.text_align & TA_VERTICAL) {
    case TA_BASELINE: break;
    case TA_BOTTOM: down = -font.descent; break;
    default: down = font.ascent; break;  // TA_TOP
  }
  // The baseline origin: the reference point moved against the alignment.
  draw::RunFrame base{ref.x, ref.y, font.angle};
  const draw::RunFrame frame{base.x(along, down), base.y(along, down), font.angle};

  begin_figure(p);
  cairo_t* cr = p.cr;
  if (t.have_rect && (t.options & ETO_OPAQUE)) {
    const draw::Box box = device_box(p, t.rect[0], t.rect[1], t.rect[2], t.rect[3]);
    cairo_rectangle(cr, box.left, box.top, box.width(), box.height());
    draw::set_source_colour(cr, dc.bk_colour);
    cairo_fill(cr);
  } else if (dc.bk_mode == BK_OPAQUE && a.total != 0) {
    draw::run_box_path(cr, frame, 0, a.total, -font.ascent, font.descent);
    draw::set_source_colour(cr, dc.bk_colour);
    cairo_fill(cr);
  }
  const bool clipped = t.have_rect && (t.options & ETO_CLIPPED);
  if (clipped) {
    cairo_save(cr);
    const draw::Box box = device_box(p, t.rect[0], t.rect[1], t.rect[2], t.rect[3]);
    cairo_rectangle(cr, box.left, box.top, box.width(), box.height());
    cairo_clip(cr);
  }
  draw::show_glyph_run(cr, font, frame, glyphs, dc.text_colour);
  const draw::FaceMetrics& m = font.face->metrics();
  auto decoration = [&](double position_units, double thickness_units) {
    const double thick = std::max(1.0, std::floor(font.pixels(thickness_units) + 0.5));
    const double centre = -std::floor(font.pixels(position_units) + 0.5);
    draw::run_box_path(cr, frame, 0, a.total, centre - thick / 2, centre + thick / 2);
    draw::set_source_colour(cr, dc.text_colour);
    cairo_fill(cr);
  };
  if (dc.font.underline && a.total != 0)
    decoration(m.underline_position, m.underline_thickness);
  if (dc.font.strike_out && a.total != 0)
    decoration(m.strikeout_position + m.strikeout_thickness / 2, m.strikeout_thickness);
  if (clipped) cairo_restore(cr);

  if (update_cp && map.scale_x() != 0) {
    const double logical_total = a.total / map.scale_x();
    switch (dc.text_align & TA_HORIZONTAL) {
      case TA_RIGHT: p.dc.cp_x -= logical_total; break;
      case TA_CENTER: break;
      default: p.dc.cp_x += logical_total; break;
    }
  }
}

// Dx values follow the (padded) string when the record holds enough of
// them; ETO_PDY gives (dx, dy) pairs, of which the dx are kept.
std::vector<int16_t> read_dx(ByteReader& in, size_t count, bool pairs) {
  std::vector<int16_t> dx;
  const size_t per = pairs ? 4 : 2;
  if (count == 0 || in.left() < count * per) return dx;
  dx.resize(count);
  for (size_t i = 0; i < count; ++i) {
    dx[i] = in.i16();
    if (pairs) in.skip(2);
  }
  return dx;
}

}  // namespace

void play_textout(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t count = in.i16();
  if (in.failed() || count <= 0) return;
  TextRecord t;
  const size_t n = std::min<size_t>(size_t(count), in.left());
  t.string = in.sub(n);
  in.skip(n & 1);
  t.y = in.i16();
  t.x = in.i16();
  if (in.failed()) return;
  draw_text(p, t);
}

void play_exttextout(Player& p, const Record& r) {
  ByteReader in = r.params;
  TextRecord t;
  t.y = in.i16();
  t.x = in.i16();
  const int16_t count = in.i16();
  t.options = in.u16();
  if (in.failed() || count < 0) return;
  if (t.options & (ETO_OPAQUE | ETO_CLIPPED)) {
    for (int16_t& v : t.rect) v = in.i16();
    if (in.failed()) return;
    t.have_rect = true;
  }
  const size_t n = std::min<size_t>(size_t(count), in.left());
  t.string = in.sub(n);
  if (n & 1) in.skip(1);
  t.dx = read_dx(in, n, t.options & ETO_PDY);
  // A record with no string still paints its opaque rectangle.
  draw_text(p, t);
}

}  // namespace vellum::gdi
