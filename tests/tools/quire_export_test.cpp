// quire-export as a user runs it, on documents the test writes itself:
// text that pdftotext finds again, page choices, PNG pages, --info, and
// the exit code and message for each kind of input it cannot use.
#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "doc_writer.h"
#include "tests/support/command_run.h"

namespace {

namespace fs = std::filesystem;
using vellum::test::run_command;
using vellum::test::CommandRun;

const std::string TOOL = std::string(VELLUM_BINARY_DIR) + "/bin/quire-export";

class QuireExport : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("quire_export_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    quire_test::DocPlan plan = quire_test::plain_doc({u"Marmalade on page one\f", u"Quokka on page two\f",
                                                      u"Zeppelin on page three, file \x13 FILENAME \x14stored\x15"});
    plan.title = "A \"quoted\" title";
    plan.author = "Ada Author";
    write_file("three.doc", quire_test::write_doc(plan));
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void write_file(const std::string& name, const quire_test::Bytes& bytes) const {
    std::ofstream(path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  CommandRun export_doc(const std::string& arguments) const {
    return run_command("cd " + dir_.string() + " && " + TOOL + " " + arguments + " 2>&1");
  }
  // The text of a PDF as pdftotext reads it.
  std::string pdf_text(const std::string& name) const {
    return run_command("pdftotext " + path(name) + " - 2>&1").output;
  }
  void SkipWithoutPdftotext() {
    if (run_command("command -v pdftotext >/dev/null 2>&1").exit_code != 0) GTEST_SKIP() << "no pdftotext";
  }

  fs::path dir_;
};

TEST_F(QuireExport, PdfCarriesTheTextOfEveryPageAsText) {
  SkipWithoutPdftotext();
  const CommandRun run = export_doc("three.doc -o all.pdf");
  ASSERT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(run.output, "");  // no terminal: no progress line
  const std::string text = pdf_text("all.pdf");
  for (const char* word : {"Marmalade", "Quokka", "Zeppelin"}) EXPECT_NE(text.find(word), std::string::npos) << text;
  // A FILENAME field shows the exported file's name, not the name stored when it was saved.
  EXPECT_NE(text.find("file three.doc"), std::string::npos) << text;
  EXPECT_EQ(run_command("pdfinfo " + path("all.pdf") + " | grep -c '^Pages: *3$'").output, "1\n");
  // The fonts travel inside the file.
  const std::string fonts = run_command("pdffonts " + path("all.pdf")).output;
  EXPECT_NE(fonts.find(" yes "), std::string::npos) << fonts;
  EXPECT_EQ(fonts.find(" no  "), std::string::npos) << fonts;
}

TEST_F(QuireExport, PagesChooseWhatThePdfHoldsAndInWhichOrder) {
  SkipWithoutPdftotext();
  ASSERT_EQ(export_doc("three.doc -o some.pdf --pages 3,1").exit_code, 0);
  const std::string text = pdf_text("some.pdf");
  const size_t zeppelin = text.find("Zeppelin"), marmalade = text.find("Marmalade");
  ASSERT_NE(zeppelin, std::string::npos);
  ASSERT_NE(marmalade, std::string::npos);
  EXPECT_LT(zeppelin, marmalade);
  EXPECT_EQ(text.find("Quokka"), std::string::npos);
}

TEST_F(QuireExport, PngPagesAreNamedByNumberAndSizedByDpi) {
  const CommandRun run = export_doc("three.doc -o 'page-%d.png' --pages 2- --dpi 36");
  ASSERT_EQ(run.exit_code, 0) << run.output;
  EXPECT_FALSE(fs::exists(path("page-1.png")));
  for (const char* name : {"page-2.png", "page-3.png"}) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(path(name).c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS) << name;
    // A4 at half a pixel per point, rounded up.
    EXPECT_EQ(cairo_image_surface_get_width(png), 298);
    EXPECT_EQ(cairo_image_surface_get_height(png), 421);
    cairo_surface_destroy(png);
  }
  EXPECT_EQ(export_doc("three.doc -o one.png").exit_code, 1);  // three pages, one name
  EXPECT_EQ(export_doc("three.doc -o one.png --pages 2").exit_code, 0);
  EXPECT_TRUE(fs::exists(path("one.png")));
}

