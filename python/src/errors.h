// The module's own exception, vellum.Error (a ValueError): the input is no
// picture that can be rendered. The message names the input and the reason.
#pragma once

#include <stdexcept>
#include <string>

namespace vellum::python {

struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] inline void throw_error(const std::string& message) { throw Error(message); }

}  // namespace vellum::python
