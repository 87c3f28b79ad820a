// Outputs are replaced whole or not at all: a failure at any step leaves the
// old file and no temporary file behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/common/output_file.h"

namespace vellum::tools {
namespace {

namespace fs = std::filesystem;

class Output : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           (std::string("output_file_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  std::string contents(const char* name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  size_t entries() const { return size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator())); }

  fs::path dir_;
};

TEST_F(Output, ReplacesTheTargetWholeKeepingItsMode) {
  std::ofstream(path("out.png")) << "old picture, longer than the new one";
  ::chmod(path("out.png").c_str(), 0640);
  OutputFile out;
  ASSERT_TRUE(out.open(path("out.png"))) << out.reason();
  EXPECT_TRUE(out.write("new", 3));
  EXPECT_EQ(contents("out.png"), "old picture, longer than the new one");  // untouched until commit
  EXPECT_TRUE(out.commit()) << out.reason();
  EXPECT_EQ(contents("out.png"), "new");
  struct stat info;
  ASSERT_EQ(::stat(path("out.png").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(entries(), 1u);
}

TEST_F(Output, AnOutputNeverCommittedLeavesNothing) {
  std::ofstream(path("out.png")) << "old";
  {
    OutputFile out;
    ASSERT_TRUE(out.open(path("out.png")));
    out.write("half", 4);
  }
  EXPECT_EQ(contents("out.png"), "old");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(Output, ThroughALinkTheFileIsReplacedAndTheLinkKept) {
  std::ofstream(path("real.png")) << "old";
  fs::create_symlink(path("real.png"), path("link.png"));
  OutputFile out;
  ASSERT_TRUE(out.open(path("link.png")));
  out.write("new", 3);
  ASSERT_TRUE(out.commit());
  EXPECT_TRUE(fs::is_symlink(path("link.png")));
  EXPECT_EQ(contents("real.png"), "new");
}

// A full disk, made by a file-size limit in a child process: the write
// fails partway, and the old file must survive whole with no leftovers.
TEST_F(Output, AFailedWriteLeavesTheOldTargetAndNoTemporaryFile) {
  const std::string old(5000, 'o');
  std::ofstream(path("out.png")) << old;
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    OutputFile out;
    if (!out.open(path("out.png"))) ::_exit(2);
    const std::string picture(100000, 'n');
    out.write(picture.data(), picture.size());
    const bool committed = out.commit();
    ::_exit(!committed && out.reason().find("too large") != std::string::npos ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_EQ(contents("out.png"), old);
  EXPECT_EQ(entries(), 1u);
}

TEST_F(Output, DevicesAreWrittenInPlaceAndTheirErrorsTold) {
  OutputFile null_device;
  ASSERT_TRUE(null_device.open("/dev/null"));
  EXPECT_TRUE(null_device.write("x", 1));
  EXPECT_TRUE(null_device.commit());

  OutputFile full;
  ASSERT_TRUE(full.open("/dev/full"));
  EXPECT_FALSE(full.write("x", 1));
  EXPECT_FALSE(full.commit());
  EXPECT_NE(full.reason().find("No space"), std::string::npos) << full.reason();
  EXPECT_TRUE(fs::exists("/dev/full") && !fs::is_regular_file("/dev/full"));
}

TEST_F(Output, StandardOutputOnAFullDeviceFails) {
  const int saved = ::dup(STDOUT_FILENO);
  const int full = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  ::dup2(full, STDOUT_FILENO);
  OutputFile out;
  const bool opened = out.open("-");
  const bool written = out.write("x", 1);
  const bool committed = out.commit();
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  ::close(full);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(written);
  EXPECT_FALSE(committed);
  EXPECT_NE(out.reason().find("No space"), std::string::npos) << out.reason();
}

TEST_F(Output, RefusesAFolderOrAMissingFolder) {
  OutputFile out;
  EXPECT_FALSE(out.open(dir_.string()));
  EXPECT_NE(out.reason().find("directory"), std::string::npos) << out.reason();
  EXPECT_FALSE(out.open(path("no-such-folder/out.png")));
  EXPECT_NE(out.reason().find("No such file"), std::string::npos) << out.reason();
  EXPECT_FALSE(out.commit());
}

}  // namespace
}  // namespace vellum::tools
