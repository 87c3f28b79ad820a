// Reads a Word 97-2003 document from its WordDocument and table streams
// into the document model.
#pragma once

#include <string>

#include "byte_span.h"
#include "document_model.h"

namespace quire {

// Largest main text this reader lays out, in characters.
constexpr uint32_t MAX_TEXT_CHARS = 1u << 21;

// `table0` and `table1` are the "0Table" and "1Table" streams (either may be
// empty); the FIB chooses between them. Returns an OpenResult.
// `data` is the Data stream (pictures), empty when absent; `file_path` the
// file the streams come from (FILENAME fields show it), empty when unknown.
int read_word_streams(ByteSpan word, ByteSpan table0, ByteSpan table1, DocumentModel& model, ByteSpan data = {},
                      const std::string& file_path = {});

}  // namespace quire
