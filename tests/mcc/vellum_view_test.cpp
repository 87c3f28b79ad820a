// vellum-view under a virtual X server: the screenshot shows the picture
// in a real window, the vellum.mcc one (--class) and the program's own.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <host/path.h>

#include "mcc_fixture.h"

namespace {

using namespace mcc_test;

const std::string VIEWER = std::string(VELLUM_BINARY_DIR) + "/bin/vellum-view";

bool have_xvfb() { return std::system("command -v xvfb-run >/dev/null 2>&1") == 0; }

// Runs the viewer under xvfb-run; its exit status.
int run_viewer(const std::string& arguments) {
  std::string command = "LSAN_OPTIONS=suppressions=" VELLUM_SOURCE_DIR "/tests/mcc/third_party_leaks.supp "
                        "xvfb-run -a " + VIEWER + " " + arguments + " >/dev/null 2>&1";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(VellumView, ScreenshotOfARealWindowShowsThePicture) {
  if (!have_xvfb()) GTEST_SKIP() << "xvfb-run is not installed";
  std::string wmf = write_half_red_picture("view.wmf", 400, 100);
  std::string png = scratch_folder() + "/view.png";
  ASSERT_EQ(run_viewer("--class --screenshot " + png + " " + wmf), 0);
  mui_test::Picture shot = mui_test::load_png(png);
  ASSERT_GT(shot.width, 200);
  ASSERT_GT(shot.height, 50);
  EXPECT_GE(shot.count(RED), size_t(98 * 48));
  // The unpainted half shows the window's background.
  EXPECT_GE(shot.count(shot.at(0, 0)), size_t(98 * 50));
}

TEST(VellumView, APictureNamedOnTheRamVolumeIsShown) {
  if (!have_xvfb()) GTEST_SKIP() << "xvfb-run is not installed";
  std::string wmf = write_half_red_picture("view-ram.wmf", 400, 100);
  std::string ram = host_path_of("RAM:vellum-view-test.wmf");
  ASSERT_FALSE(ram.empty());
  std::filesystem::copy_file(wmf, ram, std::filesystem::copy_options::overwrite_existing);
  std::string png = scratch_folder() + "/view-ram.png";
  ASSERT_EQ(run_viewer("--class --screenshot " + png + " RAM:vellum-view-test.wmf"), 0);
  std::filesystem::remove(ram);
  EXPECT_GE(mui_test::load_png(png).count(RED), size_t(98 * 48));
}

TEST(VellumView, CorpusPictureRendersToAScreenshot) {
  std::string sample = std::string(VELLUM_CORPUS_DIR) + "/wmf/sample.wmf";
  if (std::system(("test -f " + sample).c_str()) != 0) GTEST_SKIP() << "no corpus";
  if (!have_xvfb()) GTEST_SKIP() << "xvfb-run is not installed";
  std::string png = scratch_folder() + "/sample.png";
  ASSERT_EQ(run_viewer("--screenshot " + png + " " + sample), 0);
  EXPECT_GT(mui_test::load_png(png).width, 0);
}

TEST(VellumView, ArgumentsAreChecked) {
  EXPECT_EQ(std::system((VIEWER + " --help >/dev/null").c_str()), 0);
  int status = std::system((VIEWER + " >/dev/null 2>&1").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  status = std::system((VIEWER + " a.wmf b.wmf >/dev/null 2>&1").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
}

}  // namespace
