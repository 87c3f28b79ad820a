#include "metafile/byte_order.h"

#include <algorithm>
#include <bit>

#include "metafile/bounded_swapper.h"
#include "metafile/record_names.h"
#include "metafile/stream_layout.h"

namespace vellum {

void swap16(uint8_t* at, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i, at += 2) std::swap(at[0], at[1]);
}

void swap32(uint8_t* at, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i, at += 4) {
    std::swap(at[0], at[3]);
    std::swap(at[1], at[2]);
  }
}

uint64_t BoundedSwapper::fields_inside(size_t at, size_t width, uint64_t n) const {
  if (at >= limit_) return 0;
  return std::min<uint64_t>(n, (limit_ - at) / width);
}

void BoundedSwapper::words(size_t at, uint64_t n) {
  const uint64_t count = fields_inside(at, 2, n);
  if (active_) swap16(base_ + at, static_cast<uint32_t>(count));
}

void BoundedSwapper::dwords(size_t at, uint64_t n) {
  const uint64_t count = fields_inside(at, 4, n);
  if (active_) swap32(base_ + at, static_cast<uint32_t>(count));
}

void BoundedSwapper::words_to_end(size_t at) { words(at, limit_); }

bool BoundedSwapper::read_u16(size_t at, uint16_t* value) const {
  if (fields_inside(at, 2, 1) == 0) return false;
  const uint8_t* p = base_ + at;
  *value = source_ == Endian::little ? static_cast<uint16_t>(p[0] | p[1] << 8)
                                     : static_cast<uint16_t>(p[0] << 8 | p[1]);
  return true;
}

bool BoundedSwapper::read_i16(size_t at, int16_t* value) const {
  uint16_t raw;
  if (!read_u16(at, &raw)) return false;
  *value = static_cast<int16_t>(raw);
  return true;
}

bool BoundedSwapper::read_u32(size_t at, uint32_t* value) const {
  if (fields_inside(at, 4, 1) == 0) return false;
  const uint8_t* p = base_ + at;
  *value = source_ == Endian::little
               ? uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24
               : uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
  return true;
}

namespace {

Endian machine_order() {
  return std::endian::native == std::endian::big ? Endian::big : Endian::little;
}

// Before a conversion to host order the bytes are in file order; before one
// to file order they are in host order.
Endian source_order(Endian host, bool to_file_order) {
  return to_file_order ? host : Endian::little;
}

}  // namespace

uint32_t swap_header_for(Endian host, uint8_t* buffer, size_t length, bool to_file_order) {
  if (!buffer) return 0;
  BoundedSwapper header(buffer, length, host == Endian::big, source_order(host, to_file_order));
  size_t start = 0;
  uint32_t key = 0;
  if (header.read_u32(0, &key) && key == PLACEABLE_KEY) {
    header.dwords(0, 1);   // key
    header.words(4, 1);    // handle
    header.words(6, 4);    // bounding box
    header.words(14, 1);   // units per inch
    header.dwords(16, 1);  // reserved
    header.words(20, 1);   // checksum
    start = PLACEABLE_SIZE;
  }
  uint16_t header_words = 0;
  const bool readable = header.read_u16(start + 2, &header_words);
  // The two type bytes at the header's start stay as they are.
  header.words(start + 2, 2);    // header size, version
  header.dwords(start + 6, 1);   // size of the metafile
  header.words(start + 10, 1);   // number of objects
  header.dwords(start + 12, 1);  // largest record
  header.words(start + 16, 1);   // number of members
  // A header cut before its size field: past the buffer's end, so the walk stops.
  if (!readable) return static_cast<uint32_t>(start + METAFILE_HEADER_SIZE);
  return static_cast<uint32_t>(start + 2u * header_words);
}

int swap_stream_for(Endian host, uint8_t* buffer, size_t length, bool to_file_order) {
  if (!buffer) return 0;
  const bool active = host == Endian::big;
  const Endian source = source_order(host, to_file_order);
  uint64_t offset = swap_header_for(host, buffer, length, to_file_order);
  while (offset < length) {
    const size_t left = length - static_cast<size_t>(offset);
    if (left < RECORD_HEADER_SIZE) return 0;
    uint8_t* record = buffer + offset;
    uint32_t size_words = 0;
    BoundedSwapper(record, left, false, source).read_u32(0, &size_words);
    if (size_words < 3) return 0;  // it would not advance the walk
    const uint64_t bytes = 2ull * size_words;
    BoundedSwapper body(record, static_cast<size_t>(std::min<uint64_t>(bytes, left)), active, source);
    body.dwords(0, 1);
    convert_record_body(body, record[4], record[5], size_words);
    if (record[4] == U_WMR_EOF) return 1;
    offset += bytes;
  }
  return 0;
}

uint32_t swap_header(uint8_t* buffer, size_t length, bool to_file_order) {
  return swap_header_for(machine_order(), buffer, length, to_file_order);
}

// On a little-endian host file order is host order: this walk then changes
// no byte, and only its result (end-of-file record met or not) matters.
int swap_stream(uint8_t* buffer, size_t length, bool to_file_order) {
  return swap_stream_for(machine_order(), buffer, length, to_file_order);
}

}  // namespace vellum
