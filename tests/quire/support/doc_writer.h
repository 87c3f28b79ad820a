// Writes small Word 97 documents for the tests: an OLE2 compound file (via
// libgsf) with a WordDocument stream (FIB, text pieces, CHPX/PAPX pages,
// SEPX), a 1Table stream (style sheet, font table, sections, bin tables,
// piece table) and both property-set streams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drawing_writer.h"

namespace quire_test {

using Bytes = std::vector<uint8_t>;

// One stretch of text: its own piece and its own character run. Paragraph
// marks (\r), cell marks (\a), page breaks (\f), field marks (\x13 \x14 \x15)
// go inside the text as Word stores them.
struct RunPlan {
  std::u16string text;
  bool compressed = true;  // 8-bit piece; false stores UTF-16
  Bytes chpx;              // character modifiers (sprm + operand bytes)
};

struct StylePlan {
  std::u16string name;
  uint16_t base = 0xFFF;
  Bytes papx, chpx;
  bool character = false;  // a character style (only chpx applies)
};

// One level of a list: number format, template (characters 0..8 stand
// for that level's number), start, what follows the number, and the
// level's own character and paragraph modifiers.
struct ListLevelPlan {
  uint8_t nfc = 0;
  std::u16string text;
  int32_t start = 1;
  uint8_t follow = 0;  // 0 tab, 1 space, 2 nothing
  Bytes chpx, papx;
};

// A list definition: one level makes a simple list, nine a multi-level one.
struct ListPlan {
  int32_t id = 0;
  std::vector<ListLevelPlan> levels;
};

// A list override (what paragraphs name with sprmPIlfo, counted from 1):
// its list, and optionally a level that restarts at a given number.
struct OverridePlan {
  int32_t list_id = 0;
  int restart_level = -1;
  int32_t restart_at = 1;
};

struct DocPlan {
  std::vector<RunPlan> runs;
  // Texts after the main one: each footnote (starting with its 0x02 mark,
  // ending with \r; the main text refers to them in order with 0x02), and
  // the header stories in their stored order (six separators, then six per
  // section: even/odd header, even/odd footer, first header/footer).
  std::vector<std::u16string> footnotes;
  std::vector<std::u16string> header_stories;
  // Text box stories (each ending with \r), and floating shapes anchored at
  // the main text's 0x08 characters in order.
  std::vector<std::u16string> text_boxes;
  std::vector<ShapePlan> shapes;
  std::vector<ListPlan> lists;
  std::vector<OverridePlan> overrides;
  Bytes data;  // the Data stream, written when not empty
  std::vector<std::u16string> fonts{u"Times New Roman", u"Arial", u"Symbol"};
  bool facing_pages = false;
  bool revision_markup = false;  // the DOP asks for tracked changes printed with markup
  // Paragraph modifiers for the n-th paragraph (counted by its end mark);
  // paragraphs past the end of the list have none.
  std::vector<Bytes> paragraphs;
  std::vector<uint16_t> paragraph_styles;  // istd per paragraph, 0 when absent
  // Style 0 is "Normal"; more may follow.
  std::vector<StylePlan> styles{{u"Normal", 0xFFF, {}, {}}};
  Bytes section;  // section modifiers (margins...), after A4 and one-inch margins
  std::string title, subject, author, company, app_name;
  bool with_properties = true;
  uint16_t nfib = 0x00C1;
  uint16_t lid = 0x0409;
  uint16_t flags = 0x1200;  // fExtChar + fWhichTblStm (1Table)
};

Bytes write_doc(const DocPlan& plan);

// Helpers that spell common modifiers.
Bytes sprm_u8(uint16_t sprm, uint8_t value);
Bytes sprm_u16(uint16_t sprm, uint16_t value);
Bytes concat(std::initializer_list<Bytes> parts);

// A document of plain paragraphs, one compressed run each, with properties.
DocPlan plain_doc(const std::vector<std::u16string>& paragraphs);

// A picture descriptor for the Data stream: a PNG shown `width` x `height`
// twips, cropped by `crop_left` twips on the left, as Word stores inline
// pictures (descriptor, shape, blip store entry with the PNG inside).
Bytes png_picture_descriptor(const Bytes& png, int16_t width, int16_t height, int16_t crop_left = 0);

// Character modifiers of an inline picture's anchor at Data offset `at`.
Bytes picture_run(uint32_t at);

// Form-field data (FFData) as Word stores it in the Data stream, behind an
// empty picture header; and the character modifiers of the 0x01 character in
// a form field's code that point at data stored at `at`.
Bytes form_field_data(const Bytes& ffdata);
Bytes form_field_run(uint32_t at);

// Where the FIB keeps the piece table's (offset, size) pair.
constexpr size_t FIB_CLX_PAIR = 0x1A2;

// A compound file holding the given streams as WordDocument and 1Table
// (no 1Table when `table` is empty), for tests that damage a stream.
Bytes write_compound(const Bytes& word, const Bytes& table);

// The WordDocument and 1Table streams write_doc would store.
void build_streams(const DocPlan& plan, Bytes& word, Bytes& table);

}  // namespace quire_test
