#include "text_decode.h"

namespace quire {
namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

// 0x80-0x9F of 8-bit text; 0 keeps the byte's own value.
constexpr char16_t HIGH_CONTROLS[32] = {
    0,      0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

bool is_high_surrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void append_utf8(char32_t cp, std::string& out) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = REPLACEMENT;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t decode_compressed(uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F && HIGH_CONTROLS[byte - 0x80] != 0) return HIGH_CONTROLS[byte - 0x80];
  return byte;
}

int Utf16Decoder::next(uint16_t unit, char32_t out[2]) {
  const uint16_t high = high_;
  high_ = 0;
  if (high != 0) {
    if (is_low_surrogate(unit)) {
      out[0] = 0x10000 + ((char32_t{high} - 0xD800) << 10) + (unit - 0xDC00);
      return 1;
    }
    out[0] = REPLACEMENT;
    if (is_high_surrogate(unit)) {
      high_ = unit;
      return 1;
    }
    out[1] = unit;
    return 2;
  }
  if (is_high_surrogate(unit)) {
    high_ = unit;
    return 0;
  }
  out[0] = is_low_surrogate(unit) ? REPLACEMENT : unit;
  return 1;
}

void Utf16Decoder::push(uint16_t unit, std::string& out) {
  char32_t cps[2];
  const int count = next(unit, cps);
  for (int i = 0; i < count; ++i) append_utf8(cps[i], out);
}

void Utf16Decoder::finish(std::string& out) {
  if (high_ != 0) append_utf8(REPLACEMENT, out);
  high_ = 0;
}

}  // namespace quire
