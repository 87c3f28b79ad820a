#include "render/draw/text_paint.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace vellum::draw {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double DEFAULT_CELL_PIXELS = 16;  // height 0: the stock font's cell
constexpr double OBLIQUE_SHEAR = 0.2;        // synthetic italic: tops lean right
// Glyphs of more pixels a side than this are filled as outlines: cairo would
// otherwise rasterise each whole into its glyph cache, megabytes apiece.
constexpr double LARGE_GLYPH_PIXELS = 512;

cairo_font_options_t* text_options() {
  static cairo_font_options_t* options = [] {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    return o;
  }();
  return options;
}

double finite_or(double v, double fallback) { return std::isfinite(v) ? v : fallback; }

}  // namespace

double RealizedFont::pixels(double units) const {
  return units * em / face->metrics().units_per_em;
}

double RealizedFont::advance(double units) const {
  return std::floor(pixels(units) * stretch + 0.5);
}

RealizedFont realize_font(const Font& font, double scale_x, double scale_y, double max_em) {
  RealizedFont r;
  r.face = resolve_face(font);
  const FaceMetrics& m = r.face->metrics();
  const double sx = finite_or(std::fabs(scale_x), 1), sy = finite_or(std::fabs(scale_y), 1);
  const double cell_units = m.ascent + m.descent;
  double em = 0;
  if (font.height < 0) {
    em = std::floor(-double(font.height) * sy + 0.5);
  } else {
    const double cell = font.height > 0 ? std::floor(font.height * sy + 0.5) : DEFAULT_CELL_PIXELS;
    em = cell * m.units_per_em / cell_units;
  }
  r.em = std::clamp(finite_or(em, 0), 0.0, std::max(1.0, max_em));
  r.ascent = std::floor(r.pixels(m.ascent) + 0.5);
  r.descent = std::floor(r.pixels(m.descent) + 0.5);
  if (font.width != 0 && r.em > 0) {
    const double natural = r.pixels(m.average_width);
    const double wanted = std::fabs(double(font.width)) * sx;
    if (natural > 0) r.stretch = std::clamp(wanted / natural, 0.01, 100.0);
  }
  r.angle = font.escapement / 10.0 * PI / 180.0;
  return r;
}

double RunFrame::x(double along, double down) const {
  return origin_x + along * std::cos(angle) + down * std::sin(angle);
}

double RunFrame::y(double along, double down) const {
  return origin_y - along * std::sin(angle) + down * std::cos(angle);
}

void run_box_path(cairo_t* cr, const RunFrame& f, double along0, double along1, double down0,
                  double down1) {
  cairo_move_to(cr, f.x(along0, down0), f.y(along0, down0));
  cairo_line_to(cr, f.x(along1, down0), f.y(along1, down0));
  cairo_line_to(cr, f.x(along1, down1), f.y(along1, down1));
  cairo_line_to(cr, f.x(along0, down1), f.y(along0, down1));
  cairo_close_path(cr);
}

void show_glyph_run(cairo_t* cr, const RealizedFont& font, const RunFrame& frame,
                    const std::vector<PlacedGlyph>& glyphs, Colour colour) {
  if (glyphs.empty() || !(font.em >= 0.5)) return;
  cairo_set_font_face(cr, font.face->cairo_face());
  cairo_matrix_t m;
  cairo_matrix_init_rotate(&m, -font.angle);
  cairo_matrix_scale(&m, font.em * font.stretch, font.em);
  if (font.face->synthetic_oblique()) {
    cairo_matrix_t shear;
    cairo_matrix_init(&shear, 1, 0, -OBLIQUE_SHEAR, 1, 0, 0);
    cairo_matrix_multiply(&m, &shear, &m);
  }
  cairo_set_font_matrix(cr, &m);
  cairo_set_font_options(cr, text_options());
  std::vector<cairo_glyph_t> placed;
  placed.reserve(glyphs.size());
  const bool upright = font.angle == 0;
  for (const PlacedGlyph& g : glyphs) {
    if (g.index == 0) continue;  // the face has no such character
    double x = frame.x(g.along, 0), y = frame.y(g.along, 0);
    if (upright) x = std::floor(x + 0.5), y = std::floor(y + 0.5);
    placed.push_back({g.index, x, y});
  }
  set_source_colour(cr, colour);
  if (font.em * std::max(font.stretch, 1.0) <= LARGE_GLYPH_PIXELS) {
    cairo_show_glyphs(cr, placed.data(), int(placed.size()));
    return;
  }
  cairo_new_path(cr);
  cairo_glyph_path(cr, placed.data(), int(placed.size()));
  cairo_fill(cr);
}

}  // namespace vellum::draw
