// A rendered picture as Python sees it: its size, what the player skipped,
// its pixels through the buffer protocol, and PNG output.
#pragma once

#include <pybind11/pybind11.h>

#include <string>

#include <vellum/vellum.hpp>

namespace vellum::python {

class Picture {
 public:
  Picture(Image image, const vellum_report& report);

  uint32_t width() const { return image_.width(); }
  uint32_t height() const { return image_.height(); }
  uint32_t skipped() const { return skipped_; }
  const std::string& skipped_text() const { return skipped_text_; }
  bool transparent() const { return transparent_; }
  // Read-only rows of stride bytes, each pixel B, G, R, A in memory,
  // premultiplied.
  pybind11::buffer_info buffer() const;
  // A copy of the pixels in the buffer's layout.
  pybind11::bytes bytes() const;
  // The PNG file's bytes.
  pybind11::bytes png() const;
  // Writes the PNG whole or not at all; the reason when it is not written,
  // else empty.
  std::string write_png(const std::string& path) const;

 private:
  Image image_;
  uint32_t skipped_;
  std::string skipped_text_;
  bool transparent_;
};

// Adds the Picture class to the module under the name Image.
void bind_picture(pybind11::module_& m);

}  // namespace vellum::python
