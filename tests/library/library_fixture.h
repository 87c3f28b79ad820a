// Shared by the vellum.library tests: the serial capture, the module's file,
// and small placeable WMF images.
#pragma once

#include <gtest/gtest.h>

#include <proto/exec.h>

#include <cstdint>
#include <string>
#include <vector>

namespace library_test {

// Collects everything written to the serial debug port while it lives.
class SerialCapture {
 public:
  SerialCapture();
  ~SerialCapture();
  std::string take();  // the text so far, emptied

 private:
  std::string text_;
};

// The module file the loader maps for vellum.library.
std::string module_path();

// The loader's segment list for the module while it is loaded, else 0.
BPTR loaded_segment();

// "0x" and the lower-case hex digits of value, as the raw formatter prints.
std::string hex(const void* value);
std::string hex(uintptr_t value);

// A placeable WMF whose box is width x height logical units, with the
// metafile header and the end-of-file record and nothing else.
std::vector<uint8_t> placeable_wmf(int16_t width, int16_t height);

// The same with a rectangle in the colour given over the middle half of
// the box (a quarter of each edge left free on every side).
std::vector<uint8_t> filled_wmf(int16_t width, int16_t height, uint8_t red, uint8_t green, uint8_t blue);

// Writes bytes to a host file; the path.
std::string write_file(const std::string& name, const std::vector<uint8_t>& bytes);

// Opens the library and unloads it again at the end of each test, with the
// debug port captured.
class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  SerialCapture serial;
};

}  // namespace library_test
