// Writes small Word 97 documents for the tests: an OLE2 compound file (via
// libgsf) with a WordDocument stream (FIB, text pieces, CHPX/PAPX pages,
// SEPX), a 1Table stream (style sheet, font table, sections, bin tables,
// piece table) and both property-set streams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

struct DocPlan {
  std::vector<RunPlan> runs;
  // Paragraph modifiers for the n-th paragraph (counted by its end mark);
  // paragraphs past the end of the list have none.
  std::vector<Bytes> paragraphs;
  std::vector<uint16_t> paragraph_styles;  // istd per paragraph, 0 when absent
  // Style 0 is "Normal"; more may follow.
  std::vector<StylePlan> styles{{u"Normal", 0xFFF, {}, {}}};
  Bytes section;  // section modifiers (margins...)
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

// Where the FIB keeps the piece table's (offset, size) pair.
constexpr size_t FIB_CLX_PAIR = 0x1A2;

// A compound file holding the given streams as WordDocument and 1Table
// (no 1Table when `table` is empty), for tests that damage a stream.
Bytes write_compound(const Bytes& word, const Bytes& table);

// The WordDocument and 1Table streams write_doc would store.
void build_streams(const DocPlan& plan, Bytes& word, Bytes& table);

}  // namespace quire_test
