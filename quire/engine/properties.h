// Character and paragraph properties the layout can show, and how property
// modifiers change them.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_span.h"

namespace quire {

struct CharProps {
  bool bold = false, italic = false, strike = false, underline = false, hidden = false;
  bool deleted = false;             // removed under revision marking: not shown
  uint16_t half_points = 20;        // font size in half-points
  bool auto_colour = true;          // "automatic" colour: black on the white page
  uint32_t colour = 0;              // 0xRRGGBB when !auto_colour
  uint16_t font = 0xFFFF;           // index into the font table, 0xFFFF for the default
  uint16_t language = 0;            // language id of the run, 0 when not given

  bool operator==(const CharProps&) const = default;
};

enum class Alignment : uint8_t { LEFT, CENTRE, RIGHT, JUSTIFY };

struct ParaProps {
  uint16_t style = 0;                       // istd
  Alignment alignment = Alignment::LEFT;
  int32_t left_indent = 0, right_indent = 0, first_indent = 0;  // twips
  uint16_t space_before = 0, space_after = 0;                   // twips
  int16_t line_spacing = 240;               // with line_multiple: 240ths of a line
  bool line_multiple = true;
  bool in_table = false, row_end = false;
  bool page_break_before = false;
  std::vector<int16_t> cell_edges;          // from a row end's table definition, twips
};

// Applies one character modifier; toggles are resolved against `style`.
void apply_char_sprm(CharProps& props, const CharProps& style, uint16_t sprm, ByteSpan operand);
// Applies every character modifier of a grpprl.
void apply_char_grpprl(CharProps& props, const CharProps& style, ByteSpan grpprl);

// Applies one paragraph (or table-definition) modifier.
void apply_para_sprm(ParaProps& props, uint16_t sprm, ByteSpan operand);
void apply_para_grpprl(ParaProps& props, ByteSpan grpprl);

// The character style a grpprl selects (sprmCIstd), or -1 when it selects none.
int char_style_of(ByteSpan grpprl);

}  // namespace quire
