// The input reader: files, standard input, and the refusals that must come
// at once and with their reason.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tools/common/exit_codes.h"
#include "tools/common/input_file.h"

namespace vellum::tools {
namespace {

namespace fs = std::filesystem;

class InputFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           (std::string("input_file_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  std::string make_file(const char* name, size_t bytes) const {
    std::ofstream(path(name), std::ios::binary) << std::string(bytes, 'w');
    return path(name);
  }

  // Runs read_input("-") with `data` arriving through a pipe on fd 0.
  InputRead read_piped_stdin(const std::string& data, size_t limit, std::vector<uint8_t>* bytes) {
    int ends[2];
    EXPECT_EQ(::pipe(ends), 0);
    EXPECT_EQ(::write(ends[1], data.data(), data.size()), ssize_t(data.size()));
    ::close(ends[1]);
    const int saved = ::dup(STDIN_FILENO);
    ::dup2(ends[0], STDIN_FILENO);
    ::close(ends[0]);
    const InputRead result = read_input("-", limit, bytes);
    ::dup2(saved, STDIN_FILENO);
    ::close(saved);
    return result;
  }

  fs::path dir_;
};

TEST_F(InputFile, ReadsARegularFileWholeUpToTheLimit) {
  std::vector<uint8_t> bytes;
  const std::string exact = make_file("exact.wmf", 100000);
  EXPECT_EQ(read_input(exact, 100000, &bytes).code, EXIT_OK);
  EXPECT_EQ(bytes.size(), 100000u);
  const InputRead over = read_input(exact, 99999, &bytes);
  EXPECT_EQ(over.code, EXIT_TOO_LARGE);
  EXPECT_NE(over.reason.find("99999"), std::string::npos) << over.reason;
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(read_input(make_file("empty.wmf", 0), 10, &bytes).code, EXIT_OK);
  EXPECT_TRUE(bytes.empty());
}

TEST_F(InputFile, RefusesWhatIsNotAFileWithItsReason) {
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  make_file("locked.wmf", 10);
  ::chmod(path("locked.wmf").c_str(), 0);
  struct Case { std::string name; const char* reason; };
  std::vector<Case> cases = {{path("missing.wmf"), "No such file"},
                             {dir_.string(), "a folder"},
                             {path("fifo"), "a pipe"},  // no writer: must not block
                             {"/dev/null", "a device"}};
  if (::geteuid() != 0) cases.push_back({path("locked.wmf"), "Permission denied"});
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes;
    const InputRead result = read_input(c.name, 1000, &bytes);
    EXPECT_EQ(result.code, EXIT_UNREADABLE) << c.name;
    EXPECT_NE(result.reason.find(c.reason), std::string::npos) << c.name << ": " << result.reason;
  }
}

TEST_F(InputFile, ReadsStandardInputFromAPipeWithTheSameLimit) {
  std::vector<uint8_t> bytes;
  EXPECT_EQ(read_piped_stdin("picture bytes", 100, &bytes).code, EXIT_OK);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "picture bytes");
  EXPECT_EQ(read_piped_stdin(std::string(101, 'x'), 100, &bytes).code, EXIT_TOO_LARGE);
  EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace vellum::tools
