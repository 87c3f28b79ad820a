// vellum.info: a metafile's headers and its records counted by type.
#pragma once

#include <pybind11/pybind11.h>

namespace vellum::python {

// Adds _info(data, name, exact) to the module.
void bind_info(pybind11::module_& m);

}  // namespace vellum::python