TEST_F(QuireExport, InfoIsPlainLinesOrJsonThatParses) {
  const CommandRun lines = export_doc("three.doc --info");
  ASSERT_EQ(lines.exit_code, 0) << lines.output;
  EXPECT_NE(lines.output.find("Author: Ada Author\n"), std::string::npos) << lines.output;
  EXPECT_NE(lines.output.find("Pages: 3\n"), std::string::npos) << lines.output;
  const CommandRun json = run_command(TOOL + " " + path("three.doc") +
                                      " --info --json | python3 -c 'import json,sys; d=json.load(sys.stdin); "
                                      "print(d[\"title\"], d[\"pages\"], d[\"language\"])'");
  ASSERT_EQ(json.exit_code, 0) << json.output;
  EXPECT_EQ(json.output, "A \"quoted\" title 3 English (United States)\n");
  // Standard input works as a document too.
  EXPECT_EQ(run_command(TOOL + " - --info < " + path("three.doc")).output, lines.output);
}

TEST_F(QuireExport, InputsItCannotUseGetTheirOwnCodeAndReason) {
  quire_test::DocPlan old = quire_test::plain_doc({u"Old"});
  old.nfib = 0x0065;
  write_file("word6.doc", quire_test::write_doc(old));
  quire_test::DocPlan locked = quire_test::plain_doc({u"Secret"});
  locked.flags |= 0x0100;
  write_file("locked.doc", quire_test::write_doc(locked));
  quire_test::Bytes damaged = quire_test::write_doc(quire_test::plain_doc({u"Cut short"}));
  damaged.resize(damaged.size() / 2);
  write_file("damaged.doc", damaged);
  write_file("notes.doc", {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't', '\n'});
  write_file("empty.doc", {});

  struct Case {
    const char* input;
    int code;
    const char* says;
  } cases[] = {
      {"missing.doc", 2, "No such file or directory"},
      {".", 2, "a folder"},
      {"empty.doc", 3, "empty"},
      {"notes.doc", 3, "not a Word document"},
      {"damaged.doc", 3, ""},
      {"word6.doc", 3, "Word 6 or Word 95"},
      {"locked.doc", 3, "encrypted"},
  };
  for (const Case& c : cases) {
    const CommandRun run = export_doc(std::string(c.input) + " -o out.pdf");
    EXPECT_EQ(run.exit_code, c.code) << c.input << ": " << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << c.input << ": " << run.output;
    EXPECT_FALSE(fs::exists(path("out.pdf"))) << c.input;
  }
}

TEST_F(QuireExport, UsageAndOutputFailuresKeepWhatWasThere) {
  EXPECT_EQ(export_doc("three.doc -o x.pdf --pages 4").exit_code, 1);
  EXPECT_EQ(export_doc("--bogus").exit_code, 1);
  const CommandRun help = export_doc("--help");
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.output.find("Exit codes:"), std::string::npos);
  EXPECT_EQ(export_doc("--version").output.rfind("quire-export ", 0), 0u);

  { std::ofstream(path("keep.pdf")) << "old"; }
  ASSERT_EQ(run_command("chmod a-w " + dir_.string()).exit_code, 0);
  const CommandRun denied = export_doc("three.doc -o keep.pdf");
  run_command("chmod u+w " + dir_.string());
  if (geteuid() != 0) {  // root writes anyway
    EXPECT_EQ(denied.exit_code, 5) << denied.output;
    std::ifstream kept(path("keep.pdf"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old");
  }
  const CommandRun nowhere = export_doc("three.doc -o no/such/folder/x.pdf");
  EXPECT_EQ(nowhere.exit_code, 5);
  EXPECT_NE(nowhere.output.find("No such file or directory"), std::string::npos) << nowhere.output;
}

}  // namespace
