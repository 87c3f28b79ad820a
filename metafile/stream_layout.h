// The WMF stream as the rest of the system sees it once it is in host order:
// the optional placeable header, the metafile header, and the record framing.
#pragma once

#include <cstdint>

namespace vellum {

inline constexpr uint32_t PLACEABLE_KEY = 0x9AC6CDD7;
inline constexpr uint32_t PLACEABLE_SIZE = 22;
inline constexpr uint32_t METAFILE_HEADER_SIZE = 18;
inline constexpr uint32_t RECORD_HEADER_SIZE = 6;

#pragma pack(push, 2)
// 22 bytes at offset 0, present only when the stream starts with the key.
struct PlaceableHeader {
  uint32_t key;
  uint16_t handle;
  int16_t left, top, right, bottom;  // bounding box, metafile units
  uint16_t inch;                     // units per inch (not used for drawing)
  uint32_t reserved;
  uint16_t checksum;                 // XOR of the first ten words; not verified
};

// 18 bytes, at 22 after a placeable header, else at 0.
struct MetafileHeader {
  uint8_t type[2];        // byte data: never byte-swapped
  uint16_t header_size;   // in 16-bit words; the first record follows it
  uint16_t version;
  uint32_t size;          // whole metafile, in 16-bit words
  uint16_t objects;
  uint32_t largest_record;
  uint16_t members;
};

// The first 6 bytes of every record. The function is kept as two bytes so
// that the record type stays at offset 4 whatever the host's byte order.
struct RecordHeader {
  uint32_t size;             // whole record in 16-bit words, at least 3
  uint8_t type;              // low byte of the record function
  uint8_t parameter_count;   // high byte; tells the two forms of BITBLT apart
};
#pragma pack(pop)
static_assert(sizeof(PlaceableHeader) == PLACEABLE_SIZE);
static_assert(sizeof(MetafileHeader) == METAFILE_HEADER_SIZE);
static_assert(sizeof(RecordHeader) == RECORD_HEADER_SIZE);

// The record's size in bytes, or 0 when it is shorter than 3 words or its
// last byte is not inside [record, buffer_end). Used on every record before
// it is played. Works on offsets, so no pointer past the buffer is formed.
uint32_t bounded_record_size(const uint8_t* record, const uint8_t* buffer_end);

// The record's size in bytes when it is at least `minimum` bytes, else 0.
// Only for records that bounded_record_size has accepted.
uint32_t record_size_at_least(const uint8_t* record, int32_t minimum);

// Copies the headers out of a converted stream. Returns the offset of the
// first record from `buffer`, or 0 on failure (see the .cpp for the order in
// which the outputs are written).
uint32_t decode_header(const uint8_t* buffer, const uint8_t* buffer_end,
                       PlaceableHeader* placeable_out, MetafileHeader* header_out);

}  // namespace vellum
