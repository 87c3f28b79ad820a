// vellum-info's report and its result codes, on files written by the builder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "render/gdi/gdi_player.h"
#include "render/playback.h"
#include "tests/support/wmf_builder.h"
#include "tools/vellum-info/metafile_report.h"

namespace vellum::test {
namespace {

struct Report {
  int result;
  std::string out, err;
};

std::string contents(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  std::fclose(file);
  return text;
}

Report report(const std::string& path, PlaysType plays = nullptr) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int result = report_metafile(path.c_str(), out, err, plays);
  return {result, contents(out), contents(err)};
}

Report report(const WmfBuilder& wmf, const std::string& name, size_t cut = 0, PlaysType plays = nullptr) {
  const std::string path = ::testing::TempDir() + name;
  auto bytes = wmf.finish();
  if (cut) bytes.resize(bytes.size() - cut);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  Report r = report(path, plays);
  std::remove(path.c_str());
  return r;
}

TEST(VellumInfo, ListsHeadersRecordsAndHistogram) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, 200, 100, 96).set_window_ext(200, 100).rectangle(1, 2, 3, 4).rectangle(5, 6, 7, 8);
  const Report r = report(wmf, "info-ok.wmf");
  EXPECT_EQ(r.result, INFO_OK);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("placeable header: box (0, 0)-(200, 100), 96 units per inch"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("checksum"), std::string::npos);
  EXPECT_NE(r.out.find("(matches)"), std::string::npos);
  EXPECT_NE(r.out.find("header size 9 words"), std::string::npos);
  EXPECT_NE(r.out.find("        40         10  U_WMR_SETWINDOWEXT\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("        50         14  U_WMR_RECTANGLE\n"), std::string::npos);
  EXPECT_NE(r.out.find("        78          6  U_WMR_EOF\n"), std::string::npos);
  EXPECT_NE(r.out.find("4 records by type:"), std::string::npos);
  EXPECT_NE(r.out.find("U_WMR_RECTANGLE              2"), std::string::npos) << r.out;
}

TEST(VellumInfo, NoPlaceableHeaderIsNotAnError) {
  WmfBuilder wmf;
  wmf.rectangle(1, 2, 3, 4);
  const Report r = report(wmf, "info-plain.wmf");
  EXPECT_EQ(r.result, INFO_OK);
  EXPECT_NE(r.out.find("placeable header: none"), std::string::npos);
  EXPECT_NE(r.out.find("        18         14  U_WMR_RECTANGLE"), std::string::npos) << r.out;
}

TEST(VellumInfo, WrongChecksumIsReported) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, 10, 10).placeable_checksum(0x1234);
  EXPECT_NE(report(wmf, "info-sum.wmf").out.find("checksum 0x1234 (does not match)"), std::string::npos);
}

TEST(VellumInfo, FailuresHaveOneLineAndTheirOwnCode) {
  const Report missing = report(::testing::TempDir() + "no-such-file.wmf");
  EXPECT_EQ(missing.result, INFO_UNREADABLE);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos);

  WmfBuilder wmf;
  wmf.placeable(0, 0, 10, 10).rectangle(1, 2, 3, 4);
  const Report short_file = report(wmf, "info-short.wmf", wmf.finish().size() - 30);
  EXPECT_EQ(short_file.result, INFO_NOT_METAFILE);
  EXPECT_NE(short_file.err.find("too short"), std::string::npos);

  const Report cut = report(wmf, "info-cut.wmf", 10);
  EXPECT_EQ(cut.result, INFO_TRUNCATED);
  EXPECT_NE(cut.err.find("record at offset 40 does not fit"), std::string::npos) << cut.err;

  WmfBuilder no_eof;
  no_eof.rectangle(1, 2, 3, 4).without_eof();
  const Report open_end = report(no_eof, "info-open.wmf");
  EXPECT_EQ(open_end.result, INFO_TRUNCATED);
  EXPECT_NE(open_end.err.find("no end-of-file record"), std::string::npos);
  for (const Report* r : {&missing, &short_file, &cut, &open_end})
    EXPECT_EQ(std::count(r->err.begin(), r->err.end(), '\n'), 1) << r->err;
}

TEST(VellumInfo, MarksTheRecordsTheChosenPlayerDoesNotPlay) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, 100, 100).set_window_ext(100, 100).create_brush(0, 1, 2, 3).select_object(0).rectangle(0, 0, 9, 9);
  const Report exact = report(wmf, "info-exact.wmf", 0, vellum::plays);
  EXPECT_NE(exact.out.find("U_WMR_SELECTOBJECT  (not played)\n"), std::string::npos) << exact.out;
  EXPECT_NE(exact.out.find("U_WMR_RECTANGLE\n"), std::string::npos) << exact.out;
  EXPECT_NE(exact.out.find("U_WMR_SELECTOBJECT           1  (not played)\n"), std::string::npos) << exact.out;
  const Report gdi = report(wmf, "info-gdi.wmf", 0, vellum::gdi::plays);
  EXPECT_EQ(gdi.out.find("not played"), std::string::npos) << gdi.out;
  EXPECT_EQ(report(wmf, "info-plain.wmf").out.find("not played"), std::string::npos);
}

TEST(VellumInfo, RefusesAFolderWithItsReason) {
  const Report folder = report(::testing::TempDir());
  EXPECT_EQ(folder.result, INFO_UNREADABLE);
  EXPECT_NE(folder.err.find("a folder"), std::string::npos) << folder.err;
}

}  // namespace
}  // namespace vellum::test
