// quire.library through the host loader, as its callers use it: the
// function table at its offsets, the document calls, texts and page images.
#include <gtest/gtest.h>

#include <proto/dos.h>
#include <proto/exec.h>
#include <proto/quire.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "doc_writer.h"

struct Library* QuireBase = nullptr;

namespace {

using namespace quire_test;

std::vector<std::string> written;  // host paths of the fixtures, removed after each test

// Writes a fixture into the RAM: folder and gives its Amiga-style name.
std::string ram_file(const char* name, const Bytes& bytes) {
  const std::string amiga = std::string("RAM:") + name;
  char path[4096];
  EXPECT_GT(HostPathFromName(amiga.c_str(), path, sizeof path), 0);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  written.push_back(path);
  return amiga;
}

class QuireLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    QuireBase = OpenLibrary(QUIRENAME, 0);
    ASSERT_NE(QuireBase, nullptr);
  }
  void TearDown() override {
    QuireExit(1);
    CloseLibrary(QuireBase);
    QuireBase = nullptr;
    for (const std::string& path : written) std::remove(path.c_str());
    written.clear();
  }
};

void expect_no_document() {
  EXPECT_EQ(QuireGetPageCount(), 0);
  for (CONST_STRPTR text : {QuireGetTitle(), QuireGetSubject(), QuireGetAuthor(), QuireGetCompany(),
                            QuireGetAppName(), QuireGetLanguage()}) {
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "");
  }
  EXPECT_EQ(QuireRenderPage(1), nullptr);
}

}  // namespace

TEST_F(QuireLibrary, UnlistedVectorsAnswerZero) {
  for (int offset : {LVO_QuireReserved1, LVO_QuireReserved2, LIB_EXTFUNC})
    EXPECT_EQ(reinterpret_cast<IPTR (*)(struct Library*)>(LIB_VECTOR(QuireBase, offset))(QuireBase), 0u) << offset;
}

TEST_F(QuireLibrary, NothingIsOpenBeforeInit) {
  const std::string doc = ram_file("quire-before-init.doc", write_doc(plain_doc({u"x"})));
  EXPECT_EQ(QuireOpen(doc.c_str()), QUIRE_ERR_NOT_READY);
  expect_no_document();
}

TEST_F(QuireLibrary, OpensADocumentAndHandsOutPages) {
  ASSERT_EQ(QuireInit(), 1);
  std::vector<std::u16string> paragraphs(120, u"Several lines of words to fill the pages of this document.");
  const std::string doc = ram_file("quire-pages.doc", write_doc(plain_doc(paragraphs)));
  ASSERT_EQ(QuireOpen(doc.c_str()), 0);
  const LONG pages = QuireGetPageCount();
  EXPECT_GE(pages, 2);
  EXPECT_STREQ(QuireGetTitle(), "Fixture title");
  EXPECT_STREQ(QuireGetSubject(), "Fixture subject");
  EXPECT_STREQ(QuireGetAuthor(), "Fixture author");
  EXPECT_STREQ(QuireGetCompany(), "Fixture company");
  EXPECT_STREQ(QuireGetAppName(), "Fixture writer");
  EXPECT_STREQ(QuireGetLanguage(), "English (United States)");

  for (LONG page : {LONG{1}, pages}) {
    auto* pixels = static_cast<uint32_t*>(QuireRenderPage(page));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[0], 0xFFFFFFFFu);  // white margin
    bool ink = false;
    for (int y = 72; y < 90 && !ink; ++y)
      for (int x = 72; x < 200 && !ink; ++x) ink = pixels[y * (QUIRE_PAGE_STRIDE / 4) + x] != 0xFFFFFFFFu;
    EXPECT_TRUE(ink) << "page " << page;
    FreeVec(pixels);
  }
  EXPECT_EQ(QuireRenderPage(0), nullptr);
  EXPECT_EQ(QuireRenderPage(pages + 1), nullptr);
}

TEST_F(QuireLibrary, TextsStayUntilTheNextOpenAndRefusalsClearThem) {
  ASSERT_EQ(QuireInit(), 1);
  const std::string doc = ram_file("quire-texts.doc", write_doc(plain_doc({u"x"})));
  ASSERT_EQ(QuireOpen(doc.c_str()), 0);
  CONST_STRPTR title = QuireGetTitle();
  QuireGetPageCount();
  QuireGetAuthor();
  EXPECT_STREQ(title, "Fixture title");

  const std::string bad = ram_file("quire-bad.doc", Bytes(2000, 0x41));
  EXPECT_EQ(QuireOpen(bad.c_str()), QUIRE_ERR_NOT_COMPOUND);
  expect_no_document();
  EXPECT_EQ(QuireOpen("RAM:no-such-file.doc"), QUIRE_ERR_UNREADABLE);
  EXPECT_EQ(QuireOpen(nullptr), QUIRE_ERR_UNREADABLE);
}

TEST_F(QuireLibrary, ExitReleasesTheDocument) {
  ASSERT_EQ(QuireInit(), 1);
  const std::string doc = ram_file("quire-exit.doc", write_doc(plain_doc({u"x"})));
  ASSERT_EQ(QuireOpen(doc.c_str()), 0);
  QuireExit(0);  // not the value QuireInit returned: nothing happens
  EXPECT_EQ(QuireGetPageCount(), 1);
  QuireExit(1);
  expect_no_document();
  EXPECT_EQ(QuireOpen(doc.c_str()), QUIRE_ERR_NOT_READY);
}
