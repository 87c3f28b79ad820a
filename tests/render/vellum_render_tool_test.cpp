// vellum-render as a user runs it: exit codes, messages, and the PNGs.
#include <gtest/gtest.h>

#include <cairo.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/render/render_probe.h"

namespace vellum::test {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int code;
  std::string out;  // standard output and error together
};

ToolRun run_tool(const std::string& arguments) {
  const std::string command =
      std::string(VELLUM_BINARY_DIR) + "/bin/vellum-render " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ToolRun run{-1, ""};
  if (pipe == nullptr) return run;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe)) run.out += buffer;
  const int status = pclose(pipe);
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class VellumRender : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: ctest runs the tests of this fixture side by side.
    dir_ = fs::path(::testing::TempDir()) /
           (std::string("vellum_render_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "out");
    WmfBuilder good = forward_canvas(400, 100);
    good.create_brush(0, 0, 0, 255).select_object(0).rectangle(0, 0, 400, 100);
    ASSERT_TRUE(good.write_to(file("good.wmf")));
    WmfBuilder bare;
    bare.rectangle(0, 0, 10, 10);
    ASSERT_TRUE(bare.write_to(file("bare.wmf")));
    WmfBuilder tall;
    tall.placeable(0, 0, 1, 30000);
    ASSERT_TRUE(tall.write_to(file("tall.WMF")));
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string file(const char* name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(VellumRender, WritesThePngAndItsSize) {
  const ToolRun run = run_tool(file("good.wmf") + " -o " + file("good.png"));
  EXPECT_EQ(run.code, 0) << run.out;
  EXPECT_EQ(run.out, "200x50\n");
  cairo_surface_t* png = cairo_image_surface_create_from_png(file("good.png").c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), 200);
  EXPECT_EQ(cairo_image_surface_get_height(png), 50);
  const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(png) +
                                                      25 * cairo_image_surface_get_stride(png));
  EXPECT_EQ(row[100], 0xFF0000FFu);  // opaque blue (gdi mode, the default)
  cairo_surface_destroy(png);
}

TEST_F(VellumRender, ModeFlagChoosesThePlacementPlayer) {
  const ToolRun run = run_tool("--mode spec " + file("good.wmf") + " -o " + file("good.png"));
  EXPECT_EQ(run.code, 0) << run.out;
  cairo_surface_t* png = cairo_image_surface_create_from_png(file("good.png").c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(png) +
                                                      25 * cairo_image_surface_get_stride(png));
  EXPECT_EQ(row[100], 0xFF0000FEu);  // opaque blue, 255 taken as 255/256
  cairo_surface_destroy(png);
  EXPECT_EQ(run_tool("--mode bogus " + file("good.wmf") + " -o " + file("x.png")).code, 1);
}

TEST_F(VellumRender, EachFailureHasItsCodeAndOneLine) {
  struct Case { std::string input; int code; const char* says; };
  const Case cases[] = {{file("missing.wmf"), 2, "cannot read"},
                        {file("bare.wmf"), 3, "no placeable header"},
                        {file("tall.WMF"), 4, "200x6000000"}};
  for (const Case& c : cases) {
    const ToolRun run = run_tool(c.input + " -o " + file("x.png"));
    EXPECT_EQ(run.code, c.code) << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
    EXPECT_FALSE(fs::exists(file("x.png")));
  }
}

TEST_F(VellumRender, BatchGoesOnPastBadFiles) {
  const ToolRun run = run_tool("-j 2 --max-size 100 -d " + file("out") + " " + file("bare.wmf") +
                           " " + file("good.wmf") + " " + file("tall.WMF"));
  EXPECT_EQ(run.code, 3) << run.out;  // the first input's failure
  EXPECT_NE(run.out.find(file("good.wmf") + " 100x25"), std::string::npos) << run.out;
  EXPECT_TRUE(fs::exists(dir_ / "out" / "good.png"));
  EXPECT_FALSE(fs::exists(dir_ / "out" / "bare.png"));
}

TEST_F(VellumRender, UsageMistakesAndHelp) {
  EXPECT_EQ(run_tool("--help").code, 0);
  EXPECT_NE(run_tool("--help").out.find("-d DIR"), std::string::npos);
  EXPECT_EQ(run_tool(file("good.wmf")).code, 1);  // neither -o nor -d
  EXPECT_EQ(run_tool(file("good.wmf") + " -o x.png --max-size 0").code, 1);
  EXPECT_EQ(run_tool(file("good.wmf") + " -o x.png --max-size 40000").code, 1);
  EXPECT_EQ(run_tool("-d " + file("nowhere") + " " + file("good.wmf")).code, 1);
  EXPECT_EQ(run_tool("--bogus").code, 1);
}

}  // namespace
}  // namespace vellum::test
