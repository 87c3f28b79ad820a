// Builds the document model from the text of the main document: walks the
// piece table, decodes characters, follows fields, and turns paragraph,
// cell, row, page and section marks into blocks with their properties.
#pragma once

#include <vector>

#include "byte_span.h"
#include "document_model.h"
#include "format_pages.h"
#include "piece_table.h"
#include "style_sheet.h"

namespace quire {

struct TextSources {
  ByteSpan word;
  const std::vector<Piece>& pieces;
  const FormatPages& pages;
  const StyleSheet& styles;
  uint32_t text_end;  // ccpText: only [0, text_end) is the main document
};

// Appends the main document's blocks to `model` (its sections must be set).
void build_text(const TextSources& sources, DocumentModel& model);

}  // namespace quire
