#include "shape_drawing.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "paragraph_layout.h"

namespace quire {
namespace {

constexpr const char* ART_FALLBACK_FAMILY = "Arial";
constexpr int ART_SIZE = 36;             // points: any size does, the ink is stretched to the box
constexpr double MIN_INK = 1.0 / 64;     // points: less ink than this is nothing to stretch
// Past about 32,000 device pixels cairo fails to make a font (and loses its
// memory); text art is stretched to half that at most.
constexpr double MAX_FONT_PIXELS = 16384;

// How far text art may stretch along a user-space axis (dx, dy) before its
// font passes MAX_FONT_PIXELS on the device.
double max_stretch(cairo_t* cr, double dx, double dy) {
  cairo_user_to_device_distance(cr, &dx, &dy);
  const double pixels_per_point = std::hypot(dx, dy);
  return pixels_per_point > 0 ? MAX_FONT_PIXELS / (ART_SIZE * pixels_per_point) : 0;
}

void set_colour(cairo_t* cr, uint32_t colour, double shade = 1) {
  cairo_set_source_rgb(cr, (colour >> 16 & 0xFF) / 255.0 * shade, (colour >> 8 & 0xFF) / 255.0 * shade,
                       (colour & 0xFF) / 255.0 * shade);
}

// Puts the context into the shape's own space: turned about the box's
// centre and mirrored as the shape is flipped. Returns the box in that
// space; a shape turned nearer a quarter turn than not is anchored by its
// turned box, so its own box has the sides swapped.
ShapeBox enter_shape(cairo_t* cr, const ShapeText& shape, const ShapeBox& box) {
  double turn = std::fmod(shape.rotation, 360.0);
  if (turn < 0) turn += 360;
  const bool sideways = (turn >= 45 && turn < 135) || (turn >= 225 && turn < 315);
  const double width = sideways ? box.height : box.width, height = sideways ? box.width : box.height;
  cairo_translate(cr, box.x + box.width / 2, box.y + box.height / 2);
  cairo_rotate(cr, turn * M_PI / 180);
  cairo_scale(cr, shape.flip_h ? -1 : 1, shape.flip_v ? -1 : 1);
  return {-width / 2, -height / 2, width, height};
}

void trace(cairo_t* cr, const ShapePath& path, const ShapeBox& box) {
  cairo_new_path(cr);
  const std::vector<double>& p = path.points;
  auto x = [&](size_t i) { return box.x + p[i] * box.width; };
  auto y = [&](size_t i) { return box.y + p[i + 1] * box.height; };
  size_t at = 0;
  for (const PathStep step : path.steps) {
    const size_t need = step == PathStep::CURVE ? 6 : step == PathStep::CLOSE ? 0 : 2;
    if (need > p.size() - at) return;
    switch (step) {
      case PathStep::MOVE: cairo_move_to(cr, x(at), y(at)); break;
      case PathStep::LINE: cairo_line_to(cr, x(at), y(at)); break;
      case PathStep::CURVE: cairo_curve_to(cr, x(at), y(at), x(at + 2), y(at + 2), x(at + 4), y(at + 4)); break;
      case PathStep::CLOSE: cairo_close_path(cr); break;
    }
    at += need;
  }
}

// Each path in turn filled (its holes left open) and stroked, so later
// paths lie over earlier ones.
void draw_paths(cairo_t* cr, const ShapeText& shape, const ShapeBox& box) {
  cairo_save(cr);
  const ShapeBox own = enter_shape(cr, shape, box);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_line_width(cr, shape.line_width);
  for (const ShapePath& path : *shape.paths) {
    trace(cr, path, own);
    if (path.filled && shape.fill != NO_COLOUR) {
      set_colour(cr, shape.fill, path.shade);
      cairo_fill_preserve(cr);
    }
    if (path.stroked && shape.line != NO_COLOUR && shape.line_width > 0) {
      set_colour(cr, shape.line);
      cairo_stroke_preserve(cr);
    }
  }
  cairo_new_path(cr);
  cairo_restore(cr);
}

}  // namespace

void draw_shape_fill(cairo_t* cr, const ShapeText& shape, const ShapeBox& box) {
  if (shape.paths) return draw_paths(cr, shape, box);
  if (shape.fill == NO_COLOUR || !shape.art.empty()) return;
  cairo_save(cr);
  set_colour(cr, shape.fill);
  cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  cairo_fill(cr);
  cairo_restore(cr);
}

void draw_shape_outline(cairo_t* cr, const ShapeText& shape, const ShapeBox& box) {
  if (shape.line == NO_COLOUR || shape.line_width <= 0 || !shape.art.empty() || shape.paths) return;
  cairo_save(cr);
  set_colour(cr, shape.line);
  cairo_set_line_width(cr, shape.line_width);
  cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void draw_text_art(cairo_t* cr, const ShapeText& shape, const ShapeBox& box) {
  if (shape.art.empty() || box.width <= 0 || box.height <= 0) return;
  PangoLayout* layout = pango_layout_new(main_layout_context());
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, shape.art_font.empty() ? ART_FALLBACK_FAMILY : shape.art_font.c_str());
  pango_font_description_set_size(desc, ART_SIZE * PANGO_SCALE);
  pango_font_description_set_weight(desc, shape.art_bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(desc, shape.art_italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout, desc);
  pango_font_description_free(desc);
  pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
  pango_layout_set_text(layout, shape.art.c_str(), static_cast<int>(shape.art.size()));
  PangoRectangle ink;
  pango_layout_get_extents(layout, &ink, nullptr);
  const double ink_x = ink.x / double(PANGO_SCALE), ink_y = ink.y / double(PANGO_SCALE);
  const double ink_width = ink.width / double(PANGO_SCALE), ink_height = ink.height / double(PANGO_SCALE);
  if (ink_width >= MIN_INK && ink_height >= MIN_INK) {
    cairo_save(cr);
    set_colour(cr, shape.fill == NO_COLOUR ? 0 : shape.fill);
    cairo_translate(cr, box.x, box.y);
    cairo_scale(cr, std::min(box.width / ink_width, max_stretch(cr, 1, 0)),
                std::min(box.height / ink_height, max_stretch(cr, 0, 1)));
    cairo_move_to(cr, -ink_x, -ink_y);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
  }
  g_object_unref(layout);
}

}  // namespace quire
