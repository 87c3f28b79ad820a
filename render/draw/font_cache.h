// Fonts for GDI text: a logical font's face name resolved through
// fontconfig to an installed, metric-compatible face (Arial and Helvetica
// to Liberation Sans, Times New Roman to Liberation Serif, Courier New to
// Liberation Mono, Symbol to Standard Symbols PS, ...), with the metrics
// GDI lays text out by, and glyph lookups. Faces are resolved once and kept
// for the life of the process; every call is thread-safe.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "render/draw/font.h"

typedef struct _cairo_font_face cairo_font_face_t;

namespace vellum::draw {

// Design metrics of a face, in font units.
struct FaceMetrics {
  double units_per_em = 1000;
  double ascent = 800, descent = 200;        // the cell: usWinAscent / usWinDescent
  double average_width = 500;                // xAvgCharWidth
  double underline_position = -100, underline_thickness = 50;  // below the baseline: negative
  double strikeout_position = 250, strikeout_thickness = 50;
};

class FontFace {
 public:
  virtual ~FontFace() = default;
  // cairo's face for drawing (owned by the cache).
  virtual cairo_font_face_t* cairo_face() const = 0;
  virtual const FaceMetrics& metrics() const = 0;
  // The glyph of a character (0 when the face has none) and its advance in
  // font units.
  virtual uint32_t glyph(char32_t code, double* advance_units) const = 0;
  // A symbol font (Windows symbol cmap): byte b of a string is the
  // character U+F000 + b, whatever the charset.
  virtual bool symbol() const = 0;
  // Italic was asked for and the face has none: glyphs are slanted.
  virtual bool synthetic_oblique() const = 0;
};

// The face for a logical font (its face name, weight, italic, family and
// charset); never null: a face that resolves to nothing installed falls
// back to fontconfig's choice for the font's family.
std::shared_ptr<const FontFace> resolve_face(const Font& font);

}  // namespace vellum::draw
