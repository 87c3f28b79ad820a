// The engine on real Word files from the shared corpus, when it is present.
// Page counts are checked against the count Word itself stored in each file.
#include <gsf/gsf.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/document.h"

using namespace quire;

namespace {

const std::filesystem::path DOCS = std::filesystem::path(VELLUM_CORPUS_DIR) / "doc";

std::string corpus_file(const char* name) { return (DOCS / name).string(); }

#define SKIP_WITHOUT_CORPUS() \
  if (!std::filesystem::is_directory(DOCS)) GTEST_SKIP() << "no corpus at " << DOCS

// The page count Word saved in the summary information, or -1.
int stored_page_count(const std::string& path) {
  int count = -1;
  GsfInput* input = gsf_input_stdio_new(path.c_str(), nullptr);
  GsfInfile* infile = input ? gsf_infile_msole_new(input, nullptr) : nullptr;
  GsfInput* summary = infile ? gsf_infile_child_by_name(infile, "\005SummaryInformation") : nullptr;
  if (summary) {
    GsfDocMetaData* meta = gsf_doc_meta_data_new();
    if (GError* error = gsf_doc_meta_data_read_from_msole(meta, summary)) g_error_free(error);
    if (GsfDocProp* prop = gsf_doc_meta_data_lookup(meta, GSF_META_NAME_PAGE_COUNT))
      count = g_value_get_int(gsf_doc_prop_get_val(prop));
    g_object_unref(meta);
    g_object_unref(summary);
  }
  if (infile) g_object_unref(infile);
  if (input) g_object_unref(input);
  return count;
}

bool contains_text(const Document& doc, const std::string& wanted) {
  auto in = [&](const Paragraph& p) { return p.text.find(wanted) != std::string::npos; };
  for (const Block& block : doc.model.blocks) {
    if (block.kind == BlockKind::PARAGRAPH && in(block.paragraph)) return true;
    for (const TableCell& cell : block.row.cells)
      for (const Paragraph& p : cell.paragraphs)
        if (in(p)) return true;
  }
  return false;
}

struct Expected {
  const char* file;
  const char* title;
  const char* author;
  const char* company;
  const char* app_name;
  const char* language;
  const char* some_text;
};

const Expected EXPECTED[] = {
    {"test01.doc", "", "Stuart Watt", "", "Microsoft Office Word", "English (United States)",
     "This text has been inserted"},
    {"test03.doc", "GPL Compatible License List", "Dillon", " ", "Microsoft Office Word",
     "English (United States)", "Each license name is hyperlinked"},
    {"test04.doc", "", "Nick Burch", "", "Microsoft Office Word", "English (United States)",
     "L'Avare ou l'\u00c9cole du mensonge"},
    {"test05.doc", "This is a simple file created with Word 97-SR2", "Bob Otterberg", "CIBC World Markets",
     "Microsoft Word 8.0", "English (United States)", "This is a simple file created with Word 97-SR2."},
    {"test06.doc", "DECLARATION MULTIFONCTIONNELLE (DmfA)", "ROB", "SmalS-MvM", "Microsoft Word 8.0",
     "French (Belgium)", "ROB (432)"},
    {"test07.doc", "CREDO REFERENCE", "staalc", "The Robert Gordon University", "Microsoft Word 10.1",
     "English (United Kingdom)", "03/599"},
};

}  // namespace

TEST(QuireCorpus, PropertiesLanguageAndTextPerFile) {
  SKIP_WITHOUT_CORPUS();
  for (const Expected& e : EXPECTED) {
    SCOPED_TRACE(e.file);
    Document doc;
    ASSERT_EQ(open_document(doc, corpus_file(e.file).c_str()), OPEN_OK);
    EXPECT_EQ(doc.properties.title, e.title);
    EXPECT_EQ(doc.properties.author, e.author);
    EXPECT_EQ(doc.properties.company, e.company);
    EXPECT_EQ(doc.properties.app_name, e.app_name);
    EXPECT_EQ(doc.language, e.language);
    EXPECT_TRUE(contains_text(doc, e.some_text));
  }
}

TEST(QuireCorpus, RevisionsPrintWithTheirMarkupAsTheDocumentAsks) {
  SKIP_WITHOUT_CORPUS();
  Document doc;
  ASSERT_EQ(open_document(doc, corpus_file("test01.doc").c_str()), OPEN_OK);
  ASSERT_TRUE(doc.model.revision_markup);
  bool struck = false;  // the deleted sentence is shown, struck through
  for (const Block& block : doc.model.blocks) {
    const size_t at = block.paragraph.text.find("has been deleted");
    for (const TextRun& run : block.paragraph.runs)
      if (at != std::string::npos && run.start <= at && at < run.end) struck = run.props.strike;
  }
  EXPECT_TRUE(struck);
}

TEST(QuireCorpus, EveryDocumentOpensWithWordsOwnPageCountAndInkOnPageOne) {
  SKIP_WITHOUT_CORPUS();
  int documents = 0;
  for (const auto& entry : std::filesystem::directory_iterator(DOCS)) {
    const std::string path = entry.path().string();
    if (entry.path().filename().string().rfind("test", 0) != 0) continue;
    SCOPED_TRACE(path);
    ++documents;
    Document doc;
    ASSERT_EQ(open_document(doc, path.c_str()), OPEN_OK);
    const int stored = stored_page_count(path);
    if (stored > 0) {
      EXPECT_EQ(doc.page_count(), stored);
    }
    std::vector<uint32_t> pixels(595 * 842);
    ASSERT_EQ(render_document_page(doc, 1, reinterpret_cast<uint8_t*>(pixels.data()), 2380), 0);
    int ink = 0;
    for (uint32_t p : pixels) ink += p != 0xFFFFFFFFu;
    EXPECT_GT(ink, 500);
  }
  EXPECT_EQ(documents, 9);
}

TEST(QuireCorpus, TheDamagedFileIsRefused) {
  SKIP_WITHOUT_CORPUS();
  Document doc;
  EXPECT_EQ(open_document(doc, corpus_file("badfile-01-bad-header.doc").c_str()), OPEN_NOT_COMPOUND);
  EXPECT_EQ(doc.page_count(), 0);
}

TEST(QuireCorpus, AHeaderTextBoxShowsItsStoryOnThePage) {
  SKIP_WITHOUT_CORPUS();
  Document doc;
  ASSERT_EQ(open_document(doc, corpus_file("test06.doc").c_str()), OPEN_OK);
  ASSERT_GE(doc.page_count(), 1);
  bool shown = false;
  for (const PlacedPicture& placed : doc.layout.pages[0].pictures)
    if (placed.text < doc.model.shape_texts.size())
      for (const Block& block : doc.model.shape_texts[placed.text].blocks)
        shown = shown || block.paragraph.text == "DmfA";
  EXPECT_TRUE(shown);
}
