// The document engine's entry point: open a Word 97-2003 document, read its
// properties, lay it out into A4 pages and draw any page into ARGB32 pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "compound_file.h"
#include "document_model.h"
#include "open_result.h"
#include "page_layout.h"

namespace quire {

// Pages point into the model, so a document moves but is never copied.
struct Document {
  Document() = default;
  Document(Document&&) = default;
  Document& operator=(Document&&) = default;
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  DocumentProperties properties;
  std::string language;  // readable name of the text's language, "" when unknown
  DocumentModel model;
  PageLayout layout;

  int page_count() const { return static_cast<int>(layout.pages.size()); }
};

// Opens and lays out a document. Returns an OpenResult; on any refusal the
// document is left empty (no pages, empty texts). Nothing is thrown: a
// document that runs out of memory is OPEN_TOO_LARGE.
int open_document(Document& doc, const char* path);
// `file_path` names the file the bytes came from, for FILENAME fields.
int open_document_memory(Document& doc, const uint8_t* data, size_t size, const char* file_path = nullptr);

// Draws page `page` (counted from 1) into a 595 x 842 ARGB32 buffer with
// `stride` bytes per row. Returns 0, or -1 when there is no such page.
int render_document_page(const Document& doc, int page, uint8_t* pixels, int stride) noexcept;

}  // namespace quire
