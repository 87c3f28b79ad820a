#include "render/draw/deadline.h"

namespace vellum::draw {

Deadline::Deadline(uint32_t milliseconds)
    : end_(std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds)), set_(milliseconds != 0) {}

bool Deadline::passed() {
  if (!set_ || passed_) return passed_;
  if (calls_++ % CHECK_EVERY == 0) passed_ = std::chrono::steady_clock::now() >= end_;
  return passed_;
}

}  // namespace vellum::draw
