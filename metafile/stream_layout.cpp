#include "metafile/stream_layout.h"

#include <cstring>

#include "metafile/field_access.h"

namespace vellum {

uint32_t bounded_record_size(const uint8_t* record, const uint8_t* buffer_end) {
  // Offsets, not `record + bytes - 1`, which could point past the buffer or
  // wrap: the record fits when its byte count fits in what is left.
  const auto start = reinterpret_cast<uintptr_t>(record);
  const auto end = reinterpret_cast<uintptr_t>(buffer_end);
  if (start >= end || end - start < RECORD_HEADER_SIZE) return 0;
  // Twice the word count, wrapping in 32 bits as the size field always has.
  const uint32_t bytes = load_u32(record) * 2u;
  if (bytes < RECORD_HEADER_SIZE || bytes > end - start) return 0;
  return bytes;
}

uint32_t record_size_at_least(const uint8_t* record, int32_t minimum) {
  const uint32_t bytes = load_u32(record) * 2u;
  // Compared as signed, so a size whose double does not fit in 31 bits fails.
  return static_cast<int32_t>(bytes) >= minimum ? bytes : 0;
}

uint32_t decode_header(const uint8_t* buffer, const uint8_t* buffer_end,
                       PlaceableHeader* placeable_out, MetafileHeader* header_out) {
  if (!placeable_out || !header_out || !buffer || !buffer_end || buffer_end < buffer) return 0;
  const size_t length = static_cast<size_t>(buffer_end - buffer);
  if (length <= 4) return 0;

  size_t header_start = 0;
  if (load_u32(buffer) == PLACEABLE_KEY) {
    if (length <= PLACEABLE_SIZE) return 0;
    std::memcpy(placeable_out, buffer, PLACEABLE_SIZE);
    header_start = PLACEABLE_SIZE;
  } else {
    std::memset(placeable_out, 0, PLACEABLE_SIZE);
  }

  // At least one byte must follow the metafile header.
  if (header_start + METAFILE_HEADER_SIZE >= length) return 0;
  const size_t offset = header_start + 2u * load_u16(buffer + header_start + 2);
  if (offset >= length) return 0;

  std::memcpy(header_out, buffer + header_start, METAFILE_HEADER_SIZE);
  return static_cast<uint32_t>(offset);
}

}  // namespace vellum
