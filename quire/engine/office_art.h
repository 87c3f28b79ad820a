// The drawing layer's records and shape properties: the record headers
// every drawing container is made of, and the property table (fixed
// entries, then the variable-length data of complex ones) of a shape.
// Every read goes through the bounded reader; a property that does not fit
// is left at its default.
#pragma once

#include <cstdint>
#include <string>

#include "byte_span.h"
#include "shape_geometry.h"

namespace quire {

constexpr size_t ART_RECORD_HEADER = 8;

struct ArtRecord {
  uint16_t version = 0, instance = 0, type = 0;
  uint32_t length = 0;
  ByteSpan body;  // the record's data (after its header), wholly inside the source
};

// Reads the record at `at` of `bytes`; false when its header or body do not fit.
bool art_record_at(ByteSpan bytes, size_t at, ArtRecord& out);

// Calls visit(record) for each record of `bytes` in turn while it returns true.
template <class Visit>
void for_each_art_record(ByteSpan bytes, Visit&& visit) {
  size_t at = 0;
  ArtRecord record;
  while (at < bytes.size && art_record_at(bytes, at, record)) {
    if (!visit(record)) return;
    at += ART_RECORD_HEADER + record.length;
  }
}

// The properties of a shape this engine draws: its picture, the text box
// story it shows, text art, its geometry, fill and outline. Colours are
// 0xRRGGBB.
struct ShapeProps {
  uint32_t pib = 0;               // blip store index, from 1; 0 for none
  double crop[4] = {0, 0, 0, 0};  // top, bottom, left, right, fractions
  uint32_t text_id = 0;           // text box story number (from 1) << 16 | place in its chain; 0 for none
  double inset[4] = {7.2, 3.6, 7.2, 3.6};  // text margins, left top right bottom, points
  std::u16string art, art_font;   // text art's string and font family
  bool art_bold = false, art_italic = false;
  uint32_t fill = 0xFFFFFF, line = 0;
  bool filled = true, lined = true;
  bool fill_given = false;        // the table names a fill colour
  double line_width = 0.75;       // points
  double rotation = 0;            // degrees clockwise
  bool flip_h = false, flip_v = false;  // from the shape record
  ShapeGeometry geometry;         // its type from the shape record, the rest from the table
  std::shared_ptr<const ShapePaths> paths;  // its drawn outline, once the shape is read whole
};

// Reads a shape's property table (the body and instance of its record).
// The geometry's lists point into the record's bytes.
ShapeProps read_shape_props(const ArtRecord& opt);

}  // namespace quire
