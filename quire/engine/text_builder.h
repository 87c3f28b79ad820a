// Builds the document model from the text of the document's parts: walks
// the piece table, decodes characters, follows fields, and turns paragraph,
// cell, row, page and section marks into blocks with their properties.
// List labels, note reference marks, inline pictures, floating-picture
// anchors and page-number fields are resolved on the way.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "byte_span.h"
#include "document_model.h"
#include "format_pages.h"
#include "lists.h"
#include "piece_table.h"
#include "style_sheet.h"

namespace quire {

// Where note reference marks and floating-picture anchors of the main text lie.
struct AnchorMaps {
  std::map<uint32_t, uint32_t> footnotes, endnotes;  // CP of an auto-numbered mark -> note index
  std::multimap<uint32_t, uint32_t> floats;          // CP of a 0x08 anchor -> FloatingPicture indices
};

struct TextSources {
  ByteSpan word;
  const std::vector<Piece>& pieces;
  const FormatPages& pages;
  const StyleSheet& styles;
  uint32_t text_end;  // ccpText: only [0, text_end) is the main document
  ListTable* lists = nullptr;
  // Loads the picture whose descriptor lies at this Data-stream offset into
  // the model; returns its index + 1, or 0 when there is none.
  std::function<uint32_t(uint32_t)> load_picture;
  const AnchorMaps* anchors = nullptr;
  ByteSpan data;  // the Data stream: form-field data
  std::string file_path;  // where the document was opened from (FILENAME fields), empty when unknown
  std::tm now{};          // the moment DATE and TIME fields show
};

// Appends the main document's blocks to `model` (its sections must be set).
void build_text(const TextSources& sources, DocumentModel& model);

// Builds the blocks of text [cp_start, cp_end) of another part (a header,
// a note). `mark` is what an auto-numbered note mark (0x02) shows there.
std::vector<Block> build_story(const TextSources& sources, DocumentModel& model, uint32_t cp_start,
                               uint32_t cp_end, const std::string& mark = {});

}  // namespace quire
