// quiredump as a user runs it: a separate process with its two arguments,
// its standard output and error, its exit code and the PNG it leaves in
// RAM:. The real quire.library reads fixtures; a spy library records the
// calls the tool makes and their order.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "doc_writer.h"
#include "engine/document.h"

namespace fs = std::filesystem;
using namespace quire_test;

namespace {

const std::string TOOL = std::string(VELLUM_BINARY_DIR) + "/bin/quiredump";
const std::string SPY_LIBS = std::string(VELLUM_BINARY_DIR) + "/LIBS/spy";

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

struct ToolRun {
  std::string out, err;
  int exit_code = -1;
};

class Quiredump : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/quiredump-test-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir_ = name;
    ram_ = dir_ / "ram";  // where RAM: lands with XDG_RUNTIME_DIR set to dir_
    fs::create_directories(ram_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the tool with `args`; `env` is extra VAR=value settings.
  ToolRun run(const std::vector<std::string>& args, const std::string& env = "") {
    std::string command = "cd " + quoted(dir_.string()) + " && XDG_RUNTIME_DIR=" + quoted(dir_.string()) +
                          " QUIRE_SPY_LOG=" + quoted((dir_ / "spy.log").string()) + " " + env + " " + TOOL;
    for (const std::string& arg : args) command += " " + quoted(arg);
    command += " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    ToolRun result;
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = read_file(dir_ / "out.txt");
    result.err = read_file(dir_ / "err.txt");
    return result;
  }
  ToolRun run_spy(const std::vector<std::string>& args, const std::string& env = "") {
    return run(args, "VELLUM_LIBS=" + quoted(SPY_LIBS) + " " + env);
  }

  std::string write_doc_file(const char* name, const Bytes& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path.string();
  }

  std::string spy_log() { return read_file(dir_ / "spy.log"); }
  fs::path png() const { return ram_ / "test.png"; }

  std::vector<std::string> leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(ram_))
      if (entry.path().filename() != "test.png") names.push_back(entry.path().filename().string());
    return names;
  }

  fs::path dir_, ram_;
};

const char SPY_LINES[] =
    "Quire initialisiert...\n"
    "Open quire...!\n"
    "Number of pages: 3\n"
    "Title: Title\n"
    "Subject: Subject\n"
    "Author: Author\n"
    "Company: Company\n"
    "Appname: AppName\n"
    "Language: Language\n"
    "Quire ready\n";

}  // namespace

TEST_F(Quiredump, FullRunPrintsTheTenLinesAndLeavesTheRenderedPage) {
  std::vector<std::u16string> paragraphs(100, u"Words on a page, and more words after them to fill a line.");
  const Bytes bytes = write_doc(plain_doc(paragraphs));
  quire::Document doc;
  ASSERT_EQ(quire::open_document_memory(doc, bytes.data(), bytes.size()), quire::OPEN_OK);
  ASSERT_GE(doc.page_count(), 2);

  const ToolRun result = run({write_doc_file("fixture.doc", bytes), "2"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, "Quire initialisiert...\n"
                        "Open quire...!\n"
                        "Number of pages: " + std::to_string(doc.page_count()) + "\n"
                        "Title: Fixture title\n"
                        "Subject: Fixture subject\n"
                        "Author: Fixture author\n"
                        "Company: Fixture company\n"
                        "Appname: Fixture writer\n"
                        "Language: English (United States)\n"
                        "Quire ready\n");
  EXPECT_EQ(result.err, "");

  cairo_surface_t* image = cairo_image_surface_create_from_png(png().c_str());
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(image), 595);
  EXPECT_EQ(cairo_image_surface_get_height(image), 842);
  // The PNG holds page 2 exactly as the engine draws it.
  std::vector<uint32_t> expected(595 * 842);
  ASSERT_EQ(quire::render_document_page(doc, 2, reinterpret_cast<uint8_t*>(expected.data()), 2380), 0);
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  int differing = 0, ink = 0;
  for (int y = 0; y < 842; ++y)
    for (int x = 0; x < 595; ++x) {
      const uint32_t pixel = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
      differing += pixel != expected[y * 595 + x];
      ink += pixel != 0xFFFFFFFFu;
    }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(ink, 1000);
  cairo_surface_destroy(image);
  EXPECT_TRUE(leftovers().empty());
}

