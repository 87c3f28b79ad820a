#include "python/src/picture.h"

#include <cairo.h>

#include <memory>
#include <new>
#include <utility>

#include "tools/common/cairo_output.h"

namespace py = pybind11;

namespace vellum::python {
namespace {

// No exception may cross cairo's C frames: running out of memory is its status.
cairo_status_t append_to_string(void* closure, const unsigned char* data, unsigned int length) {
  try {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  } catch (const std::bad_alloc&) {
    return CAIRO_STATUS_NO_MEMORY;
  }
  return CAIRO_STATUS_SUCCESS;
}

// Encodes the pixels as PNG through write; the surface only borrows them.
cairo_status_t encode_png(const Image& image, cairo_write_func_t write, void* closure) {
  auto* pixels = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(image.pixels()));
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, int(image.width()), int(image.height()),
                                          int(image.stride())),
      cairo_surface_destroy);
  const cairo_status_t status = cairo_surface_status(surface.get());
  if (status != CAIRO_STATUS_SUCCESS) return status;
  return cairo_surface_write_to_png_stream(surface.get(), write, closure);
}

}  // namespace

Picture::Picture(Image image, const vellum_report& report)
    : image_(std::move(image)), skipped_(report.skipped_total), transparent_(report.transparent != 0) {
  skipped_text_.resize(vellum_report_skipped_text(&report, nullptr, 0));
  vellum_report_skipped_text(&report, skipped_text_.data(), skipped_text_.size() + 1);
}

py::buffer_info Picture::buffer() const {
  const auto h = py::ssize_t(height()), w = py::ssize_t(width()), stride = py::ssize_t(image_.stride());
  return py::buffer_info(const_cast<uint32_t*>(image_.pixels()), 1, py::format_descriptor<uint8_t>::format(), 3,
                         {h, w, py::ssize_t(4)}, {stride, py::ssize_t(4), py::ssize_t(1)}, true);
}

py::bytes Picture::bytes() const {
  return py::bytes(reinterpret_cast<const char*>(image_.pixels()), size_t(image_.stride()) * height());
}

py::bytes Picture::png() const {
  std::string out;
  cairo_status_t status;
  {
    py::gil_scoped_release unlocked;
    status = encode_png(image_, append_to_string, &out);
  }
  if (status == CAIRO_STATUS_NO_MEMORY) throw std::bad_alloc();
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error(cairo_status_to_string(status));
  return py::bytes(out);
}

std::string Picture::write_png(const std::string& path) const {
  std::string reason;
  {
    py::gil_scoped_release unlocked;
    tools::OutputFile output;
    if (!output.open(path)) {
      reason = output.reason();
    } else {
      // Only a complete PNG is committed; the output discards anything else.
      const cairo_status_t status = encode_png(image_, tools::write_to_output, &output);
      if (status != CAIRO_STATUS_SUCCESS)
        reason = output.reason().empty() ? cairo_status_to_string(status) : output.reason();
      else if (!output.commit())
        reason = output.reason();
    }
  }
  return reason;
}

void bind_picture(py::module_& m) {
  py::class_<Picture>(m, "Image", py::buffer_protocol(),
                      "A rendered picture. Its buffer is height x width x 4 bytes: B, G, R, A\n"
                      "with colour premultiplied by alpha, so numpy.asarray(image) shares it.")
      .def_property_readonly("width", &Picture::width)
      .def_property_readonly("height", &Picture::height)
      .def_property_readonly("skipped", &Picture::skipped, "How many records the player passed over.")
      .def_property_readonly("skipped_records", &Picture::skipped_text,
                             "The skipped records by type, most frequent first: '3 SETROP2, 1 ESCAPE'.")
      .def_property_readonly("transparent", &Picture::transparent,
                             "True when the picture painted no pixel (before the background).")
      .def_buffer(&Picture::buffer)
      .def(
          "to_png",
          [](const Picture& p, py::object path) -> py::object {
            if (path.is_none()) return p.png();
            const py::module_ os = py::module_::import("os");
            const std::string reason = p.write_png(os.attr("fsencode")(path).cast<std::string>());
            if (reason.empty()) return py::none();
            PyErr_Format(PyExc_OSError, "%S: %s", os.attr("fsdecode")(path).ptr(), reason.c_str());
            throw py::error_already_set();
          },
          py::arg("path") = py::none(),
          "The PNG file's bytes; with a path, writes the file there (whole or not at all) instead.")
      .def(
          "to_pil",
          [](const Picture& p) {
            py::object image = py::module_::import("PIL.Image");
            // Pillow decodes from bytes only; its BGRa reader undoes the
            // premultiplication as it copies.
            return image.attr("frombytes")("RGBA", py::make_tuple(p.width(), p.height()), p.bytes(), "raw", "BGRa",
                                            0, 1);
          },
          "A Pillow image (RGBA, not premultiplied) holding a copy of the pixels.");
}

}  // namespace vellum::python
