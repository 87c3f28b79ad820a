// Forbid/Permit: on exec they stop task switching; here one recursive lock
// shared by every thread of the process gives the same exclusion.
#include <mutex>

#include "internal.h"

namespace {
std::recursive_mutex& forbid_lock() {
  static std::recursive_mutex lock;
  return lock;
}
}  // namespace

extern "C" void Forbid(void) { forbid_lock().lock(); }
extern "C" void Permit(void) { forbid_lock().unlock(); }
