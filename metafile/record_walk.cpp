#include "metafile/record_walk.h"

#include "metafile/stream_layout.h"

namespace vellum {
namespace {

// The function's two bytes are never converted: the type byte comes first
// in file order and after conversion alike, so the word is composed from
// them rather than read in the stream's order.
uint16_t read_function(ByteReader& r) {
  const uint8_t type = r.u8();
  return uint16_t(type | r.u8() << 8);
}

}  // namespace

bool read_stream_start(ByteReader& stream, StreamStart* start) {
  *start = StreamStart{};
  ByteReader probe = stream;
  if (probe.u32() == PLACEABLE_KEY) {
    start->placeable = true;
    probe.skip(2);  // handle
    start->left = probe.i16();
    start->top = probe.i16();
    start->right = probe.i16();
    start->bottom = probe.i16();
    start->units_per_inch = probe.u16();
    probe.skip(6);  // reserved, checksum
    if (probe.failed()) return false;
    stream = probe;
  }
  ByteReader header = stream;
  header.skip(2);  // type: memory or disk
  start->header_words = header.u16();
  start->version = header.u16();
  start->size_words = header.u32();
  start->objects = header.u16();
  start->largest_record_words = header.u32();
  header.skip(2);  // members
  if (header.failed() || start->header_words < METAFILE_HEADER_SIZE / 2) return false;
  return stream.skip(2u * start->header_words);
}

Record record_at(const uint8_t* record) {
  ByteReader header(record, RECORD_HEADER_SIZE);
  const uint32_t bytes = header.u32() * 2u;  // wraps in 32 bits, as the field always has
  Record r{};
  r.function = read_function(header);
  if (int32_t(bytes) < int32_t(RECORD_HEADER_SIZE)) return r;
  r.size_bytes = bytes;
  r.params = ByteReader(record, bytes).from(RECORD_HEADER_SIZE);
  return r;
}

bool RecordWalk::next(Record* record) {
  if (rest_.left() == 0) return false;
  const uint32_t words = rest_.u32();
  const uint16_t function = read_function(rest_);
  if (rest_.failed() || words < 3 || words > (rest_.left() + RECORD_HEADER_SIZE) / 2) {
    broken_ = true;
    return false;
  }
  if (function == 0) {
    ended_ = true;
    return false;
  }
  record->function = function;
  record->size_bytes = words * 2;
  record->params = rest_.sub(record->size_bytes - RECORD_HEADER_SIZE);
  return true;
}

}  // namespace vellum
