// Character decoding, property-modifier walking and language names: the
// small pieces every document goes through.
#include <gtest/gtest.h>

#include "engine/language_names.h"
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
