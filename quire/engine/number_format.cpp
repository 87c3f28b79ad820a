#include "number_format.h"

namespace quire {
namespace {

constexpr int32_t MAX_ROMAN = 3999;

std::string roman(int32_t value, bool upper) {
  static const struct {
    int32_t value;
    const char* upper;
    const char* lower;
  } DIGITS[] = {{1000, "M", "m"}, {900, "CM", "cm"}, {500, "D", "d"}, {400, "CD", "cd"}, {100, "C", "c"},
                 {90, "XC", "xc"}, {50, "L", "l"},    {40, "XL", "xl"}, {10, "X", "x"},    {9, "IX", "ix"},
                 {5, "V", "v"},    {4, "IV", "iv"},   {1, "I", "i"}};
  std::string out;
  for (const auto& digit : DIGITS)
    while (value >= digit.value) {
      out += upper ? digit.upper : digit.lower;
      value -= digit.value;
    }
  return out;
}

// Word's letters: a..z, then aa..zz, aaa..: the letter repeated.
std::string letters(int32_t value, bool upper) {
  const int32_t repeat = (value - 1) / 26 + 1;
  const char letter = static_cast<char>((upper ? 'A' : 'a') + (value - 1) % 26);
  return std::string(static_cast<size_t>(repeat > 32 ? 32 : repeat), letter);
}

const char* ordinal_suffix(int32_t value) {
  const int32_t tens = value % 100;
  if (tens >= 11 && tens <= 13) return "th";
  switch (value % 10) {
    case 1: return "st";
    case 2: return "nd";
    case 3: return "rd";
    default: return "th";
  }
}

}  // namespace

std::string format_number(int32_t value, uint8_t nfc) {
  switch (nfc) {
    case NFC_UPPER_ROMAN:
    case NFC_LOWER_ROMAN:
      if (value >= 1 && value <= MAX_ROMAN) return roman(value, nfc == NFC_UPPER_ROMAN);
      break;
    case NFC_UPPER_LETTER:
    case NFC_LOWER_LETTER:
      if (value >= 1) return letters(value, nfc == NFC_UPPER_LETTER);
      break;
    case NFC_ORDINAL:
    case NFC_ORDINAL_TEXT:
      if (value >= 0) return std::to_string(value) + ordinal_suffix(value);
      break;
    case NFC_DECIMAL_ZERO:
      if (value >= 0 && value < 10) return std::string(1, '0') + static_cast<char>('0' + value);
      break;
    case NFC_NONE:
    case NFC_BULLET:
      return {};
    default: break;
  }
  return std::to_string(value);
}

}  // namespace quire
