#include "metafile/stream_layout.h"

#include "common/byte_reader.h"

namespace vellum {

uint32_t bounded_record_size(const uint8_t* record, const uint8_t* buffer_end) {
  // Offsets, not `record + bytes - 1`, which could point past the buffer or
  // wrap: the record fits when its byte count fits in what is left.
  const auto start = reinterpret_cast<uintptr_t>(record);
  const auto end = reinterpret_cast<uintptr_t>(buffer_end);
  if (start >= end || end - start < RECORD_HEADER_SIZE) return 0;
  // Twice the word count, wrapping in 32 bits as the size field always has.
  const uint32_t bytes = ByteReader(record, end - start).u32() * 2u;
  if (bytes < RECORD_HEADER_SIZE || bytes > end - start) return 0;
  return bytes;
}

uint32_t record_size_at_least(const uint8_t* record, int32_t minimum) {
  const uint32_t bytes = ByteReader(record, 4).u32() * 2u;
  // Compared as signed, so a size whose double does not fit in 31 bits fails.
  return static_cast<int32_t>(bytes) >= minimum ? bytes : 0;
}

uint32_t decode_header(const uint8_t* buffer, const uint8_t* buffer_end,
                       PlaceableHeader* placeable_out, MetafileHeader* header_out) {
  if (!placeable_out || !header_out || !buffer || !buffer_end || buffer_end < buffer) return 0;
  const ByteReader stream(buffer, static_cast<size_t>(buffer_end - buffer));
  if (stream.left() <= 4) return 0;

  size_t header_start = 0;
  if (ByteReader(stream).u32() == PLACEABLE_KEY) {
    if (stream.left() <= PLACEABLE_SIZE) return 0;
    ByteReader(stream).bytes(placeable_out, PLACEABLE_SIZE);
    header_start = PLACEABLE_SIZE;
  } else {
    *placeable_out = PlaceableHeader{};
  }

  // At least one byte must follow the metafile header.
  if (header_start + METAFILE_HEADER_SIZE >= stream.left()) return 0;
  ByteReader header = stream.from(header_start);
  const size_t offset = header_start + 2u * header.from(2).u16();
  if (offset >= stream.left()) return 0;

  header.bytes(header_out, METAFILE_HEADER_SIZE);
  return static_cast<uint32_t>(offset);
}

}  // namespace vellum
