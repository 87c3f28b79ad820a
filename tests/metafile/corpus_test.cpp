// The conversion and the record walk over the shared corpus of real files.
// Skipped when the corpus is not there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "metafile/byte_order.h"
#include "metafile/stream_layout.h"

namespace vellum::test {
namespace {

std::vector<std::filesystem::path> corpus_files() {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path dir = std::filesystem::path(VELLUM_CORPUS_DIR) / "wmf";
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error))
    if (entry.is_regular_file() && entry.path().extension() == ".wmf") files.push_back(entry.path());
  return files;
}

std::vector<uint8_t> read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

TEST(Corpus, RealFilesConvertThereAndBackAndWalkToTheirEnd) {
  const auto files = corpus_files();
  if (files.empty()) GTEST_SKIP() << "no corpus at " << VELLUM_CORPUS_DIR;
  int complete = 0;
  for (const auto& path : files) {
    const auto original = read_file(path);
    auto bytes = original;
    const int result = swap_stream_for(Endian::big, bytes.data(), bytes.size(), false);
    complete += result;
    if (result == 1) {
      swap_stream_for(Endian::big, bytes.data(), bytes.size(), true);
      EXPECT_EQ(bytes, original) << path;
    }
    // In the machine's order the headers decode and the records chain.
    bytes = original;
    EXPECT_EQ(swap_stream(bytes.data(), bytes.size(), false), result) << path;
    PlaceableHeader placeable;
    MetafileHeader header;
    size_t offset = decode_header(bytes.data(), bytes.data() + bytes.size(), &placeable, &header);
    bool reached_eof = false;
    while (offset != 0 && offset < bytes.size()) {
      const uint32_t size = bounded_record_size(bytes.data() + offset, bytes.data() + bytes.size());
      if (size == 0) break;
      if (bytes[offset + 4] == 0) {
        reached_eof = true;
        break;
      }
      offset += size;
    }
    // Playback's walk agrees with the conversion's about where the stream ends.
    EXPECT_EQ(reached_eof, result == 1) << path;
  }
  // Nearly every real file ends with its end-of-file record.
  EXPECT_GE(complete * 10, static_cast<int>(files.size()) * 9) << complete << " of " << files.size();
}

}  // namespace
}  // namespace vellum::test
