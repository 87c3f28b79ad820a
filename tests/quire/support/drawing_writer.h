// Writes the drawing layer of a fixture document: the anchors of its
// floating shapes (PlcSpaMom) and the shapes themselves (OfficeArtContent:
// the drawing group, then the main text's drawing).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quire_test {

using Bytes = std::vector<uint8_t>;

// A floating shape anchored at one of the main text's 0x08 characters (in
// order): its box in twips from the margins' corner, and what it shows: a
// text box story (its number in DocPlan::text_boxes, from 1), text art, a
// freeform (its points and segment entries) or a preset shape.
struct ShapePlan {
  int32_t left = 0, top = 0, right = 2880, bottom = 1440;
  uint32_t text_box = 0;
  std::u16string art, art_font;
  bool art_bold = false;
  uint32_t fill = 0xFFFFFFFFu;  // 0xRRGGBB, or none
  bool no_line = false;         // the outline switched off
  bool grouped = false;         // inside a group whose box is the anchor's
  uint32_t line = 0xFFFFFFFFu;  // the outline's colour, 0xRRGGBB, or the default
  // A freeform's points, in a space 1000 units square over the box, stored
  // as 16-bit pairs with the short list length the drawing program writes;
  // and its segment entries (none: the points joined and closed).
  std::vector<std::array<int16_t, 2>> points;
  std::vector<uint16_t> segments;
  uint16_t preset = 0;          // a preset shape's kind (its shape type)
  std::vector<int32_t> adjust;  // its adjust values, from the first
  int32_t rotation = 0;         // degrees clockwise
};

// PlcSpaMom for shapes anchored at `cps`, the main text being `ccp_text` long.
Bytes shape_anchors(const std::vector<ShapePlan>& shapes, const std::vector<uint32_t>& cps, uint32_t ccp_text);

// OfficeArtContent holding the shapes.
Bytes drawing_layer(const std::vector<ShapePlan>& shapes);

// A property table entry (OPT record body and count) for tests of the
// property reader: fixed entries, then complex data.
struct PropertyTable {
  Bytes fixed, complex;
  uint16_t count = 0;
  void add(uint16_t id, uint32_t value);
  void add_string(uint16_t id, const std::u16string& text);  // NUL-terminated UTF-16
  // Complex data with the length its entry states (which may differ from its size).
  void add_complex(uint16_t id, const Bytes& data, uint32_t length);
  Bytes record() const;  // the whole OPT record, header included
};

}  // namespace quire_test
