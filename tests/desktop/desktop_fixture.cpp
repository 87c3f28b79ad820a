#include "desktop_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/wmf_builder.h"

namespace vellum::test {
namespace {

constexpr int PS_NULL = 5, BS_SOLID = 0, MM_ANISOTROPIC = 8;

// Red and blue halves of a window width x height, overdrawn past its edges
// so no outline shows.
WmfBuilder& halves(WmfBuilder& wmf, int width, int height) {
  wmf.set_map_mode(MM_ANISOTROPIC).set_window_ext(width, height).create_pen(PS_NULL, 0, 0, 0, 0).select_object(0);
  wmf.create_brush(BS_SOLID, 255, 0, 0).select_object(1).rectangle(-10, -10, width / 2 + width / 10, height + 10);
  wmf.create_brush(BS_SOLID, 0, 0, 255).select_object(2).rectangle(width / 2, -10, width + 10, height + 10);
  return wmf;
}

}  // namespace

std::vector<uint8_t> red_blue_picture() {
  WmfBuilder wmf;
  wmf.placeable(0, 0, 3000, 1500, 1440);
  return halves(wmf, 3000, 1500).finish();
}

std::vector<uint8_t> headerless_picture(int width, int height) {
  WmfBuilder wmf;
  return halves(wmf, width, height).finish();
}

std::string write_fixture(const std::string& name, const std::vector<uint8_t>& bytes) {
  // The folder goes when the process ends.
  static const struct Folder {
    std::string path;
    Folder() {
      char pattern[] = "/tmp/vellum-desktop-XXXXXX";
      path = mkdtemp(pattern) ? pattern : "";
    }
    ~Folder() {
      if (!path.empty()) std::filesystem::remove_all(path);
    }
  } folder;
  const std::string path = folder.path + "/" + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

}  // namespace vellum::test
