// The conversion walk: headers, record framing, the direction flag, and
// streams that lie about their sizes. The swap is forced with Endian::big so
// it runs on any machine; the expected bytes are the big-endian layouts.
#include <gtest/gtest.h>

#include <bit>

#include "metafile/byte_order.h"
#include "tests/metafile/swap_expectations.h"
#include "tests/support/wmf_builder.h"

namespace vellum::test {
namespace {

std::vector<uint8_t> converted(std::vector<uint8_t> bytes, int* result = nullptr,
                               bool to_file_order = false) {
  const int r = swap_stream_for(Endian::big, bytes.data(), bytes.size(), to_file_order);
  if (result) *result = r;
  return bytes;
}

std::vector<Field> metafile_header_fields() {
  return {{2, 2}, {4, 2}, {6, 4}, {10, 2}, {12, 4}, {16, 2}};
}

// A stream with every record type the player draws and some it skips.
WmfBuilder every_kind_of_record() {
  WmfBuilder wmf;
  Bitmap16 bitmap{2, 2, 8, 1, 24, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}};
  Font font;
  font.face = "Serif";
  wmf.placeable(0, 0, 640, 480)
      .set_bk_color(1, 2, 3).set_map_mode(8).set_polyfill_mode(2).set_text_color(4, 5, 6)
      .set_window_ext(640, 480).move_to(1, 2).line_to(300, 400)
      .intersect_clip_rect(1, 2, 600, 400).ellipse(10, 20, 30, 40).rectangle(5, 6, 7, 8)
      .round_rect(1, 2, 300, 200, 16, 12).pat_blt(1, 2, 30, 40, 0xF00021)
      .text_out(10, 20, "odd").text_out(10, 40, "even")
      .bit_blt(1, 2, 3, 4, 5, 6, 0xCC0020).bit_blt(1, 2, 3, 4, 5, 6, 0xCC0020, bitmap)
      .stretch_blt(1, 2, 3, 4, 5, 6, 7, 8, 0xCC0020)
      .stretch_blt(1, 2, 3, 4, 5, 6, 7, 8, 0xCC0020, bitmap)
      .polygon({{0, 0}, {100, 0}, {50, 80}}).polyline({{1, 1}, {2, 2}})
      .escape(21, {1, 0, 0, 0}).escape(15, {9, 8, 7})
      .set_text_align(24).poly_polygon({{{0, 0}, {10, 0}, {5, 5}}, {{20, 20}, {30, 20}, {25, 25}, {20, 30}}})
      .create_pen(0, 3, 200, 100, 50).create_font(font).create_brush(0, 9, 8, 7, 1)
      .select_object(0).delete_object(0).set_bk_mode(1).set_window_org(-5, 7).save_dc()
      .restore_dc(-1).ext_text_out(3, 4, "abc", 4, std::vector<int>{5, 6, 7})
      .ext_text_out(3, 4, "ab", 1);
  return wmf;
}

TEST(Swap, Swap16And32AreBytewise) {
  std::vector<uint8_t> b{0, 1, 2, 3, 4, 5, 6, 7, 8};
  swap16(b.data() + 1, 2);  // odd address
  EXPECT_EQ(b, (std::vector<uint8_t>{0, 2, 1, 4, 3, 5, 6, 7, 8}));
  swap32(b.data() + 5, 1);
  EXPECT_EQ(b, (std::vector<uint8_t>{0, 2, 1, 4, 3, 8, 7, 6, 5}));
  swap16(b.data(), 0);
  swap32(b.data(), 0);
  EXPECT_EQ(b, (std::vector<uint8_t>{0, 2, 1, 4, 3, 8, 7, 6, 5}));
}

TEST(SwapStream, HeadersOnlyStreamConvertsCompletely) {
  const auto before = WmfBuilder().placeable(-1, 2, 300, 400, 1440).finish();
  int result = 0;
  const auto after = converted(before, &result);
  EXPECT_EQ(result, 1);
  std::vector<Field> fields{{0, 4}, {4, 2}};
  add_run(fields, 6, 4);
  fields.insert(fields.end(), {{14, 2}, {16, 4}, {20, 2}});
  add_run(fields, 22 + 2, 2);
  fields.insert(fields.end(), {{22 + 6, 4}, {22 + 10, 2}, {22 + 12, 4}, {22 + 16, 2}, {40, 4}});
  EXPECT_TRUE(same_bytes(reversed_fields(before, 0, fields), after));
  // Big-endian expectations: the key and the end-of-file size as values.
  EXPECT_EQ((std::vector<uint8_t>{0x9A, 0xC6, 0xCD, 0xD7}), std::vector<uint8_t>(after.begin(), after.begin() + 4));
  EXPECT_EQ((std::vector<uint8_t>{0, 0, 0, 3, 0, 0}), std::vector<uint8_t>(after.end() - 6, after.end()));
  EXPECT_EQ(after[22], 1);  // the type bytes stay
  EXPECT_EQ(after[23], 0);
}

TEST(SwapStream, WithoutPlaceableTheHeaderStartsAtZero) {
  WmfBuilder wmf;
  wmf.header_size_words(10);
  const auto before = wmf.finish();
  const auto after = converted(before);
  std::vector<Field> fields{{2, 2}, {4, 2}, {6, 4}, {10, 2}, {12, 4}, {16, 2}, {20, 4}};
  EXPECT_TRUE(same_bytes(reversed_fields(before, 0, fields), after));
  EXPECT_EQ(swap_header_for(Endian::big, std::vector<uint8_t>(before).data(), before.size(), false), 20u);
}

TEST(SwapStream, ConvertingThereAndBackGivesTheSameBytes) {
  const auto original = every_kind_of_record().finish();
  int to_host = 0, to_file = 0;
  const auto host = converted(original, &to_host);
  EXPECT_EQ(to_host, 1);
  EXPECT_NE(host, original);
  EXPECT_TRUE(same_bytes(original, converted(host, &to_file, true)));
  EXPECT_EQ(to_file, 1);
}

TEST(SwapStream, MachineOrderConversionMatchesTheForcedOne) {
  const auto original = every_kind_of_record().finish();
  auto native = original;
  EXPECT_EQ(swap_stream(native.data(), native.size(), false), 1);
  if constexpr (std::endian::native == std::endian::little) {
    EXPECT_TRUE(same_bytes(original, native));
  } else {
    EXPECT_TRUE(same_bytes(converted(original), native));
  }
  auto little = original;
  EXPECT_EQ(swap_stream_for(Endian::little, little.data(), little.size(), false), 1);
  EXPECT_TRUE(same_bytes(original, little));
}

TEST(SwapStream, MissingEndOfFileRunsPastTheEndAndReportsIt) {
  WmfBuilder wmf;
  wmf.rectangle(1, 2, 3, 4).without_eof();
  int result = 1;
  const auto before = wmf.finish();
  const auto after = converted(before, &result);
  EXPECT_EQ(result, 0);
  std::vector<Field> fields{{0, 4}};
  add_run(fields, 6, 4);
  EXPECT_TRUE(same_bytes(reversed_fields(reversed_fields(before, 0, metafile_header_fields()), 18, fields),
                         after));
}

TEST(SwapStream, StopsAfterTheEndOfFileRecord) {
  WmfBuilder wmf;
  wmf.trailing({5, 0, 0, 0, 0x2D, 0x01, 0x34, 0x12, 0xAA});
  int result = 0;
  const auto before = wmf.finish();
  const auto after = converted(before, &result);
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(same_bytes(std::vector<uint8_t>(before.end() - 9, before.end()),
                         std::vector<uint8_t>(after.end() - 9, after.end())));
}

TEST(SwapStream, RecordBelowThreeWordsEndsTheWalk) {
  for (uint32_t words : {0u, 1u, 2u}) {
    WmfBuilder wmf;
    wmf.record(0x2D, 0x01).word(7).size_words(words).end().rectangle(1, 2, 3, 4);
    int result = 1;
    const auto before = wmf.finish();
    const auto after = converted(before, &result);
    EXPECT_EQ(result, 0) << words;
    // Nothing from the short record on is touched.
    EXPECT_TRUE(same_bytes(std::vector<uint8_t>(before.begin() + 18, before.end()),
                           std::vector<uint8_t>(after.begin() + 18, after.end())));
  }
}

TEST(SwapStream, RecordReachingPastTheBufferConvertsOnlyWhatIsInside) {
  WmfBuilder wmf;
  wmf.record(0x24, 0x03).words({3, 1, 2, 3}).size_words(50).end().without_eof();
  auto before = wmf.finish();
  before.push_back(0x77);  // an odd last byte: half a word, left alone
  int result = 1;
  const auto after = converted(before, &result);
  EXPECT_EQ(result, 0);
  std::vector<Field> fields{{0, 4}};
  add_run(fields, 6, 4);
  const auto header = reversed_fields(before, 0, metafile_header_fields());
  EXPECT_TRUE(same_bytes(reversed_fields(header, 18, fields), after));
}

TEST(SwapStream, RecordHeaderCutByTheBufferEndIsNotRead) {
  const auto whole = WmfBuilder().finish();
  for (size_t cut = 19; cut < whole.size(); ++cut) {
    std::vector<uint8_t> bytes(whole.begin(), whole.begin() + cut);
    EXPECT_EQ(swap_stream_for(Endian::big, bytes.data(), bytes.size(), false), 0) << cut;
  }
}

TEST(SwapStream, EveryPrefixOfAStreamStaysInsideItsBuffer) {
  // Exactly sized copies: the sanitizer reports any access past the end.
  const auto whole = every_kind_of_record().finish();
  for (size_t cut = 0; cut <= whole.size(); ++cut) {
    std::vector<uint8_t> bytes(whole.begin(), whole.begin() + cut);
    const int result = swap_stream_for(Endian::big, bytes.data(), bytes.size(), false);
    EXPECT_EQ(result, cut == whole.size() ? 1 : 0) << cut;
  }
  EXPECT_EQ(swap_stream_for(Endian::big, nullptr, 0, false), 0);
}

}  // namespace
}  // namespace vellum::test
