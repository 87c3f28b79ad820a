#include "document.h"

#include <new>
#include <stdexcept>

#include "language_names.h"
#include "word_reader.h"

namespace quire {
namespace {

ByteSpan span_of(const std::vector<uint8_t>& bytes) { return {bytes.data(), bytes.size()}; }

int finish_open(Document& doc, int result, CompoundStreams& streams, const std::string& path) {
  doc = {};
  if (result == OPEN_OK)
    result = read_word_streams(span_of(streams.word), span_of(streams.table0), span_of(streams.table1),
                               doc.model, span_of(streams.data), path);
  if (result != OPEN_OK) {
    doc = {};
    return result;
  }
  doc.properties = std::move(streams.properties);
  doc.language = language_name(doc.model.language);
  layout_document(doc.model, doc.layout);
  return OPEN_OK;
}

// Runs an open; a document that needs more memory than there is is too
// large, anything else thrown on the way means its structures are damaged.
// Either way the document is left empty.
template <typename Open>
int open_guarded(Document& doc, Open open) noexcept {
  int result = OPEN_DAMAGED;
  try {
    return open();
  } catch (const std::bad_alloc&) {
    result = OPEN_TOO_LARGE;
  } catch (const std::length_error&) {
    result = OPEN_TOO_LARGE;
  } catch (...) {
  }
  doc = {};  // moves from an empty document: allocates nothing
  return result;
}

}  // namespace

int open_document(Document& doc, const char* path) {
  return open_guarded(doc, [&] {
    CompoundStreams streams;
    const int result = path ? read_compound_file(path, streams) : OPEN_UNREADABLE;
    return finish_open(doc, result, streams, path ? path : "");
  });
}

int open_document_memory(Document& doc, const uint8_t* data, size_t size, const char* file_path) {
  return open_guarded(doc, [&] {
    CompoundStreams streams;
    const int result = data || size == 0 ? read_compound_memory(data, size, streams) : OPEN_UNREADABLE;
    return finish_open(doc, result, streams, file_path ? file_path : "");
  });
}

int render_document_page(const Document& doc, int page, uint8_t* pixels, int stride) noexcept {
  if (page < 1) return -1;
  try {
    return render_page(doc.model, doc.layout, static_cast<size_t>(page - 1), pixels, stride);
  } catch (...) {
    return -1;  // no memory to lay a short paragraph out again
  }
}

}  // namespace quire
