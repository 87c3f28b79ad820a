// quire-export's command line: page lists, output names and the checks
// that turn a slip into a usage error before any document is read.
#include <gtest/gtest.h>

#include <vector>

#include "tools/quire-export/options.h"

using namespace quire_export;

namespace {

std::vector<int> pages_of(const std::string& list, int page_count, std::string* reason = nullptr) {
  std::vector<PageRange> ranges;
  std::string why;
  std::vector<int> pages;
  if (!parse_page_ranges(list, &ranges, &why) || !select_pages(ranges, page_count, &pages, &why)) pages = {-1};
  if (reason) *reason = why;
  return pages;
}

// Parses "quire-export <words>"; the reason when that is a usage error, else "".
std::string problem_with(std::vector<const char*> words, Options* options = nullptr) {
  words.insert(words.begin(), "quire-export");
  Options local;
  std::string reason;
  return parse_options(int(words.size()), words.data(), options ? options : &local, &reason) ? "" : reason;
}

}  // namespace

TEST(QuireExportPages, ListsRangesAndOpenEndsInTheOrderGiven) {
  EXPECT_EQ(pages_of("1-3,7", 9), (std::vector<int>{1, 2, 3, 7}));
  EXPECT_EQ(pages_of("8-", 9), (std::vector<int>{8, 9}));
  EXPECT_EQ(pages_of("3,1", 3), (std::vector<int>{3, 1}));
  EXPECT_EQ(pages_of("2", 2), (std::vector<int>{2}));
  std::vector<int> all;
  std::vector<int> expected{1, 2, 3};
  ASSERT_TRUE(select_pages({}, 3, &all, nullptr));
  EXPECT_EQ(all, expected);
}

TEST(QuireExportPages, MalformedListsAndMissingPagesAreRefusedWithTheReason) {
  for (const char* bad : {"", "0", "3-1", "1-3,", ",2", "a", "1-2-3", "-3", "1 -3", "99999999999"})
    EXPECT_EQ(pages_of(bad, 100), std::vector<int>{-1}) << "\"" << bad << "\"";
  std::string reason;
  EXPECT_EQ(pages_of("2-5", 3, &reason), std::vector<int>{-1});
  EXPECT_NE(reason.find("page 5 does not exist: the document has 3 pages"), std::string::npos) << reason;
  EXPECT_EQ(pages_of("4-", 3, &reason), std::vector<int>{-1});
  EXPECT_NE(reason.find("page 4"), std::string::npos) << reason;
}

TEST(QuireExportNames, PercentDIsThePageAndPercentPercentAPercentSign) {
  EXPECT_EQ(name_for_page("page-%d.png", 12), "page-12.png");
  EXPECT_EQ(name_for_page("100%%-%d.png", 3), "100%-3.png");
  EXPECT_TRUE(names_each_page("p%d.png"));
  EXPECT_FALSE(names_each_page("100%%d.png"));
  EXPECT_FALSE(names_each_page("plain.png"));
}

TEST(QuireExportOptions, FormatFollowsTheNameUnlessGiven) {
  Options options;
  EXPECT_EQ(problem_with({"a.doc", "-o", "OUT.PDF"}, &options), "");
  EXPECT_EQ(options.format, Format::PDF);
  options = {};
  EXPECT_EQ(problem_with({"a.doc", "--output=p-%d.png", "--dpi=150", "--pages", "2-"}, &options), "");
  EXPECT_EQ(options.format, Format::PNG);
  EXPECT_EQ(options.dpi, 150);
  ASSERT_EQ(options.pages.size(), 1u);
  EXPECT_EQ(options.pages[0].first, 2);
  options = {};
  EXPECT_EQ(problem_with({"-", "-o", "-", "-f", "pdf"}, &options), "");
  EXPECT_EQ(options.input, "-");
  EXPECT_EQ(options.format, Format::PDF);
}

TEST(QuireExportOptions, SlipsAreUsageErrors) {
  EXPECT_NE(problem_with({}), "");
  EXPECT_NE(problem_with({"a.doc"}), "");                           // nowhere to write
  EXPECT_NE(problem_with({"a.doc", "-o", "out.svg"}), "");          // unknown format
  EXPECT_NE(problem_with({"a.doc", "-o", "p-%s.png"}), "");         // only %d and %%
  EXPECT_NE(problem_with({"a.doc", "-o", "p-%d-%d.png"}), "");
  EXPECT_NE(problem_with({"a.doc", "-o", "a.pdf", "--dpi", "0"}), "");
  EXPECT_NE(problem_with({"a.doc", "-o", "a.pdf", "--dpi", "96x"}), "");
  EXPECT_NE(problem_with({"a.doc", "-o", "a.pdf", "--json"}), "");  // --json needs --info
  EXPECT_NE(problem_with({"a.doc", "--info", "-o", "-"}), "");      // both on standard output
  EXPECT_NE(problem_with({"a.doc", "b.doc", "-o", "a.pdf"}), "");
  EXPECT_NE(problem_with({"a.doc", "-o"}), "");
  EXPECT_NE(problem_with({"a.doc", "--info=yes"}), "");
  EXPECT_EQ(problem_with({"--help"}), "");
}
