// Character decoding, property-modifier walking and language names: the
// small pieces every document goes through.
#include <gtest/gtest.h>

#include "engine/language_names.h"
#include "engine/property_sets.h"
#include "engine/sprm.h"
#include "engine/text_decode.h"

using namespace quire;

namespace {

std::string utf16_to_utf8(std::initializer_list<uint16_t> units) {
  std::string out;
  Utf16Decoder decoder;
  for (uint16_t unit : units) decoder.push(unit, out);
  decoder.finish(out);
  return out;
}

struct Seen {
  uint16_t sprm;
  size_t size;
};

std::vector<Seen> walk(std::vector<uint8_t> bytes) {
  std::vector<Seen> seen;
  for_each_sprm(ByteSpan{bytes.data(), bytes.size()},
                [&](uint16_t sprm, ByteSpan operand) { seen.push_back({sprm, operand.size}); });
  return seen;
}

}  // namespace

TEST(QuireDecoding, EightBitTextUsesWordsWindows1252) {
  EXPECT_EQ(decode_compressed('A'), U'A');
  EXPECT_EQ(decode_compressed(0x80), U'\u0080');  // undefined in Windows-1252: kept
  EXPECT_EQ(decode_compressed(0x85), U'\u2026');
  EXPECT_EQ(decode_compressed(0x96), U'\u2013');
  EXPECT_EQ(decode_compressed(0x9F), U'\u0178');
  EXPECT_EQ(decode_compressed(0xE9), U'\u00e9');
}

TEST(QuireDecoding, Utf16PairsAndLoneSurrogates) {
  EXPECT_EQ(utf16_to_utf8({0xD83D, 0xDE00}), "\U0001F600");
  EXPECT_EQ(utf16_to_utf8({0xD83D, 'a'}), "\uFFFDa");
  EXPECT_EQ(utf16_to_utf8({0xDE00, 'b'}), "\uFFFDb");
  EXPECT_EQ(utf16_to_utf8({'c', 0xD83D}), "c\uFFFD");
  EXPECT_EQ(utf16_to_utf8({0xD83D, 0xD83D, 0xDE00}), "\uFFFD\U0001F600");
}

TEST(QuireDecoding, SprmOperandSizesFollowTheirSizeClass) {
  const auto seen = walk({0x35, 0x08, 0x01,              // toggle, 1 byte
                          0x43, 0x4A, 0x18, 0x00,        // 2 bytes
                          0x70, 0x68, 1, 2, 3, 0,        // 4 bytes
                          0x08, 0xD6, 0x04, 0x00, 1, 0, 0,  // table definition: 16-bit size minus one
                          0x15, 0xC6, 0x02, 9, 9,        // variable: byte size
                          0x03, 0x24, 0x01});
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_EQ(seen[0].size, 1u);
  EXPECT_EQ(seen[1].size, 2u);
  EXPECT_EQ(seen[2].size, 4u);
  EXPECT_EQ(seen[3].size, 3u);
  EXPECT_EQ(seen[4].size, 2u);
  EXPECT_EQ(seen[5].sprm, 0x2403);
}

TEST(QuireDecoding, SprmWalkStopsAtWhatDoesNotFit) {
  EXPECT_EQ(walk({0x43, 0x4A, 0x18}).size(), 0u);               // operand cut short
  EXPECT_EQ(walk({0x35, 0x08, 0x01, 0x15, 0xC6, 0xFF, 1}).size(), 1u);  // size computed from contents
  EXPECT_EQ(walk({0x08, 0xD6, 0xFF, 0xFF, 1}).size(), 0u);      // size beyond the group
  EXPECT_TRUE(toggle_value(0x81, false));
  EXPECT_FALSE(toggle_value(0x81, true));
  EXPECT_TRUE(toggle_value(0x80, true));
}

TEST(QuireDecoding, LanguageNamesFromLanguageIds) {
  EXPECT_EQ(language_name(0x0409), "English (United States)");
  EXPECT_EQ(language_name(0x0809), "English (United Kingdom)");
  EXPECT_EQ(language_name(0x080C), "French (Belgium)");
  EXPECT_EQ(language_name(0x0407), "German (Germany)");
  EXPECT_EQ(language_name(0x0411), "Japanese (Japan)");
  EXPECT_EQ(language_name(0), "");
  // A sublanguage no locale has still names its language.
  EXPECT_EQ(language_name(0x7C09).rfind("English", 0), 0u);
}

