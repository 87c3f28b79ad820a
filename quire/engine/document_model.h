// The document as the reader hands it to the layout: blocks of paragraphs,
// table rows and page breaks, each paragraph UTF-8 text with runs of
// character properties.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "properties.h"

namespace quire {

// Invariant: runs are ordered, non-empty, and cover [0, text.size()) without gaps.
struct TextRun {
  uint32_t start = 0, end = 0;  // byte offsets into Paragraph::text
  CharProps props;
};

struct Paragraph {
  std::string text;
  std::vector<TextRun> runs;
  ParaProps props;
  CharProps mark;  // properties of the paragraph mark: the height of an empty line
};

struct TableCell {
  std::vector<Paragraph> paragraphs;
};

struct TableRow {
  std::vector<TableCell> cells;
  std::vector<int16_t> edges;  // cell boundaries in twips, cells + 1 of them, or empty
};

enum class BlockKind : uint8_t { PARAGRAPH, ROW, PAGE_BREAK };

struct Block {
  BlockKind kind = BlockKind::PARAGRAPH;
  uint16_t section = 0;
  Paragraph paragraph;  // for PARAGRAPH
  TableRow row;         // for ROW
};

// Page margins in twips; the page itself is always A4.
struct SectionFormat {
  uint32_t cp_end = 0;
  int32_t left = 1440, right = 1440, top = 1440, bottom = 1440;
  uint8_t break_kind = 2;  // how the section starts: 0 continuous, 2 new page...
};

struct DocumentModel {
  std::vector<Block> blocks;
  std::vector<SectionFormat> sections;
  std::vector<std::string> fonts;
  CharProps defaults;
  uint16_t language = 0;  // language id of the text
};

}  // namespace quire
