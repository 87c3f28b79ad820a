// The edge between C++ and a C caller: a library entry point, a class
// dispatcher or a plain C function runs its work here, so nothing that C++
// throws (std::bad_alloc above all) unwinds into a caller that cannot catch
// it; the caller gets the entry point's failure result instead.
#pragma once

#include <new>

namespace vellum {

template <typename Result, typename Work>
Result without_exceptions(Result failure, Work&& work) noexcept {
  try {
    return work();
  } catch (...) {
    return failure;
  }
}

// For entry points without a result.
template <typename Work>
void without_exceptions(Work&& work) noexcept {
  try {
    work();
  } catch (...) {
  }
}

}  // namespace vellum
