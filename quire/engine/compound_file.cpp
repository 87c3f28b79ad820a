#include "compound_file.h"

#include <fcntl.h>
#include <gsf/gsf.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "open_result.h"

namespace quire {
namespace {

void ensure_gsf_initialised() {
  static const bool done = [] {
    gsf_init();
    return true;
  }();
  (void)done;
}

// Copies a named child stream whole, up to `limit` bytes. A missing stream
// leaves `out` empty and succeeds; an oversized or unreadable one fails.
int copy_child(GsfInfile* infile, const char* name, std::vector<uint8_t>& out, size_t limit = MAX_STREAM_BYTES) {
  GsfInput* child = gsf_infile_child_by_name(infile, name);
  if (!child) return OPEN_OK;
  int result = OPEN_OK;
  const gsf_off_t size = gsf_input_size(child);
  if (size < 0) {
    result = OPEN_DAMAGED;
  } else if (static_cast<uint64_t>(size) > limit) {
    result = OPEN_TOO_LARGE;
  } else {
    out.resize(static_cast<size_t>(size));
    if (size > 0 && !gsf_input_read(child, static_cast<size_t>(size), out.data())) {
      out.clear();
      result = OPEN_DAMAGED;
    }
  }
  g_object_unref(child);
  return result;
}

// Property sets are optional: a broken or oversized one costs only its
// properties, never the document.
void read_properties(GsfInfile* infile, DocumentProperties& out) {
  std::vector<uint8_t> bytes;
  if (copy_child(infile, "\005SummaryInformation", bytes, MAX_PROPERTY_STREAM_BYTES) == OPEN_OK)
    read_summary_information({bytes.data(), bytes.size()}, out);
  bytes.clear();
  if (copy_child(infile, "\005DocumentSummaryInformation", bytes, MAX_PROPERTY_STREAM_BYTES) == OPEN_OK)
    read_document_summary_information({bytes.data(), bytes.size()}, out);
}

int read_from_input(GsfInput* input, CompoundStreams& out) {
  GError* error = nullptr;
  GsfInfile* infile = gsf_infile_msole_new(input, &error);
  if (error) g_error_free(error);
  if (!infile) return OPEN_NOT_COMPOUND;

  int result = copy_child(infile, "WordDocument", out.word);
  if (result == OPEN_OK && out.word.empty()) result = OPEN_NOT_WORD;
  if (result == OPEN_OK) result = copy_child(infile, "0Table", out.table0);
  if (result == OPEN_OK) result = copy_child(infile, "1Table", out.table1);
  if (result == OPEN_OK) read_properties(infile, out.properties);
  // Pictures live in the Data stream; without it (or with a broken one) the
  // document still opens, its pictures left empty.
  if (result == OPEN_OK && copy_child(infile, "Data", out.data) != OPEN_OK) out.data.clear();
  g_object_unref(infile);
  return result;
}

}  // namespace

int read_compound_file(const char* path, CompoundStreams& out) {
  ensure_gsf_initialised();
  // Opened without blocking, so a FIFO or a device does not wait here; only
  // a regular file of at most MAX_FILE_BYTES is read, and nothing is read
  // before that is known.
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return OPEN_UNREADABLE;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return OPEN_UNREADABLE;
  }
  if (static_cast<uint64_t>(info.st_size) > MAX_FILE_BYTES) {
    ::close(fd);
    return OPEN_TOO_LARGE;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  FILE* file = ::fdopen(fd, "rb");
  if (!file) {
    ::close(fd);
    return OPEN_UNREADABLE;
  }
  // A regular file is seekable, so libgsf reads it in place (it copies only
  // inputs it cannot seek).
  GsfInput* input = gsf_input_stdio_new_FILE(path, file, FALSE);
  if (!input) {
    std::fclose(file);
    return OPEN_UNREADABLE;
  }
  const int result = read_from_input(input, out);
  g_object_unref(input);  // closes the file
  return result;
}

int read_compound_memory(const uint8_t* data, size_t size, CompoundStreams& out) {
  ensure_gsf_initialised();
  if (size == 0) return OPEN_NOT_COMPOUND;
  GsfInput* input = gsf_input_memory_new(data, static_cast<gsf_off_t>(size), FALSE);
  if (!input) return OPEN_UNREADABLE;
  const int result = read_from_input(input, out);
  g_object_unref(input);
  return result;
}

}  // namespace quire
