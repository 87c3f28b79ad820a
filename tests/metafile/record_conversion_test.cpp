// Each family of record conversion: which bytes a forced swap reverses and
// which it leaves alone, and counts that claim more than the record holds.
#include <gtest/gtest.h>

#include "metafile/byte_order.h"
#include "tests/metafile/swap_expectations.h"
#include "tests/support/wmf_builder.h"

namespace vellum::test {
namespace {

constexpr size_t FIRST = 18;  // the record after a plain metafile header

// `n` parameter bytes of a recognisable pattern.
std::vector<uint8_t> pattern(size_t n) {
  std::vector<uint8_t> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(0x10 + i);
  return bytes;
}

// Sets a little-endian word at a record offset of a parameter block.
std::vector<uint8_t> with_word(std::vector<uint8_t> params, size_t record_offset, int value) {
  params[record_offset - 6] = static_cast<uint8_t>(value);
  params[record_offset - 5] = static_cast<uint8_t>(value >> 8);
  return params;
}

std::vector<uint8_t> with_dword(std::vector<uint8_t> params, size_t record_offset, uint32_t value) {
  params = with_word(std::move(params), record_offset, static_cast<int>(value & 0xFFFF));
  return with_word(std::move(params), record_offset + 2, static_cast<int>(value >> 16));
}

std::vector<Field> runs(std::initializer_list<std::tuple<size_t, size_t, size_t>> list) {
  std::vector<Field> fields;
  for (const auto& [offset, n, width] : list) add_run(fields, offset, n, width);
  return fields;
}

// One record of `type` with `params`, converted; `fields` are the record's
// fields that must come out reversed, besides its size.
void expect_record_conversion(uint8_t type, uint8_t parameter_count,
                              const std::vector<uint8_t>& params, std::vector<Field> fields) {
  WmfBuilder wmf;
  wmf.record(type, parameter_count).bytes(params).end();
  auto before = wmf.finish();
  auto after = before;
  EXPECT_EQ(swap_stream_for(Endian::big, after.data(), after.size(), false), 1);
  fields.push_back({0, 4});
  auto expected = reversed_fields(before, 0, runs({{2, 2, 2}, {6, 1, 4}, {10, 1, 2}, {12, 1, 4}, {16, 1, 2}}));
  expected = reversed_fields(expected, FIRST, fields);
  expected = reversed_fields(expected, before.size() - 6, {{0, 4}});
  EXPECT_TRUE(same_bytes(expected, after)) << "record type 0x" << std::hex << int{type};
}

TEST(RecordConversion, SizeOnlyTypesKeepTheirParameters) {
  for (uint8_t type : {0x01, 0x05, 0x09, 0x1E, 0x2F, 0x35, 0xF8, 0xFD, 0xFE, 0x3A, 0x47, 0x49, 0xEF, 0xF1, 0xF6})
    expect_record_conversion(type, 2, pattern(8), {});
}

TEST(RecordConversion, FixedWordFamiliesCoverEveryListedType) {
  const std::pair<std::vector<uint8_t>, size_t> families[] = {
      {{0x02, 0x03, 0x04, 0x06, 0x07, 0x08, 0x27, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x34, 0x39, 0xF0}, 1},
      {{0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x11, 0x13, 0x14, 0x20, 0x28}, 2},
      {{0x10, 0x12, 0x15, 0x16, 0x18, 0x1B, 0x29}, 4},
      {{0x1C}, 6},
      {{0x17, 0x1A, 0x30}, 8},
  };
  for (const auto& [types, words] : families)
    for (uint8_t type : types) expect_record_conversion(type, 2, pattern(2 * words + 4), runs({{6, words, 2}}));
}

TEST(RecordConversion, ValuesColoursAndRasterOperations) {
  expect_record_conversion(0x31, 2, pattern(6), runs({{6, 1, 4}}));                   // SETMAPPERFLAGS
  expect_record_conversion(0x19, 5, pattern(8), runs({{10, 2, 2}}));                  // FLOODFILL
  expect_record_conversion(0x1F, 4, pattern(8), runs({{10, 2, 2}}));                  // SETPIXEL
  expect_record_conversion(0x48, 5, pattern(10), runs({{6, 1, 2}, {12, 2, 2}}));      // EXTFLOODFILL
  expect_record_conversion(0x1D, 6, pattern(12), runs({{6, 1, 4}, {10, 4, 2}}));      // PATBLT
  expect_record_conversion(0xFA, 5, pattern(10), runs({{6, 3, 2}}));                  // pen
  expect_record_conversion(0xFB, 9, pattern(24), runs({{6, 5, 2}}));                  // font
  expect_record_conversion(0xFC, 4, pattern(8), runs({{6, 1, 2}, {12, 1, 2}}));       // brush
  expect_record_conversion(0xF9, 7, pattern(14), runs({{6, 4, 2}}));                  // pattern brush
  for (uint8_t type : {0x36, 0x37, 0xF7}) expect_record_conversion(type, 6, pattern(12), runs({{6, 2, 2}}));
}

TEST(RecordConversion, PointListsFollowTheirCounts) {
  for (uint8_t type : {0x24, 0x25})
    expect_record_conversion(type, 3, with_word(pattern(10), 6, 2), runs({{6, 5, 2}}));
  // POLYPOLYGON: two polygons of 1 and 2 points; the counts sum to 3 points.
  auto params = with_word(with_word(with_word(pattern(18), 6, 2), 8, 1), 10, 2);
  expect_record_conversion(0x38, 5, params, runs({{6, 3, 2}, {12, 6, 2}}));
}

TEST(RecordConversion, TextPointFollowsThePaddedString) {
  // Five characters: the point sits at 14 and 16, not 13 and 15.
  expect_record_conversion(0x21, 5, with_word(pattern(12), 6, 5), runs({{6, 1, 2}, {14, 2, 2}}));
  expect_record_conversion(0x21, 5, with_word(pattern(8), 6, 0), runs({{6, 3, 2}}));
  // A negative length places nothing: only the length word converts.
  expect_record_conversion(0x21, 5, with_word(pattern(10), 6, -3), runs({{6, 1, 2}}));
}

TEST(RecordConversion, ExtendedTextRectangleStringAndSpacing) {
  // Options 4 (clipped): rectangle at 14, string "abc" at 22, spacing at 26.
  auto clipped = with_word(with_word(pattern(26), 10, 3), 12, 4);
  expect_record_conversion(0x32, 10, clipped, runs({{6, 4, 2}, {14, 4, 2}, {26, 3, 2}}));
  // Options 1: no rectangle, string at 14, spacing after two characters at 16.
  auto spaced = with_word(with_word(pattern(14), 10, 2), 12, 1);
  expect_record_conversion(0x32, 10, spaced, runs({{6, 4, 2}, {16, 2, 2}}));
  // The spacing array is optional: a record that ends after the string keeps
  // the next record's bytes untouched.
  auto bare = with_word(with_word(pattern(10), 10, 2), 12, 1);
  expect_record_conversion(0x32, 10, bare, runs({{6, 4, 2}}));
  auto negative = with_word(with_word(pattern(12), 10, -2), 12, 0);
  expect_record_conversion(0x32, 10, negative, runs({{6, 4, 2}}));
}

TEST(RecordConversion, EscapeConvertsValuesOnlyForLineSettings) {
  for (int function : {21, 22, 23})
    expect_record_conversion(0x26, 6, with_word(pattern(8), 6, function), runs({{6, 2, 2}, {10, 1, 4}}));
  expect_record_conversion(0x26, 6, with_word(pattern(8), 6, 15), runs({{6, 2, 2}}));
}

TEST(RecordConversion, TransfersTellTheirFormsBySize) {
  // Without bitmap the record has parameter count + 3 words.
  expect_record_conversion(0x22, 9, pattern(18), runs({{6, 1, 4}, {10, 7, 2}}));
  expect_record_conversion(0x22, 9, pattern(30), runs({{6, 1, 4}, {10, 6, 2}, {22, 4, 2}}));
  expect_record_conversion(0x23, 11, pattern(22), runs({{6, 1, 4}, {10, 9, 2}}));
  expect_record_conversion(0x23, 11, pattern(34), runs({{6, 1, 4}, {10, 8, 2}, {26, 4, 2}}));
  expect_record_conversion(0x40, 9, pattern(18), runs({{6, 1, 4}, {10, 7, 2}}));
}

TEST(RecordConversion, BitmapInformationHeadersByLength) {
  // Information header (40 bytes) at 22 of a DIBBITBLT.
  auto info = with_dword(pattern(60), 22, 40);
  expect_record_conversion(0x40, 9, info,
                           runs({{6, 1, 4}, {10, 6, 2}, {22, 3, 4}, {34, 2, 2}, {38, 6, 4}}));
  // Core header (12 bytes) at 26 of a DIBSTRETCHBLT.
  auto core = with_dword(pattern(36), 26, 12);
  expect_record_conversion(0x41, 11, core, runs({{6, 1, 4}, {10, 8, 2}, {26, 1, 4}, {30, 4, 2}}));
  expect_record_conversion(0x33, 9, with_dword(pattern(30), 24, 12),
                           runs({{6, 9, 2}, {24, 1, 4}, {28, 4, 2}}));
  expect_record_conversion(0x43, 11, with_dword(pattern(62), 28, 40),
                           runs({{6, 1, 4}, {10, 9, 2}, {28, 3, 4}, {40, 2, 2}, {44, 6, 4}}));
  // A header whose length field lies past the record converts nothing more.
  expect_record_conversion(0x40, 9, pattern(16), runs({{6, 1, 4}, {10, 6, 2}}));
}

TEST(RecordConversion, PatternBrushByStyle) {
  expect_record_conversion(0x42, 2, with_word(pattern(18), 6, 3), runs({{6, 2, 2}, {10, 4, 2}}));
  auto info = with_dword(with_word(pattern(44), 6, 5), 10, 40);
  expect_record_conversion(0x42, 2, info, runs({{6, 2, 2}, {10, 3, 4}, {22, 2, 2}, {26, 6, 4}}));
}

TEST(RecordConversion, RegionIsWordsAfterItsObjectCount) {
  // Fixed part of 22 bytes from 6 and one scan of 12 bytes: words to the end.
  expect_record_conversion(0xFF, 6, pattern(34), runs({{6, 2, 2}, {10, 1, 4}, {14, 13, 2}}));
}

TEST(RecordConversion, CountsBeyondTheRecordDoNotTouchTheNextRecord) {
  WmfBuilder wmf;
  wmf.record(0x24, 3).words({1000, 1, 2, 3, 4}).end();            // 1000 points claimed, 2 held
  wmf.record(0x38, 5).words({9, 50, 50}).end();                   // 9 polygons claimed
  wmf.record(0x21, 5).words({300, 0x4141}).end();                 // 300 characters claimed
  wmf.record(0x32, 10).words({1, 2, 200, 0, 0x4242}).end();       // spacing far past the end
  wmf.rectangle(1, 2, 3, 4);
  const auto before = wmf.finish();
  auto after = before;
  EXPECT_EQ(swap_stream_for(Endian::big, after.data(), after.size(), false), 1);
  const auto at = wmf.record_offsets();
  auto expected = reversed_fields(before, 0, runs({{2, 2, 2}, {6, 1, 4}, {10, 1, 2}, {12, 1, 4}, {16, 1, 2}}));
  expected = reversed_fields(expected, at[0], runs({{0, 1, 4}, {6, 5, 2}}));
  expected = reversed_fields(expected, at[1], runs({{0, 1, 4}, {6, 3, 2}}));
  expected = reversed_fields(expected, at[2], runs({{0, 1, 4}, {6, 1, 2}}));
  expected = reversed_fields(expected, at[3], runs({{0, 1, 4}, {6, 4, 2}}));
  expected = reversed_fields(expected, at[4], runs({{0, 1, 4}, {6, 4, 2}}));
  expected = reversed_fields(expected, before.size() - 6, {{0, 4}});
  EXPECT_TRUE(same_bytes(expected, after));
}

}  // namespace
}  // namespace vellum::test
