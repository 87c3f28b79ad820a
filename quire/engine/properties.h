// Character and paragraph properties the layout can show, and how property
// modifiers change them.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_span.h"

namespace quire {

struct CharProps {
  bool bold = false, italic = false, strike = false, underline = false, hidden = false;
  bool deleted = false;             // removed under revision marking
  bool inserted = false;            // added under revision marking
  uint16_t insert_author = 0, delete_author = 0;  // revision authors (ibstRMark, ibstRMarkDel)
  uint16_t half_points = 20;        // font size in half-points
  bool auto_colour = true;          // "automatic" colour: black on the white page
  uint32_t colour = 0;              // 0xRRGGBB when !auto_colour
  uint16_t font = 0xFFFF;           // index into the font table, 0xFFFF for the default
  uint16_t language = 0;            // language id of the run, 0 when not given
  bool small_caps = false, all_caps = false;
  uint8_t position = 0;             // 0 normal, 1 superscript, 2 subscript
  uint8_t highlight = 0;            // Ico index of the highlight, 0 none
  int16_t spacing = 0;              // extra space between characters, twips
  bool special = false;             // a special character (picture anchor, note mark...)
  bool ole = false, form_data = false;  // an OLE object anchor / form-field data, not a picture
  int32_t picture_at = -1;          // Data-stream offset of a picture descriptor, -1 for none
  uint32_t picture = 0;             // the model's picture index + 1 shown by this run, 0 for none
  uint32_t note = 0;                // note reference mark: the note's index + 1, 0 for none
  uint8_t check_box = 0;            // a form check box drawn here: 1 empty, 2 ticked, 0 none
  uint16_t box_size = 0;            // its size in half-points, 0 for the text's size

  bool operator==(const CharProps&) const = default;
};

enum class Alignment : uint8_t { LEFT, CENTRE, RIGHT, JUSTIFY };
// Where a table row sits across the text column, in the order Word stores it.
enum class RowPlacement : uint8_t { LEFT, CENTRE, RIGHT };

// A tab stop: its place from the text column's left edge, how text aligns
// on it (0 left, 1 centre, 2 right, 3 decimal, 4 bar) and its leader.
struct TabStop {
  int16_t position = 0;
  uint8_t kind = 0, leader = 0;
  bool operator==(const TabStop&) const = default;
};

// A paragraph border line (BRC): width in eighths of a point, 0 for none.
struct BorderLine {
  uint8_t width = 0, style = 0;
  uint32_t colour = 0;  // 0xRRGGBB
  uint8_t space = 0;    // distance from the text, points
  bool operator==(const BorderLine&) const = default;
};

// Where a positioned paragraph or table sits, outside the flow of the text.
// `x` and `y` are twips from the anchor, or one of the FRAME_* placements;
// consecutive paragraphs (and table rows) with equal positions form one frame.
struct FramePosition {
  int16_t x = 0, y = 0;
  uint8_t horizontal = 0;         // anchor: 0 column, 1 margin, 2 page
  uint8_t vertical = 0;           // anchor: 0 margin, 1 page, 2 paragraph
  int16_t width = 0;              // twips, 0 as wide as its text
  uint16_t height = 0;            // twips, bit 15 "at least", 0 as tall as its text
  uint8_t wrap = 0;               // 1: nothing beside it, 3: text runs over it, else text beside it
  int16_t gap_x = 0, gap_y = 0;   // distance kept from the text around it, twips
  bool positioned() const { return x != 0 || y != 0; }
  bool operator==(const FramePosition&) const = default;
};
// Placements relative to the anchor: x (left when 0), y (top when 0).
constexpr int16_t FRAME_CENTRE = -4, FRAME_RIGHT = -8, FRAME_INSIDE = -12, FRAME_OUTSIDE = -16;
constexpr int16_t FRAME_TOP = -4, FRAME_MIDDLE = -8, FRAME_BOTTOM = -12, FRAME_INSIDE_Y = -16, FRAME_OUTSIDE_Y = -20;

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
  uint16_t list = 0;                        // ilfo: the list override (1-based), 0 for none
  uint8_t list_level = 0;                   // ilvl
  std::vector<TabStop> tabs;                // ascending positions
  BorderLine border_top, border_left, border_bottom, border_right;
  bool shaded = false;
  uint32_t shading = 0xFFFFFF;              // 0xRRGGBB background when shaded
  std::vector<uint32_t> cell_shading;       // row ends: per cell, 0xRRGGBB or 0xFFFFFFFF for none
  std::vector<uint8_t> cell_align;          // row ends: per cell, 0 top, 1 centre, 2 bottom
  std::vector<uint8_t> cell_borders;        // row ends: per cell, sides with a line (CellSide bits)
  uint8_t table_borders = 0;               // row ends: CellSide bits of the table's own lines, plus
                                            // INSIDE_H / INSIDE_V for the lines between cells
  int16_t row_height = 0;                   // row ends, twips: > 0 at least, < 0 exactly, 0 automatic
  int16_t gap_half = 108;                   // row ends: twips between a cell's edge and its text
  RowPlacement row_placement = RowPlacement::LEFT;  // row ends: where the row sits between the margins
  uint16_t width_percent = 0;               // row ends: the table's width in 50ths of a percent of the
                                            // text width, 0 when it keeps its cells' own widths
  FramePosition frame;                      // positioned paragraphs and tables
  uint8_t drop_cap = 0;                     // a capital for the next paragraph: 1 dropped into its
                                            // first lines, 2 left of them in the margin, 0 none
  uint8_t drop_lines = 0;                   // the lines of text a capital spans
};

// Sides of a table cell that carry a border line.
enum CellSide : uint8_t { CELL_TOP = 1, CELL_LEFT = 2, CELL_BOTTOM = 4, CELL_RIGHT = 8, CELL_ALL_SIDES = 15 };
constexpr uint8_t INSIDE_H = 16, INSIDE_V = 32;

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
