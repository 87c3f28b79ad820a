// The bytes of any object with the buffer protocol (bytes, bytearray,
// memoryview, numpy arrays), borrowed without a copy. They must be one
// contiguous block; other layouts raise BufferError. The view keeps the
// object alive and, for a bytearray, unresizable, so the bytes stay put
// while the GIL is released.
#pragma once

#include <pybind11/pybind11.h>

#include <cstddef>
#include <cstdint>

namespace vellum::python {

class ByteView {
 public:
  explicit ByteView(pybind11::handle object) {
    if (PyObject_GetBuffer(object.ptr(), &view_, PyBUF_SIMPLE) != 0) throw pybind11::error_already_set();
  }
  ~ByteView() { PyBuffer_Release(&view_); }
  ByteView(const ByteView&) = delete;
  ByteView& operator=(const ByteView&) = delete;

  const uint8_t* data() const { return static_cast<const uint8_t*>(view_.buf); }
  size_t size() const { return size_t(view_.len); }

 private:
  Py_buffer view_{};
};

}  // namespace vellum::python
