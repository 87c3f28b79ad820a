// The records a player passed over, counted by type, so callers can say
// what a picture lacks ("3 SETROP2, 1 ESCAPE not played").
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vellum {

class SkipTally {
 public:
  void add(uint8_t type, uint32_t n = 1) { count_[type] += n; }
  uint32_t count(uint8_t type) const { return count_[type]; }
  uint32_t total() const;
  // "3 SETROP2, 1 ESCAPE": most frequent first, ties by type value; empty
  // when nothing was skipped.
  std::string summary() const;

 private:
  std::array<uint32_t, 256> count_{};
};

}  // namespace vellum
