// vellum-view: its command line, the picture window's zoom keys and wheel,
// and the program's exit codes and screenshots (written whole, under the
// exact name given, or not at all).
#include <gtest/gtest.h>

#include <QApplication>
#include <QtTest/QTest>
#include <QWheelEvent>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/command_run.h"
#include "tools/vellum-view/picture_window.h"
#include "tools/vellum-view/view_options.h"

namespace {

namespace fs = std::filesystem;
using namespace vellum_view;
using vellum::test::CommandRun;
using vellum::test::run_command;

const std::string SAMPLE = std::string(VELLUM_SOURCE_DIR) + "/samples/house.wmf";
const std::string PROGRAM = std::string(VELLUM_BINARY_DIR) + "/bin/vellum-view";

std::vector<uint8_t> file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Width and height from a PNG's header; 0 x 0 when the file is no PNG.
std::pair<uint32_t, uint32_t> png_size(const fs::path& path) {
  const std::vector<uint8_t> bytes = file_bytes(path.string());
  const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 24 || !std::equal(std::begin(signature), std::end(signature), bytes.begin())) return {0, 0};
  auto be32 = [&](size_t at) { return uint32_t(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3]; };
  return {be32(16), be32(20)};
}

std::string problem_with(std::vector<const char*> words, ViewOptions* options = nullptr) {
  words.insert(words.begin(), "vellum-view");
  ViewOptions local;
  std::string reason;
  return parse_view_options(int(words.size()), words.data(), options ? options : &local, &reason) ? "" : reason;
}

// One application for the process, never destroyed: Qt's own objects
// would otherwise be torn down after the platform that owns them.
void start_qt() {
  static int argc = 1;
  static char name[] = "vellum_view_test";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

}  // namespace

TEST(VellumViewOptions, RoadsModesAndSizes) {
  ViewOptions options;
  EXPECT_EQ(problem_with({"a.wmf", "--mode", "exact", "--size", "300x200"}, &options), "");
  EXPECT_TRUE(options.exact_mode);
  EXPECT_EQ(options.road, Road::NATIVE);
  EXPECT_EQ(options.width, 300);
  EXPECT_EQ(options.height, 200);
  options = {};
  EXPECT_EQ(problem_with({"--class", "a.wmf", "--screenshot", "x.png"}, &options), "");
  EXPECT_EQ(options.road, Road::CLASS);
  EXPECT_TRUE(options.exact_mode);  // the module draws only in its own mode
  EXPECT_EQ(options.screenshot, "x.png");

  EXPECT_NE(problem_with({"--class", "--mode", "gdi", "a.wmf"}), "");
  EXPECT_NE(problem_with({"a.wmf", "--mode", "fast"}), "");
  EXPECT_NE(problem_with({"a.wmf", "--size", "300"}), "");
  EXPECT_NE(problem_with({"a.wmf", "--size", "300x200x1"}), "");
  EXPECT_NE(problem_with({"a.wmf", "--size", "5x5"}), "");
  EXPECT_NE(problem_with({"a.wmf", "--screenshot"}), "");
  EXPECT_NE(problem_with({"a.wmf", "b.wmf"}), "");
  EXPECT_NE(problem_with({}), "");
}

TEST(VellumViewWindow, PictureFollowsTheWindowAndTheZoomKeysAndWheel) {
  start_qt();
  PictureWindow window(file_bytes(SAMPLE), false);
  window.resize(400, 300);
  window.show();
  QApplication::processEvents();
  const QSize fitted = window.picture().size();
  ASSERT_FALSE(fitted.isEmpty());
  // Fitted inside the visible area, touching it on one side.
  const QSize area = window.maximumViewportSize();
  EXPECT_LE(fitted.width(), area.width());
  EXPECT_LE(fitted.height(), area.height());
  EXPECT_TRUE(fitted.width() >= area.width() - 1 || fitted.height() >= area.height() - 1);

  QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(window.zoom(), 1.25);
  EXPECT_NEAR(window.picture().width(), fitted.width() * 1.25, 2);
  QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
  QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(window.zoom(), 0.8);
  QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(window.picture().size(), fitted);
  QTest::keyClick(&window, Qt::Key_Plus);  // without Ctrl: no zoom
  EXPECT_DOUBLE_EQ(window.zoom(), 1);

  const QPointF at(100, 100);
  QWheelEvent up(at, window.mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::ControlModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(window.viewport(), &up);
  EXPECT_NEAR(window.zoom(), 1.5625, 1e-9);  // two notches in

  window.set_zoom(1);
  window.resize(800, 600);
  QApplication::processEvents();
  EXPECT_GT(window.picture().width() + window.picture().height(), fitted.width() + fitted.height());
}

class VellumViewProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("vellum_view_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  CommandRun view(const std::string& arguments) const {
    return run_command("cd '" + dir_.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY " + PROGRAM + " " +
                       arguments + " 2>&1");
  }
  fs::path dir_;
};

TEST_F(VellumViewProgram, FilesItCannotShowAreToldWithTheirCode) {
  { std::ofstream(dir_ / "notes.wmf") << "not a metafile\n"; }
  const CommandRun missing = view("missing.wmf");
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_NE(missing.output.find("No such file or directory"), std::string::npos) << missing.output;
  EXPECT_EQ(view(".").exit_code, 2);
  const CommandRun junk = view("notes.wmf --screenshot shot.png");
  EXPECT_EQ(junk.exit_code, 3);
  EXPECT_NE(junk.output.find("not a Windows Metafile"), std::string::npos) << junk.output;
  EXPECT_EQ(view("--class notes.wmf --screenshot shot.png").exit_code, 3);
  EXPECT_FALSE(fs::exists(dir_ / "shot.png"));
  EXPECT_EQ(view("--bogus a.wmf").exit_code, 1);
  EXPECT_EQ(view("--help").exit_code, 0);
}

TEST_F(VellumViewProgram, ScreenshotsAreWholeUnderTheExactNameOrNotWrittenAtAll) {
  // A name that is not UTF-8 stays the same bytes on disk.
  const std::string odd = "shot-\xff\xfe.png";
  const CommandRun native = view(SAMPLE + " --size 320x240 --screenshot '" + odd + "'");
  ASSERT_EQ(native.exit_code, 0) << native.output;
  ASSERT_TRUE(fs::exists(dir_ / odd));
  EXPECT_EQ(png_size(dir_ / odd), std::make_pair(320u, 240u));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);  // no temporary left

  const CommandRun with_class = view("--class " + SAMPLE + " --screenshot class.png");
  ASSERT_EQ(with_class.exit_code, 0) << with_class.output;
  EXPECT_GT(png_size(dir_ / "class.png").first, 0u);

  const CommandRun nowhere = view(SAMPLE + " --screenshot no/such/folder/shot.png");
  EXPECT_EQ(nowhere.exit_code, 5);
  EXPECT_NE(nowhere.output.find("not written"), std::string::npos) << nowhere.output;
  const CommandRun full = view(SAMPLE + " --screenshot /dev/full");
  EXPECT_EQ(full.exit_code, 5) << full.output;
}
