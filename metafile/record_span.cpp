#include "metafile/record_span.h"

#include <algorithm>

namespace vellum {

uint32_t RecordSpan::bytes_from(const uint8_t* at) const {
  // Compared as addresses turned into numbers: `at` may come from a count
  // and lie anywhere, and no pointer arithmetic past the record is done.
  const auto start = reinterpret_cast<uintptr_t>(record_);
  const auto where = reinterpret_cast<uintptr_t>(at);
  if (!record_ || !at || where < start || where - start >= size_) return 0;
  return size_ - static_cast<uint32_t>(where - start);
}

uint32_t RecordSpan::items_from(const uint8_t* at, uint32_t item_size, uint32_t claimed) const {
  if (item_size == 0) return 0;
  return std::min(claimed, bytes_from(at) / item_size);
}

size_t RecordSpan::copy_string(const uint8_t* at, uint32_t max_length, char* out,
                               size_t capacity) const {
  if (!out || capacity == 0) return 0;
  const size_t limit = std::min<size_t>({bytes_from(at), max_length, capacity - 1});
  size_t n = 0;
  while (n < limit && at[n] != 0) {
    out[n] = static_cast<char>(at[n]);
    ++n;
  }
  out[n] = '\0';
  return n;
}

}  // namespace vellum
