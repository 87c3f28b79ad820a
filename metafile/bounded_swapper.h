// Byte-order conversion confined to one region of a buffer (a header or one
// record): swaps and reads that reach past the region's end touch only the
// whole fields that lie inside it. Internal to the conversion.
#pragma once

#include <cstddef>
#include <cstdint>

#include "metafile/byte_order.h"

namespace vellum {

class BoundedSwapper {
 public:
  // `limit` bytes from `base` belong to the region. `active` is false when
  // file order and host order coincide; `source` is the order the bytes are
  // in before the conversion, used for the counts read ahead.
  BoundedSwapper(uint8_t* base, size_t limit, bool active, Endian source)
      : base_(base), limit_(limit), active_(active), source_(source) {}

  // swap16/swap32 of up to n fields at `at`, only those wholly inside.
  void words(size_t at, uint64_t n);
  void dwords(size_t at, uint64_t n);
  // Every whole 16-bit word from `at` to the region's end.
  void words_to_end(size_t at);

  // A field read in the bytes' order before conversion, that is the host
  // order of the value. False when the field is not wholly inside.
  bool read_u16(size_t at, uint16_t* value) const;
  bool read_i16(size_t at, int16_t* value) const;
  bool read_u32(size_t at, uint32_t* value) const;

 private:
  uint64_t fields_inside(size_t at, size_t width, uint64_t n) const;

  uint8_t* base_;
  size_t limit_;
  bool active_;
  Endian source_;
};

// Converts one record after its size field, by the family of its type.
// `size_words` is the record's declared size (it tells the two forms of the
// bit-block transfers apart); `record` is limited to what lies inside both
// the declared size and the buffer.
void convert_record_body(BoundedSwapper& record, uint8_t type, uint8_t parameter_count,
                         uint32_t size_words);

}  // namespace vellum
