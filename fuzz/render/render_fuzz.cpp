// Whole playbacks of arbitrary bytes through play_memory, at a small and a
// large fitting limit (the limit changes the scale on every coordinate).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "render/playback.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > (1u << 20)) return 0;
  const uint32_t limit = (data[size - 1] & 1) ? 200 : 1000;
  std::vector<uint8_t> copy(data, data + size);
  vellum::MemoryMetafile memory{copy.data(), int32_t(copy.size())};
  vellum::RenderTarget target{nullptr, 0, 0};
  vellum::play_memory(&memory, &target, limit);
  std::free(target.Pixels);
  return 0;
}
