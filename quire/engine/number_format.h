// Number formats of list labels and notes: decimal, roman, letters,
// ordinals, as Word writes them (the nfc codes of [MS-DOC] 2.9.173).
#pragma once

#include <cstdint>
#include <string>

namespace quire {

enum NumberFormat : uint8_t {
  NFC_DECIMAL = 0,
  NFC_UPPER_ROMAN = 1,
  NFC_LOWER_ROMAN = 2,
  NFC_UPPER_LETTER = 3,
  NFC_LOWER_LETTER = 4,
  NFC_ORDINAL = 5,
  NFC_CARDINAL_TEXT = 6,
  NFC_ORDINAL_TEXT = 7,
  NFC_DECIMAL_ZERO = 22,
  NFC_BULLET = 23,
  NFC_NONE = 255,
};

// `value` written in format `nfc` as UTF-8; unknown formats fall back to decimal.
std::string format_number(int32_t value, uint8_t nfc);

}  // namespace quire
