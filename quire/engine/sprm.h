// Property modifiers (sprms): a grpprl is a run of (sprm u16, operand)
// pairs whose operand size follows from the sprm itself.
#pragma once

#include <cstdint>

#include "byte_span.h"

namespace quire {

// The property group a sprm belongs to (bits 10-12 of the sprm).
enum SprmGroup : unsigned { SPRM_PARAGRAPH = 1, SPRM_CHARACTER = 2, SPRM_SECTION = 4, SPRM_TABLE = 5 };

inline unsigned sprm_group(uint16_t sprm) { return (sprm >> 10) & 7u; }

// Walks a grpprl, calling visit(sprm, operand) for every modifier whose
// operand lies wholly inside it. For variable-size operands the span holds
// the bytes after the size field. The walk stops at the first modifier that
// does not fit, or at one whose size cannot be known.
template <class Visit>
void for_each_sprm(ByteSpan grpprl, Visit&& visit);

// Size of the operand starting at `offset` (after the sprm), with the number
// of size-field bytes in front of the payload; false when unknown or outside.
bool sprm_operand_extent(ByteSpan grpprl, uint16_t sprm, size_t offset, size_t& header, size_t& size);

template <class Visit>
void for_each_sprm(ByteSpan grpprl, Visit&& visit) {
  size_t offset = 0;
  uint16_t sprm = 0;
  while (grpprl.read_u16(offset, sprm)) {
    size_t header = 0, size = 0;
    if (!sprm_operand_extent(grpprl, sprm, offset + 2, header, size)) return;
    visit(sprm, grpprl.slice(offset + 2 + header, size));
    offset += 2 + header + size;
  }
}

// The value a toggle operand (bold, italic...) gives against the style's value:
// 0 off, 1 on, 0x80 the style's value, 0x81 its opposite.
inline bool toggle_value(uint8_t operand, bool style_value) {
  if (operand == 0x80) return style_value;
  if (operand == 0x81) return !style_value;
  return operand != 0;
}

}  // namespace quire
