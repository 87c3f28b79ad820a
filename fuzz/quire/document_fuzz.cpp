// Fuzzes the document reader and the layout behind it. An input that starts
// like a compound file is opened whole (libgsf, then the reader); any other
// input is split into a WordDocument and a table stream and read directly,
// so mutations reach the FIB, piece table and formatting pages at once.
// Input of the direct form: u32 little-endian WordDocument length, the
// WordDocument bytes, then the table stream.
#include <glib.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/document.h"
#include "engine/word_reader.h"

namespace {

constexpr uint8_t COMPOUND_SIGNATURE[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

void ignore_log(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

void read_streams(const uint8_t* data, size_t size, quire::Document& doc) {
  if (size < 4) return;
  const uint32_t word_size = data[0] | data[1] << 8 | data[2] << 16 | uint32_t{data[3]} << 24;
  if (word_size > size - 4) return;
  const quire::ByteSpan word{data + 4, word_size};
  const quire::ByteSpan table{data + 4 + word_size, size - 4 - word_size};
  if (quire::read_word_streams(word, table, table, doc.model) == quire::OPEN_OK)
    quire::layout_document(doc.model, doc.layout);
}

}  // namespace

// Full stack unwinding on every allocation, so that leaks inside libgsf
// (which has no frame pointers) can be told from ours and excused.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = [] {
    g_log_set_default_handler(ignore_log, nullptr);  // libgsf complains about every broken file
    return true;
  }();
  (void)quiet;
  quire::Document doc;
  if (size >= sizeof COMPOUND_SIGNATURE && std::memcmp(data, COMPOUND_SIGNATURE, sizeof COMPOUND_SIGNATURE) == 0)
    quire::open_document_memory(doc, data, size);
  else
    read_streams(data, size, doc);
  if (doc.page_count() > 0) {
    static std::vector<uint8_t> pixels(2380 * 842);
    quire::render_document_page(doc, doc.page_count(), pixels.data(), 2380);
  }
  return 0;
}
