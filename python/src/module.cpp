// vellum._vellum: libvellum's render calls and the record walk for Python.
// The Python package (vellum/__init__.py) turns paths, sizes and colours
// into the plain arguments these functions take.
#include <pybind11/pybind11.h>

#include <string>
#include <utility>

#include <vellum/vellum.hpp>

#include "python/src/byte_view.h"
#include "python/src/errors.h"
#include "python/src/info.h"
#include "python/src/picture.h"

namespace py = pybind11;
using namespace vellum::python;

namespace {

std::string reason_of(int status) {
  switch (status) {
    case VELLUM_ERROR_INPUT: return "no data";
    case VELLUM_ERROR_FORMAT: return "not a metafile, or its frame is empty";
    case VELLUM_ERROR_SIZE: return "the picture would pass 32767 pixels a side";
  }
  return "cannot be rendered (status " + std::to_string(status) + ")";
}

// Renders with the GIL released, so threads render side by side.
Picture* render(py::object data, const std::string& name, uint32_t max_width, uint32_t max_height, bool exact,
                uint32_t background) {
  const ByteView bytes(data);
  vellum_options options;
  vellum_options_init(&options);
  options.mode = exact ? VELLUM_MODE_EXACT : VELLUM_MODE_GDI;
  options.max_width = max_width;
  options.max_height = max_height;
  options.background = background;
  vellum_report report;
  vellum_report_init(&report);
  vellum::Image image;
  int status;
  {
    py::gil_scoped_release unlocked;
    image = vellum::render_memory(bytes.data(), bytes.size(), options, &status, &report);
  }
  if (status == VELLUM_ERROR_MEMORY) throw std::bad_alloc();
  if (status != VELLUM_OK) throw_error(name + ": " + reason_of(status));
  return new Picture(std::move(image), report);
}

}  // namespace

PYBIND11_MODULE(_vellum, m) {
  m.doc() = "libvellum's WMF renderer; use the vellum package, which wraps this module.";
  py::register_exception<Error>(m, "Error", PyExc_ValueError);
  bind_picture(m);
  bind_info(m);
  m.def("_render", &render, py::arg("data"), py::arg("name"), py::arg("max_width"), py::arg("max_height"),
        py::arg("exact"), py::arg("background"), py::return_value_policy::take_ownership);
  m.attr("DEFAULT_MAX_SIZE") = VELLUM_DEFAULT_MAX_SIZE;
  m.def("library_version", &vellum_version);
}