namespace {

// A SummaryInformation stream with one set: a code page and text properties
// given as (pid, type, raw value bytes).
struct RawProperty {
  uint32_t pid;
  uint16_t type;
  std::vector<uint8_t> value;
};

std::vector<uint8_t> summary_stream(uint16_t code_page, const std::vector<RawProperty>& properties) {
  std::vector<uint8_t> out;
  auto u16 = [&](uint16_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); };
  auto u32 = [&](uint32_t v) { u16(uint16_t(v)), u16(uint16_t(v >> 16)); };
  u16(0xFFFE), u16(0), u32(0x00020004);
  out.resize(0x18, 0);
  u32(1);
  out.insert(out.end(), {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10, 0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9});
  u32(0x30);
  std::vector<RawProperty> all = properties;
  all.insert(all.begin(), {1, 0x0002, {uint8_t(code_page), uint8_t(code_page >> 8), 0, 0}});
  const size_t set = out.size();
  u32(0), u32(static_cast<uint32_t>(all.size()));
  const size_t table = out.size();
  out.resize(table + 8 * all.size());
  for (size_t i = 0; i < all.size(); ++i) {
    const uint32_t at = static_cast<uint32_t>(out.size() - set);
    for (int b = 0; b < 4; ++b) out[table + 8 * i + b] = uint8_t(all[i].pid >> (8 * b));
    for (int b = 0; b < 4; ++b) out[table + 8 * i + 4 + b] = uint8_t(at >> (8 * b));
    u16(all[i].type), u16(0);
    out.insert(out.end(), all[i].value.begin(), all[i].value.end());
    while (out.size() % 4) out.push_back(0);
  }
  const uint32_t size = static_cast<uint32_t>(out.size() - set);
  for (int b = 0; b < 4; ++b) out[set + b] = uint8_t(size >> (8 * b));
  return out;
}

std::vector<uint8_t> counted(std::vector<uint8_t> bytes, uint32_t count) {
  bytes.insert(bytes.begin(), {uint8_t(count), uint8_t(count >> 8), 0, 0});
  return bytes;
}

DocumentProperties read_summary(const std::vector<uint8_t>& stream) {
  DocumentProperties props;
  read_summary_information({stream.data(), stream.size()}, props);
  return props;
}

}  // namespace

TEST(QuirePropertySets, TextsInTheirCodePages) {
  // Mac Roman 0x8E is e-acute; Windows-1252 0x80 is the euro sign.
  EXPECT_EQ(read_summary(summary_stream(10000, {{2, 0x1E, counted({'C', 'a', 'f', 0x8E, 0}, 5)}})).title,
            "Caf\u00e9");
  EXPECT_EQ(read_summary(summary_stream(1252, {{3, 0x1E, counted({0x80, '5', 0, 0, 0}, 5)}})).subject,
            "\u20ac5");  // extra NULs end the text
  EXPECT_EQ(read_summary(summary_stream(1200, {{4, 0x1E, counted({'A', 0, 'b', 0, 0, 0}, 6)}})).author, "Ab");
  EXPECT_EQ(read_summary(summary_stream(1252, {{0x12, 0x1F, counted({0x16, 0x04, 'x', 0, 0, 0}, 3)}})).app_name,
            "\u0416x");
  EXPECT_EQ(read_summary(summary_stream(65001, {{2, 0x1E, counted({'o', 0xFF, 'k', 0}, 4)}})).title,
            "o\uFFFDk");
}

TEST(QuirePropertySets, DamagedSetsGiveEmptyTexts) {
  std::vector<uint8_t> stream = summary_stream(1252, {{2, 0x1E, counted({'T', 0}, 2)}});
  ASSERT_EQ(read_summary(stream).title, "T");
  std::vector<uint8_t> long_count = summary_stream(1252, {{2, 0x1E, counted({'T', 0}, 0x7FFFFFFF)}});
  EXPECT_EQ(read_summary(long_count).title, "");
  std::vector<uint8_t> wrong_order = stream;
  wrong_order[0] = 0;
  EXPECT_EQ(read_summary(wrong_order).title, "");
  std::vector<uint8_t> set_outside = stream;
  set_outside[0x2C] = 0xF0;
  EXPECT_EQ(read_summary(set_outside).title, "");
  EXPECT_EQ(read_summary(std::vector<uint8_t>(stream.begin(), stream.begin() + 0x40)).title, "");
  EXPECT_EQ(read_summary(summary_stream(1252, {{2, 0x03, {1, 0, 0, 0}}})).title, "");  // not a text
}
