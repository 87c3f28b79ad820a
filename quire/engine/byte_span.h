// A bounded view over untrusted bytes. Every read of a .doc structure goes
// through it: offsets and lengths are compared as counts against the size,
// never by forming pointers past the end, and a read that does not fit
// answers "no" instead of returning zeros.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quire {

struct ByteSpan {
  const uint8_t* data = nullptr;
  size_t size = 0;

  // True when [offset, offset + count) lies inside the span.
  bool contains(uint64_t offset, uint64_t count) const {
    return offset <= size && count <= size - offset;
  }

  // The sub-span [offset, offset + count), or an empty span when it does not fit.
  ByteSpan slice(uint64_t offset, uint64_t count) const {
    if (!contains(offset, count)) return {};
    return {data + offset, static_cast<size_t>(count)};
  }

  bool read_u8(uint64_t offset, uint8_t& out) const {
    if (!contains(offset, 1)) return false;
    out = data[offset];
    return true;
  }
  bool read_u16(uint64_t offset, uint16_t& out) const {
    if (!contains(offset, 2)) return false;
    out = static_cast<uint16_t>(data[offset] | data[offset + 1] << 8);
    return true;
  }
  bool read_u32(uint64_t offset, uint32_t& out) const {
    if (!contains(offset, 4)) return false;
    out = static_cast<uint32_t>(data[offset]) | static_cast<uint32_t>(data[offset + 1]) << 8 |
          static_cast<uint32_t>(data[offset + 2]) << 16 | static_cast<uint32_t>(data[offset + 3]) << 24;
    return true;
  }

  // Unchecked little-endian reads for callers that already checked contains().
  uint16_t u16_at(size_t offset) const {
    return static_cast<uint16_t>(data[offset] | data[offset + 1] << 8);
  }
  uint32_t u32_at(size_t offset) const {
    return static_cast<uint32_t>(data[offset]) | static_cast<uint32_t>(data[offset + 1]) << 8 |
           static_cast<uint32_t>(data[offset + 2]) << 16 | static_cast<uint32_t>(data[offset + 3]) << 24;
  }
};

}  // namespace quire
