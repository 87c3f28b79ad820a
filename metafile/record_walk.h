// The record walk over a whole stream: the optional placeable header, the
// metafile header, then each record as its function and a reader limited to
// the record's declared size. Nothing outside a record's own bytes is ever
// reachable from its reader.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/byte_reader.h"

namespace vellum {

struct StreamStart {
  bool placeable;
  // The placeable header's fields (all 0 without one).
  int16_t left, top, right, bottom;
  uint16_t units_per_inch;
  // The metafile header's fields.
  uint16_t header_words;
  uint16_t version;
  uint32_t size_words;
  uint16_t objects;
  uint32_t largest_record_words;
};

// Reads both headers from the start of `stream` and leaves it at the first
// record; false when they do not fit or the header size points past the end.
bool read_stream_start(ByteReader& stream, StreamStart* start);

struct Record {
  uint16_t function;    // the whole function word; its low byte is the type
  uint32_t size_bytes;  // declared size, at least the 6-byte header
  ByteReader params;    // the bytes after the 6-byte header, to the declared end
  uint8_t type() const { return uint8_t(function & 0xFF); }
};

// The record at an address whose declared size has been checked against
// its buffer (bounded_record_size), as the walk would yield it, in host
// order. A size whose double does not fit in 31 bits gives size_bytes 0 and
// no parameters, which every decoder refuses.
Record record_at(const uint8_t* record);

class RecordWalk {
 public:
  // `records` starts at the first record (after read_stream_start).
  explicit RecordWalk(ByteReader records) : rest_(records) {}

  // The next record. False at the end-of-file record, at the end of the
  // bytes, or at a record whose size is below 3 words or past what is left
  // (then broken() is true).
  bool next(Record* record);
  bool broken() const { return broken_; }
  // True once the walk has met the end-of-file record.
  bool ended() const { return ended_; }

 private:
  ByteReader rest_;
  bool broken_ = false;
  bool ended_ = false;
};

}  // namespace vellum
