// Writes a window picture (PNG bytes) to the name given, through the
// shared whole-or-nothing output: the file is complete or not there.
#pragma once

#include <cstddef>
#include <string>

namespace vellum_view {

// EXIT_OK, or EXIT_NOT_WRITTEN after saying why on standard error.
int write_screenshot(const void* png, size_t size, const std::string& name);

}  // namespace vellum_view
