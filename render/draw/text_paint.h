// A logical font realized at a device size, and the painting of glyph runs
// and text decorations with it. Sizes follow GDI: a negative height is the
// em (character) height, a positive one the cell (ascent + descent), both
// scaled by the mapping's y factor; a width stretches glyphs along the
// baseline; escapement turns the whole run counter-clockwise on the output.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/draw/colour.h"
#include "render/draw/font.h"
#include "render/draw/font_cache.h"

typedef struct _cairo cairo_t;

namespace vellum::draw {

struct RealizedFont {
  std::shared_ptr<const FontFace> face;
  double em = 0;         // pixels per em
  double stretch = 1;    // horizontal glyph factor
  double ascent = 0;     // device pixels above the baseline (cell top)
  double descent = 0;    // below
  double angle = 0;      // radians, counter-clockwise on the output
  // Advance of a glyph in device pixels, rounded as GDI's integer advances.
  double advance(double units) const;
  // Font units to device pixels along the em.
  double pixels(double units) const;
};

// Realizes the font for a mapping with factors |scale_x|, |scale_y|; the em
// never exceeds max_em (a hostile height costs no more than a big one).
RealizedFont realize_font(const Font& font, double scale_x, double scale_y, double max_em);

// A point on the output relative to a run's baseline origin: `along` the
// baseline, `down` across it (towards the descent).
struct RunFrame {
  double origin_x, origin_y;
  double angle;
  double x(double along, double down) const;
  double y(double along, double down) const;
};

// The quadrilateral [along0, along1] x [down0, down1] of a run's frame as
// a closed path.
void run_box_path(cairo_t* cr, const RunFrame& frame, double along0, double along1,
                  double down0, double down1);

struct PlacedGlyph {
  uint32_t index;
  double along;  // offset of its origin along the baseline
};

// Paints the glyphs in the colour (greyscale antialiasing, positions as
// given: glyph metrics never move them).
void show_glyph_run(cairo_t* cr, const RealizedFont& font, const RunFrame& frame,
                    const std::vector<PlacedGlyph>& glyphs, Colour colour);

}  // namespace vellum::draw
