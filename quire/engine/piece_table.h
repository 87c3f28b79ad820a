// The piece table (CLX): where each stretch of the logical text lies in the
// WordDocument stream and whether it is stored as 8-bit or UTF-16 text.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_span.h"

namespace quire {

struct Piece {
  uint32_t cp_start = 0, cp_end = 0;  // [cp_start, cp_end) in the logical text
  uint32_t fc = 0;                    // byte offset of cp_start in WordDocument
  bool compressed = false;            // 8-bit text (one byte per character)
  ByteSpan grpprl;                    // the piece's own property modifiers, if any

  uint32_t bytes_per_char() const { return compressed ? 1 : 2; }
  uint32_t fc_of(uint32_t cp) const { return fc + (cp - cp_start) * bytes_per_char(); }
};

// Reads the CLX from the table stream and checks every piece against the
// WordDocument stream. Pieces are in ascending CP order. Returns an OpenResult.
int parse_piece_table(ByteSpan table, uint32_t fc_clx, uint32_t lcb_clx, ByteSpan word,
                      std::vector<Piece>& out);

}  // namespace quire
