// vellum-render as a user runs it: formats, standard streams, sizes, batch
// names, exit codes and messages, and outputs that are never half-written.
#include <gtest/gtest.h>

#include <cairo.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/render/render_probe.h"
#include "tests/tools/tool_run.h"

namespace vellum::test {
namespace {

namespace fs = std::filesystem;

// The ARGB32 word at (x, y) of a PNG, and its size.
struct Png {
  int width = 0, height = 0;
  uint32_t corner = 0, centre_of_left_half = 0;
};

bool read_png(const std::string& path, Png* png) {
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  if (ok) {
    png->width = cairo_image_surface_get_width(surface);
    png->height = cairo_image_surface_get_height(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    auto at = [&](int x, int y) { return reinterpret_cast<const uint32_t*>(data + y * stride)[x]; };
    png->corner = at(png->width - 1, png->height - 1);
    png->centre_of_left_half = at(png->width / 4, png->height / 4);
  }
  cairo_surface_destroy(surface);
  return ok;
}

class VellumRender : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: ctest runs the tests of this fixture side by side.
    dir_ = fs::path(::testing::TempDir()) /
           (std::string("vellum_render_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "out");
    // Blue over the top-left quarter of a 400 x 200 frame; the rest unpainted.
    WmfBuilder quarter = forward_canvas(400, 200);
    quarter.create_brush(0, 0, 0, 255).select_object(0).rectangle(0, 0, 200, 100);
    ASSERT_TRUE(quarter.write_to(file("quarter.wmf")));
    Font font;
    font.height = 60;
    font.face = "Liberation Sans";
    WmfBuilder text = forward_canvas(400, 100);
    text.create_font(font).select_object(0).text_out(10, 20, "Parchment");
    ASSERT_TRUE(text.write_to(file("text.wmf")));
    WmfBuilder skipping = forward_canvas(100, 100);
    skipping.record(0x3C, 0).end().record(0x3C, 0).end().rectangle(0, 0, 50, 50);  // 0x3C: no such record
    ASSERT_TRUE(skipping.write_to(file("skipping.wmf")));
    WmfBuilder slow;  // long lines crossing the picture: far more than a millisecond of drawing
    slow.placeable(0, 0, 1000, 1000).set_window_ext(1000, 1000).move_to(0, 0);
    for (int i = 0; i < 40000; ++i) slow.line_to(i % 2 ? 999 : 0, (i * 37) % 1000);
    ASSERT_TRUE(slow.write_to(file("slow.wmf")));
    ASSERT_TRUE(forward_canvas(100, 100).write_to(file("blank.wmf")));
    WmfBuilder tall;
    tall.placeable(0, 0, 320, 928).set_window_ext(320, 928).rectangle(0, 0, 320, 928);
    ASSERT_TRUE(tall.write_to(file("tall.wmf")));
    WmfBuilder bare;
    bare.rectangle(0, 0, 10, 10);
    ASSERT_TRUE(bare.write_to(file("bare.wmf")));
    WmfBuilder windowed;  // framed by its window, as writers without the placeable header do
    windowed.set_window_org(0, 0).set_window_ext(100, 50).rectangle(0, 0, 100, 50);
    ASSERT_TRUE(windowed.write_to(file("windowed.wmf")));
    std::ofstream(file("empty.wmf"));
    std::ofstream(file("junk.wmf")) << std::string(300, 'j');
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string file(const std::string& name) const { return (dir_ / name).string(); }
  ToolRun run(const std::string& arguments, const std::string& prefix = "") const {
    return run_tool(dir_.string(), "vellum-render", arguments, prefix);
  }

  fs::path dir_;
};

TEST_F(VellumRender, WritesThePngItsSizeAndTheBackground) {
  ToolRun r = run("quarter.wmf -o q.png");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "200x100\n");
  Png png;
  ASSERT_TRUE(read_png(file("q.png"), &png));
  EXPECT_EQ(png.width, 200);
  EXPECT_EQ(png.corner, 0u) << "unpainted pixels stay transparent";
  EXPECT_EQ(png.centre_of_left_half >> 24, 0xFFu);
  EXPECT_LT(png.centre_of_left_half & 0xFFFF00, 0x000800u) << std::hex << png.centre_of_left_half;

  r = run("quarter.wmf -o q.png --background '#FF0000'");
  ASSERT_TRUE(read_png(file("q.png"), &png));
  EXPECT_EQ(png.corner, 0xFFFF0000u) << std::hex << png.corner;
  r = run("quarter.wmf -o q.png --background=#00FF0080");
  ASSERT_TRUE(read_png(file("q.png"), &png));
  EXPECT_EQ(png.corner >> 24, 0x80u) << std::hex << png.corner;
}

TEST_F(VellumRender, StandardInputToStandardOutput) {
  const ToolRun r = run("- -o - --width 100 < quarter.wmf");
  EXPECT_EQ(r.code, 0) << r.err;
  ASSERT_GT(r.out.size(), 8u);
  EXPECT_EQ(r.out.substr(1, 3), "PNG") << "the picture alone goes to standard output";
  std::ofstream(file("piped.png"), std::ios::binary) << r.out;
  Png png;
  ASSERT_TRUE(read_png(file("piped.png"), &png));
  EXPECT_EQ(png.width, 100);
  EXPECT_EQ(png.height, 50);
  EXPECT_FALSE(fs::exists(file("-")));
}

TEST_F(VellumRender, FormatsFollowTheExtensionOrDashF) {
  ASSERT_EQ(run("text.wmf -o t.svg").code, 0);
  ASSERT_EQ(run("text.wmf -o t.pdf").code, 0);
  ASSERT_EQ(run("text.wmf -o t.ps").code, 0);
  ASSERT_EQ(run("text.wmf -o t.png -f svg").code, 0);
  ASSERT_EQ(run("text.wmf -o - -f pdf > piped.pdf").code, 0);
  const std::string svg_check =
      "python3 -c \"import sys, xml.etree.ElementTree as E; r = E.parse(sys.argv[1]).getroot(); "
      "sys.exit(0 if r.tag.endswith('}svg') and r.get('width') == '200px' and r.find('.//{*}path') is not None "
      "and r.find('.//{*}image') is None else 1)\" ";
  EXPECT_EQ(std::system((svg_check + file("t.svg")).c_str()), 0) << read_file(file("t.svg")).substr(0, 300);
  EXPECT_EQ(std::system((svg_check + file("t.png")).c_str()), 0) << "-f wins over the extension";
  for (const char* pdf : {"t.pdf", "piped.pdf"}) {
    const ToolRun text = run_in(dir_.string(), std::string("pdftotext ") + pdf + " -");
    EXPECT_NE(text.out.find("Parchment"), std::string::npos) << pdf << ": " << text.out << text.err;
  }
  EXPECT_EQ(read_file(file("t.ps")).rfind("%!PS", 0), 0u);

  const ToolRun jpeg = run("text.wmf -o t.jpg");
  EXPECT_EQ(jpeg.code, 1);
  EXPECT_NE(jpeg.err.find("t.jpg"), std::string::npos) << jpeg.err;
  EXPECT_FALSE(fs::exists(file("t.jpg")));
}

// A colon in a host file's name names no volume: the file is read and
// written where it lies.
TEST_F(VellumRender, NamesWithAColonAreHostFiles) {
  fs::copy_file(file("quarter.wmf"), file("img:1.wmf"));
  const ToolRun r = run("img:1.wmf -o out:1.png");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(fs::exists(file("out:1.png")));
}

TEST_F(VellumRender, EachFailureHasItsCodeAndItsReason) {
  ASSERT_EQ(::mkfifo(file("fifo.wmf").c_str(), 0600), 0);
  fs::create_directories(file("folder.wmf"));
  struct Case { std::string arguments; int code; const char* says; };
  const Case cases[] = {
      {"missing.wmf -o x.png", 2, "No such file"},
      {"folder.wmf -o x.png", 2, "a folder"},
      {"fifo.wmf -o x.png", 2, "a pipe"},  // refused at once, not waited on
      {"empty.wmf -o x.png", 3, "empty"},
      {"junk.wmf -o x.png", 3, "not a Windows Metafile"},
      {"bare.wmf -o x.png", 3, "no frame"},
      {"windowed.wmf -o x.png --dpi 96", 3, "units per inch"},
      {"windowed.wmf -o x.png --mode exact", 3, "no placeable header"},
      {"tall.wmf -o x.png --zoom 100", 4, "32767"},
      {"quarter.wmf -o no/such/folder/x.png", 5, "No such file"},
      {"quarter.wmf -o /dev/full", 5, "No space"},
      {"skipping.wmf -o x.png --strict", 6, "not played"},
      {"slow.wmf -o x.png --width 1000 --time-limit 1 --strict", 7, "time limit"},
      {"quarter.wmf -o x.png --max-pixels 10", 4, "too large"},
      {"quarter.wmf -o x.png --mode pixels", 1, "gdi or exact"},
      {"quarter.wmf -o x.png --max-size 0", 1, "--max-size"},
      {"quarter.wmf", 1, "-o"},
      {"--bogus", 1, "--bogus"},
  };
  for (const Case& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    const ToolRun r = run(c.arguments);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60)) << c.arguments;
    EXPECT_EQ(r.code, c.code) << c.arguments << "\n" << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.arguments << "\n" << r.err;
    if (c.code != 6 && c.code != 7) {
      EXPECT_FALSE(fs::exists(file("x.png"))) << c.arguments;
    }
    fs::remove(file("x.png"));
  }
}

TEST_F(VellumRender, ToldWhatWasNotDrawn) {
  ToolRun r = run("skipping.wmf -o s.png");
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.err.find("skipping.wmf: 2 "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(" not played\n"), std::string::npos) << r.err;
  r = run("blank.wmf -o b.png");
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.err.find("blank.wmf: fully transparent"), std::string::npos) << r.err;
  r = run("blank.wmf -o b.png --quiet");
  EXPECT_EQ(r.out + r.err, "");
}

