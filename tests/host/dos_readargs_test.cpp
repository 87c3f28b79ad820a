// ReadArgs against real templates, and StrToLong.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include <proto/dos.h>

namespace {

// Parses line against tmpl into array; the IoErr code, 0 on success.
class Args {
 public:
  LONG parse(const char* tmpl, const char* line) {
    FreeArgs(rdargs_);
    FreeDosObject(DOS_RDARGS, rdargs_);
    rdargs_ = AllocDosObject(DOS_RDARGS, nullptr);
    text_ = line;
    rdargs_->RDA_Source.CS_Buffer = text_.data();
    rdargs_->RDA_Source.CS_Length = LONG(text_.size());
    for (IPTR& slot : array) slot = 0;
    if (ReadArgs(tmpl, array, rdargs_)) return 0;
    return IoErr();
  }
  const char* str(int i) const { return reinterpret_cast<const char*>(array[i]); }
  LONG num(int i) const { return *reinterpret_cast<const LONG*>(array[i]); }
  std::string list(int i) const {
    std::string joined;
    for (const char* const* item = reinterpret_cast<const char* const*>(array[i]); *item; item++)
      joined += std::string(joined.empty() ? "" : "|") + *item;
    return joined;
  }
  ~Args() {
    FreeArgs(rdargs_);
    FreeDosObject(DOS_RDARGS, rdargs_);
  }
  IPTR array[8] = {};

 private:
  struct RDArgs* rdargs_ = nullptr;
  std::string text_;
};

TEST(ReadArgs, TheDumpToolsTemplate) {
  Args args;
  ASSERT_EQ(args.parse("INPUT/A,PAGENUMBER/A", "letter.doc 3\n"), 0);
  EXPECT_STREQ(args.str(0), "letter.doc");
  EXPECT_STREQ(args.str(1), "3");
  ASSERT_EQ(args.parse("INPUT/A,PAGENUMBER/A", "pagenumber=2 \"my letter.doc\""), 0);
  EXPECT_STREQ(args.str(0), "my letter.doc");
  EXPECT_STREQ(args.str(1), "2");
  ASSERT_EQ(args.parse("INPUT/A,PAGENUMBER/A", "PAGENUMBER 7 INPUT x.doc"), 0);
  EXPECT_STREQ(args.str(0), "x.doc");
  EXPECT_STREQ(args.str(1), "7");
  ASSERT_EQ(args.parse("INPUT/A,PAGENUMBER/A", "\"input\" 1"), 0) << "a quoted word is never a keyword";
  EXPECT_STREQ(args.str(0), "input");
  EXPECT_EQ(args.parse("INPUT/A,PAGENUMBER/A", "letter.doc"), ERROR_REQUIRED_ARG_MISSING);
  EXPECT_EQ(args.parse("INPUT/A,PAGENUMBER/A", ""), ERROR_REQUIRED_ARG_MISSING);
  EXPECT_EQ(args.parse("INPUT/A,PAGENUMBER/A", "a b c"), ERROR_TOO_MANY_ARGS);
  EXPECT_EQ(args.parse("INPUT/A,PAGENUMBER/A", "a PAGENUMBER"), ERROR_KEY_NEEDS_ARG);
}

TEST(ReadArgs, KeywordsSwitchesNumbersAndMultiples) {
  Args args;
  const char* tmpl = "FROM/M/A,TO/A,SIZE=S/K/N,QUIET/S,ALL/S";
  ASSERT_EQ(args.parse(tmpl, "a b c dest quiet s=42"), 0);
  EXPECT_EQ(args.list(0), "a|b|c");
  EXPECT_STREQ(args.str(1), "dest");
  EXPECT_EQ(args.num(2), 42);
  EXPECT_NE(args.array[3], 0);
  EXPECT_EQ(args.array[4], 0);
  ASSERT_EQ(args.parse(tmpl, "only dest SIZE -7"), 0);
  EXPECT_EQ(args.list(0), "only");
  EXPECT_EQ(args.num(2), -7);
  EXPECT_EQ(args.parse(tmpl, "a b SIZE 4x"), ERROR_BAD_NUMBER);
  EXPECT_EQ(args.array[2], 0) << "a failed parse writes nothing";
  EXPECT_EQ(args.parse("NAME/A,SIZE/K/N", "a 5"), ERROR_TOO_MANY_ARGS) << "/K needs its keyword";
  EXPECT_EQ(args.parse(tmpl, "a b QUIET=1"), ERROR_TOO_MANY_ARGS);
  ASSERT_EQ(args.parse("NAME,LINE/F", "n all of it"), 0);
  EXPECT_STREQ(args.str(1), "all of it");
  ASSERT_EQ(args.parse("TEXT/A", "\"say *\"hi*\" ** *n\""), 0);
  EXPECT_STREQ(args.str(0), "say \"hi\" * \n");
}

TEST(ReadArgs, BadTemplatesAndTheProgramsOwnLine) {
  Args args;
  EXPECT_EQ(args.parse("A/Q", "x"), ERROR_BAD_TEMPLATE);
  EXPECT_EQ(args.parse("A,,B", "x"), ERROR_BAD_TEMPLATE);
  // A switch that also says /N is a switch: there is no number to read.
  ASSERT_EQ(args.parse("FLAG/S/N", "flag"), 0);
  EXPECT_EQ(args.array[0], DOSTRUE);
  // Without a source the parse reads this program's own arguments; ctest
  // runs each test with a --gtest_filter option.
  IPTR array[1] = {0};
  struct RDArgs* own = ReadArgs("ARGS/M", array, nullptr);
  ASSERT_NE(own, nullptr);
  const char* const* items = reinterpret_cast<const char* const*>(array[0]);
  if (items && items[0]) {
    EXPECT_EQ(std::string(items[0]).rfind("--gtest", 0), 0u) << items[0];
  }
  FreeArgs(own);
}

TEST(StrToLong, AsDosReadsNumbers) {
  LONG value = 99;
  EXPECT_EQ(StrToLong("123", &value), 3);
  EXPECT_EQ(value, 123);
  EXPECT_EQ(StrToLong("  -45xyz", &value), 5);
  EXPECT_EQ(value, -45);
  EXPECT_EQ(StrToLong("+8", &value), 2);
  EXPECT_EQ(value, 8);
  EXPECT_EQ(StrToLong("2147483647", &value), 10);
  EXPECT_EQ(value, INT32_MAX);
  EXPECT_EQ(StrToLong("-2147483648", &value), 11);
  EXPECT_EQ(value, INT32_MIN);
  value = 5;
  EXPECT_EQ(StrToLong("2147483648", &value), -1) << "does not fit";
  EXPECT_EQ(StrToLong("abc", &value), -1);
  EXPECT_EQ(StrToLong("-", &value), -1);
  EXPECT_EQ(StrToLong("", &value), -1);
  EXPECT_EQ(value, 5) << "untouched on failure";
}

}  // namespace
