// Every corpus picture through the GDI player at 200 pixels wide (under the
// sanitizers in the test build): each plays, draws something, and skips
// only record types the player does not know. Skips without the corpus.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "render/gdi/gdi_image.h"

namespace vellum::test {
namespace {

namespace fs = std::filesystem;

fs::path corpus_wmf() {
  if (const char* shared = std::getenv("VELLUM_SHARED")) return fs::path(shared) / "corpus" / "wmf";
  return fs::path(VELLUM_CORPUS_DIR) / "wmf";
}

TEST(GdiCorpus, EveryPicturePlaysAndDraws) {
  const fs::path dir = corpus_wmf();
  if (!fs::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".wmf") continue;
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    RenderTarget target{nullptr, 0, 0};
    SkipTally skipped;
    gdi::ImageOptions options;
    options.play.caller_viewport = true;  // the synthetic files set their own viewport
    const auto result = gdi::render_image(bytes.data(), bytes.size(), 200, &target, &skipped,
                                          options);
    ASSERT_EQ(result, gdi::ImageResult::ok) << entry.path();
    EXPECT_EQ(target.Width, 200u) << entry.path();
    size_t inked = 0;
    const auto* words = static_cast<const uint32_t*>(target.Pixels);
    for (size_t i = 0; i < size_t(target.Width) * target.Height; ++i) inked += (words[i] >> 24) != 0;
    EXPECT_GT(inked, 0u) << entry.path() << " came out blank";
    for (int type = 0; type < 256; ++type) {
      if (skipped.count(uint8_t(type))) {
        EXPECT_FALSE(gdi::plays(uint8_t(type))) << entry.path();
      }
    }
    std::free(target.Pixels);
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace vellum::test
