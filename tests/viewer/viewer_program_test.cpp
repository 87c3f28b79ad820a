// Quire_Viewer as a program: its exit code and output without the
// document class, Ctrl-C from outside, and a screenshot of a real window
// under a virtual X server with a corpus document on page 2.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "mui_test_support.h"
#include "tests/support/command_run.h"
#include "viewer_fixture.h"

namespace {

const std::string BIN = std::string(VELLUM_BINARY_DIR) + "/bin/";

using Outcome = vellum::test::CommandRun;

Outcome run(const std::string& command) { return vellum::test::run_command(command); }

TEST(ViewerProgram, HelpNeedsNoDisplayAndSlipsAreUsageErrors) {
  // The X platform without a display would abort the program at once.
  Outcome help = run("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb " + BIN + "Quire_Viewer --help 2>&1");
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_EQ(help.output.rfind("Usage: Quire_Viewer [DOCUMENT]\n", 0), 0u) << help.output;
  EXPECT_EQ(run("QT_QPA_PLATFORM=offscreen " + BIN + "Quire_Viewer --bogus 2>/dev/null").exit_code, 1);
  EXPECT_EQ(run("QT_QPA_PLATFORM=offscreen " + BIN + "Quire_Viewer a.doc b.doc 2>/dev/null").exit_code, 1);
}

TEST(ViewerProgram, WithoutTheDocumentClassItSaysSoAndExitsZero) {
  // LIBS: then names a folder without MUI/quire.mcc in it.
  std::string empty_libs = viewer_test::scratch_folder() + "/empty-libs";
  ASSERT_EQ(std::system(("mkdir -p " + empty_libs).c_str()), 0);
  Outcome outcome = run("QT_QPA_PLATFORM=offscreen VELLUM_LIBS=" + empty_libs + " " + BIN + "Quire_Viewer 2>/dev/null");
  EXPECT_EQ(outcome.exit_code, 0);
  EXPECT_EQ(outcome.output, "I can't create the app!\n");
}

// Whether the process has a handler for SIGINT, from its caught-signal mask.
bool catches_sigint(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (SIGINT - 1)) & 1;
  return false;
}

TEST(ViewerProgram, CtrlCEndsItWithExitCodeZero) {
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    execl((BIN + "Quire_Viewer").c_str(), "Quire_Viewer", static_cast<char*>(nullptr));
    _exit(127);
  }
  // Ctrl-C before the program catches it would end it the ordinary way;
  // wait (a busy machine may take a while) until it does.
  bool catching = false;
  for (int tries = 0; tries < 600 && !catching; tries++) {
    usleep(100000);
    catching = catches_sigint(pid);
  }
  ASSERT_TRUE(catching) << "the program never came to catch Ctrl-C";
  usleep(300000);
  ASSERT_EQ(kill(pid, SIGINT), 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(ViewerProgram, ScreenshotUnderXShowsACorpusDocumentOnPageTwo) {
  std::string document = std::string(VELLUM_CORPUS_DIR) + "/doc/test07.doc";
  if (access(document.c_str(), R_OK) != 0) GTEST_SKIP() << "no corpus";
  if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
  std::string png = viewer_test::scratch_folder() + "/viewer.png";
  Outcome outcome = run("xvfb-run -a -s '-screen 0 1280x1024x24' env QT_QPA_PLATFORM=xcb " + BIN +
                        "viewer_screenshot " + document + " 2 " + png + " 2>&1");
  ASSERT_EQ(outcome.exit_code, 0) << outcome.output;
  mui_test::Picture shot = mui_test::load_png(png);
  ASSERT_GT(shot.width, 300);
  ASSERT_GT(shot.height, 300);
  // The page shows: a large stretch of white paper, and text on it.
  size_t white = shot.count(0xFFFFFFFF);
  EXPECT_GT(white, size_t(300 * 200));
  size_t dark = 0;
  for (uint32_t pixel : shot.pixels)
    if ((pixel & 0xFF) < 0x60 && ((pixel >> 8) & 0xFF) < 0x60 && ((pixel >> 16) & 0xFF) < 0x60) dark++;
  EXPECT_GT(dark, size_t(200));
}

}  // namespace
