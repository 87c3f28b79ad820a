// Size products checked before they are used: how many bytes `count`
// things of `size` bytes take, refused when the product passes `limit`
// (so an allocation or a read of that many bytes is never attempted).
#pragma once

#include <cstdint>

namespace vellum {

inline bool checked_product(uint64_t count, uint64_t size, uint64_t limit, uint64_t* out) {
  if (size != 0 && count > limit / size) return false;
  *out = count * size;
  return true;
}

}  // namespace vellum