TEST_F(VellumRender, BatchMakesTheFolderKeepsEveryOutputAndSumsUp) {
  fs::create_directories(file("a"));
  fs::create_directories(file("b"));
  fs::copy_file(file("quarter.wmf"), file("a/pic.wmf"));
  fs::copy_file(file("tall.wmf"), file("b/pic.WMF"));
  fs::copy_file(file("text.wmf"), file("pic-2.wmf"));
  const ToolRun r = run("-j 2 -d new/folder a/pic.wmf b/pic.WMF pic-2.wmf bare.wmf skipping.wmf");
  EXPECT_EQ(r.code, 3) << r.err;  // bare.wmf is the first failure
  Png png;
  ASSERT_TRUE(read_png(file("new/folder/pic.png"), &png));
  EXPECT_EQ(png.width, 200);  // a/pic.wmf, 400 x 200
  ASSERT_TRUE(read_png(file("new/folder/pic-3.png"), &png));
  EXPECT_EQ(png.height, 200);  // b/pic.WMF, 320 x 928
  ASSERT_TRUE(read_png(file("new/folder/pic-2.png"), &png));
  EXPECT_EQ(png.height, 50);  // pic-2.wmf keeps its own name
  EXPECT_NE(r.err.find("b/pic.WMF: its output name is taken by a/pic.wmf; writing new/folder/pic-3.png"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.out.find("b/pic.WMF 69x200\n"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("\n4 rendered, 1 failed, 1 with skipped records\n"), std::string::npos) << r.err;
}

TEST_F(VellumRender, SizesFitBoxesAndALargerMaxSizeNeverShrinks) {
  struct Case { std::string arguments; const char* size; };
  const Case cases[] = {
      {"tall.wmf", "69x200"},  // the default square of 200
      {"tall.wmf --max-size 900", "310x900"},
      {"tall.wmf --max-size 928", "320x928"},
      {"tall.wmf --max-size 5000", "320x928"},  // never enlarged
      {"tall.wmf --width 640", "640x1856"},
      {"tall.wmf --height 464", "160x464"},
      {"tall.wmf --width 100 --height 100", "34x100"},
      {"quarter.wmf --zoom 0.5", "200x100"},
      {"quarter.wmf --dpi 144", "40x20"},  // 1440 units an inch
      {"windowed.wmf", "100x50"},
      {"tall.wmf --mode exact --max-size 300", "300x870"},  // its own fitting, kept
  };
  for (const Case& c : cases) {
    const ToolRun r = run(c.arguments + " -o x.png");
    EXPECT_EQ(r.code, 0) << c.arguments << "\n" << r.err;
    EXPECT_EQ(r.out, std::string(c.size) + "\n") << c.arguments;
  }
}

// A full disk, made by a file-size limit: the PNG cannot be written whole,
// and the old one must stay as it was, with no temporary file left.
TEST_F(VellumRender, AFailedWriteKeepsTheOldOutputWhole) {
  const std::string old(3000, 'o');
  std::ofstream(file("out/keep.png")) << old;
  const ToolRun r = run("quarter.wmf --width 2000 --background '#808080' -o out/keep.png", "trap '' XFSZ; ulimit -f 4;");
  EXPECT_EQ(r.code, 5) << r.err;
  EXPECT_NE(r.err.find("out/keep.png: cannot write: File too large"), std::string::npos) << r.err;
  EXPECT_EQ(read_file(file("out/keep.png")), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "out"), fs::directory_iterator()), 1);
}

TEST_F(VellumRender, HelpVersionAndManPage) {
  const ToolRun help = run("--help");
  EXPECT_EQ(help.code, 0);
  for (const char* word : {"-d DIR", "--mode", "--background", "--strict", "Exit codes", "6  --strict", "7  --strict"})
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  const ToolRun version = run("--version");
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out.rfind("vellum-render 1.", 0), 0u) << version.out;
  const std::string man = read_file(std::string(VELLUM_SOURCE_DIR) + "/docs/vellum-render.1");
  for (const char* option : {"\\-\\-width", "\\-\\-max\\-size", "\\-\\-quiet", "\\-\\-dpi", "EXIT STATUS"})
    EXPECT_NE(man.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace vellum::test
