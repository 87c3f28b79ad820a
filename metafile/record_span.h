// The one place where counted data inside a record is checked against the
// record's extent. A decoder returns the record's size; a consumer wraps
// (record, size) in a RecordSpan and asks it how much of what a count claims
// really lies inside the record. Claims are cut to what fits, never read
// beyond; offsets are compared, no pointer past the record is formed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vellum {

class RecordSpan {
 public:
  RecordSpan(const uint8_t* record, uint32_t size) : record_(record), size_(size) {}

  // Bytes of the record from `at` to its end (0 when `at` lies outside).
  uint32_t bytes_from(const uint8_t* at) const;

  // How many whole items of item_size bytes, at most `claimed`, lie inside
  // the record from `at` on.
  uint32_t items_from(const uint8_t* at, uint32_t item_size, uint32_t claimed) const;

  // Copies a byte string that starts at `at` into out (capacity > 0 bytes,
  // always NUL-terminated): stops at a NUL, after `max_length` bytes, at
  // capacity - 1, or at the record's end, whichever comes first. Returns the
  // number of bytes copied before the NUL.
  size_t copy_string(const uint8_t* at, uint32_t max_length, char* out, size_t capacity) const;

 private:
  const uint8_t* record_;
  uint32_t size_;
};

}  // namespace vellum
