// Formatted disk pages (FKPs): the 512-byte pages of the WordDocument stream
// that map byte ranges of text to character (CHPX) and paragraph (PAPX)
// property modifiers, found through the bin tables in the table stream.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_span.h"

namespace quire {

// A PlcBte: ascending FC boundaries and the page number serving each range.
struct BinTable {
  std::vector<uint32_t> fcs;    // n + 1 boundaries
  std::vector<uint32_t> pages;  // n page numbers

  // Reads the table; false when its size is not a whole PLC.
  bool parse(ByteSpan plc);
};

// What a lookup found: the modifiers for the byte at `fc` and where that
// stretch of formatting ends (exclusive FC). `end` is always beyond `fc`.
struct FormatRun {
  ByteSpan grpprl;
  uint16_t style = 0;  // paragraph pages only: the paragraph's istd
  uint32_t end = 0;
};

class FormatPages {
 public:
  FormatPages(ByteSpan word, const BinTable& chpx, const BinTable& papx)
      : word_(word), chpx_(chpx), papx_(papx) {}

  FormatRun character_run(uint32_t fc) const;
  FormatRun paragraph_run(uint32_t fc) const;

 private:
  // The 512-byte page that serves `fc` in `bins`, or an empty span.
  ByteSpan page_for(const BinTable& bins, uint32_t fc) const;
  size_t locate(const BinTable& bins, uint32_t fc, unsigned max_entries, size_t entry_size, FormatRun& run,
                ByteSpan& page) const;

  ByteSpan word_;
  const BinTable& chpx_;
  const BinTable& papx_;
};

}  // namespace quire
