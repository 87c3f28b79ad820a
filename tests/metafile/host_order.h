// Fixtures come from the builder in file order; the engine reads them after
// the machine's own conversion, as playback does.
#pragma once

#include <cstdint>
#include <vector>

#include "metafile/byte_order.h"

namespace vellum::test {

inline std::vector<uint8_t> to_host(std::vector<uint8_t> bytes) {
  swap_stream(bytes.data(), bytes.size(), false);
  return bytes;
}

}  // namespace vellum::test
