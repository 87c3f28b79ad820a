// Checks a forced conversion byte by byte: the listed fields reversed, every
// other byte as it was.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vellum::test {

struct Field {
  size_t offset;
  size_t width;  // 2 or 4
};

inline std::vector<uint8_t> reversed_fields(std::vector<uint8_t> bytes, size_t base,
                                            const std::vector<Field>& fields) {
  for (const Field& f : fields)
    std::reverse(bytes.begin() + base + f.offset, bytes.begin() + base + f.offset + f.width);
  return bytes;
}

// n consecutive fields of `width` from `offset`.
inline void add_run(std::vector<Field>& fields, size_t offset, size_t n, size_t width = 2) {
  for (size_t i = 0; i < n; ++i) fields.push_back({offset + i * width, width});
}

inline ::testing::AssertionResult same_bytes(const std::vector<uint8_t>& expected,
                                             const std::vector<uint8_t>& actual) {
  if (expected.size() != actual.size())
    return ::testing::AssertionFailure() << "size " << actual.size() << ", expected " << expected.size();
  for (size_t i = 0; i < expected.size(); ++i)
    if (expected[i] != actual[i])
      return ::testing::AssertionFailure() << "byte " << i << " is 0x" << std::hex << int{actual[i]}
                                           << ", expected 0x" << int{expected[i]};
  return ::testing::AssertionSuccess();
}

}  // namespace vellum::test
