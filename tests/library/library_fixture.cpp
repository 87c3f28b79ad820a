#include "library_fixture.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>

#include <host/runtime.h>
#include <proto/exec.h>
#include <tests/support/wmf_builder.h>

namespace library_test {

namespace {
void append(const char* text, size_t length, void* data) { static_cast<std::string*>(data)->append(text, length); }
}  // namespace

SerialCapture::SerialCapture() { HostSetSerialSink(append, &text_); }
SerialCapture::~SerialCapture() { HostSetSerialSink(nullptr, nullptr); }

std::string SerialCapture::take() {
  std::string text;
  text.swap(text_);
  return text;
}

std::string module_path() { return std::string(VELLUM_BINARY_DIR) + "/LIBS/vellum.library"; }

BPTR loaded_segment() {
  void* handle = dlopen(module_path().c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (!handle) return 0;
  dlclose(handle);  // drops the reference this look-up took
  return reinterpret_cast<BPTR>(handle);
}

std::string hex(uintptr_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(value));
  return text;
}

std::string hex(const void* value) { return hex(reinterpret_cast<uintptr_t>(value)); }

std::vector<uint8_t> placeable_wmf(int16_t width, int16_t height) {
  return vellum::test::WmfBuilder().placeable(0, 0, width, height).finish();
}

std::vector<uint8_t> filled_wmf(int16_t width, int16_t height, uint8_t red, uint8_t green, uint8_t blue) {
  return vellum::test::WmfBuilder()
      .placeable(0, 0, width, height)
      .set_window_ext(width, height)
      .create_brush(0, red, green, blue)
      .rectangle(width / 4, height / 4, width * 3 / 4, height * 3 / 4)
      .finish();
}

std::string write_file(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::string path = ::testing::TempDir() + name;
  FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

void LibraryTest::SetUp() { ASSERT_EQ(loaded_segment(), 0) << "a previous test left the module loaded"; }

void LibraryTest::TearDown() {
  // Whatever the test left open, the library goes away before the next.
  Forbid();
  auto* library = reinterpret_cast<struct Library*>(FindName(&SysBase->LibList, "vellum.library"));
  if (library) {
    library->lib_OpenCnt = 0;
    RemLibrary(library);
  }
  Permit();
  EXPECT_EQ(loaded_segment(), 0);
}

}  // namespace library_test