TEST_F(Quiredump, OneArgumentSaysNoArgumentAndNeverCallsInit) {
  const ToolRun result = run_spy({"only-one.doc"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, "No Argument...\n");
  EXPECT_EQ(spy_log(), "");
  EXPECT_EQ(run_spy({}).out, "No Argument...\n");
}

TEST_F(Quiredump, ARefusedDocumentGivesExactlyTwoLines) {
  const ToolRun result = run({write_doc_file("not-a-doc.doc", Bytes(3000, 'x')), "1"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, "Quire initialisiert...\nQuire ready\n");
  EXPECT_NE(result.err.find("cannot be opened: it is not a Word document"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(png()));
}

TEST_F(Quiredump, AFolderOrFifoIsRefusedAtOnceAndTold) {
  fs::create_directories(dir_ / "folder.doc");
  const std::string fifo = (dir_ / "pipe.doc").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& input : {(dir_ / "folder.doc").string(), fifo}) {
    const ToolRun result = run({input, "1"});  // a FIFO read would block here for ever
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, "Quire initialisiert...\nQuire ready\n");
    EXPECT_NE(result.err.find("cannot be opened: it is not a readable file"), std::string::npos) << result.err;
  }
}

TEST_F(Quiredump, CallsTheLibraryInTheTablesOrder) {
  const ToolRun result = run_spy({"some/document.doc", "2"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, SPY_LINES);
  EXPECT_EQ(spy_log(),
            "QuireInit 0\nQuireOpen 17\nQuireGetPageCount 0\nTitle 0\nSubject 0\nAuthor 0\nCompany 0\n"
            "AppName 0\nLanguage 0\nQuireRenderPage 2\nQuireExit 1\n");
  EXPECT_TRUE(fs::exists(png()));
}

TEST_F(Quiredump, InitNotReadyEndsSilently) {
  const ToolRun result = run_spy({"a.doc", "1"}, "QUIRE_SPY_INIT=0");
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(spy_log(), "QuireInit 0\n");
}

TEST_F(Quiredump, MissingLibraryIsReported) {
  fs::create_directories(dir_ / "empty-libs");
  const ToolRun result = run({"a.doc", "1"}, "VELLUM_LIBS=" + quoted((dir_ / "empty-libs").string()));
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, "Error: Couldn't open quire.library\n");
}

TEST_F(Quiredump, APageNumberThatIsNotANumberIsToldAndNothingIsRendered) {
  for (const char* page : {"two", "2x", ""}) {
    const ToolRun result = run_spy({"a.doc", page});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, SPY_LINES) << page;
    EXPECT_NE(result.err.find("PAGENUMBER"), std::string::npos) << page;
    EXPECT_EQ(spy_log().find("QuireRenderPage"), std::string::npos) << page;
    EXPECT_FALSE(fs::exists(png()));
    fs::remove(dir_ / "spy.log");
  }
}

TEST_F(Quiredump, APageOutsideTheDocumentLeavesNoImage) {
  const ToolRun result = run_spy({"a.doc", "9"});
  EXPECT_EQ(result.out, SPY_LINES);
  EXPECT_NE(result.err.find("page 9 does not exist"), std::string::npos) << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
  EXPECT_FALSE(fs::exists(png()));
}

TEST_F(Quiredump, AnExistingPngIsReplacedWhole) {
  std::ofstream(png()) << "an old file that is not a PNG";
  const ToolRun result = run_spy({"a.doc", "1"});
  EXPECT_EQ(result.out, SPY_LINES);
  cairo_surface_t* image = cairo_image_surface_create_from_png(png().c_str());
  EXPECT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(image), 595);
  cairo_surface_destroy(image);
  EXPECT_TRUE(leftovers().empty());
}

TEST_F(Quiredump, AFailedWriteIsToldOnStandardErrorOnly) {
  fs::create_directories(png());  // a folder where the PNG should go: it cannot be replaced
  std::ofstream(png() / "keep") << "kept";
  const ToolRun result = run_spy({"a.doc", "1"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, SPY_LINES);
  EXPECT_NE(result.err.find("ram:test.png not written"), std::string::npos) << result.err;
  EXPECT_EQ(read_file(png() / "keep"), "kept");
  EXPECT_TRUE(leftovers().empty());
}
