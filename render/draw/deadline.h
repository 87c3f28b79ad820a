// A time budget for one playback. Players ask between records whether it
// has passed, and stop there, keeping what they drew.
#pragma once

#include <chrono>
#include <cstdint>

namespace vellum::draw {

class Deadline {
 public:
  // No budget: never passes.
  Deadline() = default;
  // Passes `milliseconds` after now; 0 is no budget.
  explicit Deadline(uint32_t milliseconds);

  // Looks at the clock once every CHECK_EVERY calls, so a player can ask at
  // every record.
  bool passed();

 private:
  static constexpr uint32_t CHECK_EVERY = 32;
  std::chrono::steady_clock::time_point end_{};
  bool set_ = false;
  bool passed_ = false;
  uint32_t calls_ = 0;
};

}  // namespace vellum::draw
