// libFuzzer entry: any bytes as a metafile. Converts them with a forced
// big-endian order there and back (a complete stream must come back as it
// was) and with the machine's order, then walks the records as playback would.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/metafile/record_walk.h"
#include "metafile/byte_order.h"
#include "metafile/stream_layout.h"

namespace {

// The round trip is exact for a stream that was converted to its end-of-file
// record, unless the declared header is shorter than the 18 bytes it
// occupies: then the first record overlaps it and each direction reads that
// record's size from differently converted bytes. (A walk that stops early
// leaves the rest unconverted, which the way back reads differently.)
bool header_is_whole(const std::vector<uint8_t>& bytes) {
  size_t start = 0;
  if (bytes.size() >= 4 && bytes[0] == 0xD7 && bytes[1] == 0xCD && bytes[2] == 0xC6 && bytes[3] == 0x9A)
    start = vellum::PLACEABLE_SIZE;
  if (bytes.size() < start + 4) return true;
  return (bytes[start + 2] | bytes[start + 3] << 8) >= 9;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Exactly sized copies, so the sanitizer sees any access past the end.
  const std::vector<uint8_t> original(data, data + size);
  std::vector<uint8_t> forced = original;
  const int complete = vellum::swap_stream_for(vellum::Endian::big, forced.data(), forced.size(), false);
  vellum::swap_stream_for(vellum::Endian::big, forced.data(), forced.size(), true);
  if (complete && header_is_whole(original) && forced != original) std::abort();

  std::vector<uint8_t> host = original;
  vellum::swap_stream(host.data(), host.size(), false);
  volatile uint32_t sink = vellum::fuzz::walk_records(host.data(), host.size());
  (void)sink;
  return 0;
}
