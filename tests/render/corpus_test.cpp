// Every picture of the shared corpus renders (under the sanitizers of the
// test build) at the size its placeable header gives. Skips without corpus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "render/playback.h"

namespace vellum::test {
namespace {

namespace fs = std::filesystem;

// The frame from the header's raw bytes, fitted to 200 by hand.
bool expected_size(const fs::path& file, uint32_t* width, uint32_t* height) {
  std::ifstream in(file, std::ios::binary);
  uint8_t h[14] = {};
  if (!in.read(reinterpret_cast<char*>(h), sizeof h)) return false;
  if (h[0] != 0xD7 || h[1] != 0xCD || h[2] != 0xC6 || h[3] != 0x9A) return false;
  auto field = [&](int at) { return int16_t(h[at] | h[at + 1] << 8); };
  const int64_t w = field(10) - field(6), hh = field(12) - field(8);
  if (w <= 0 || hh <= 0) return false;
  if (w <= 200 && hh <= 200) {
    *width = uint32_t(w);
    *height = uint32_t(hh);
  } else {
    *width = 200;
    *height = uint32_t(double(hh) * (200.0 / double(w)));
  }
  return true;
}

TEST(Corpus, EveryFileRendersAtItsHeaderSize) {
  const fs::path dir = fs::path(VELLUM_CORPUS_DIR) / "wmf";
  if (!fs::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() == ".wmf") files.push_back(entry.path());
  ASSERT_FALSE(files.empty());
  size_t drawn = 0;
  for (const fs::path& file : files) {
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(expected_size(file, &width, &height)) << file;
    RenderTarget target{nullptr, 0, 0};
    ASSERT_EQ(play_file(file.c_str(), &target, 200), 0) << file;
    EXPECT_EQ(target.Width, width) << file;
    EXPECT_EQ(target.Height, height) << file;
    ASSERT_NE(target.Pixels, nullptr) << file;
    const auto* words = static_cast<const uint32_t*>(target.Pixels);
    for (size_t i = 0; i < size_t(width) * height; ++i)
      if (words[i] >> 24) {
        ++drawn;
        break;
      }
    std::free(target.Pixels);
  }
  RecordProperty("pictures_with_ink", int(drawn));
  EXPECT_GT(drawn, 0u);
}

}  // namespace
}  // namespace vellum::test
