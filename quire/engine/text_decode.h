// Character decoding for document text: 8-bit pieces in Word's variant of
// Windows-1252, UTF-16 pieces with surrogate pairs, both appended as UTF-8.
#pragma once

#include <cstdint>
#include <string>

namespace quire {

// Appends code point `cp` as UTF-8; surrogates and out-of-range values become U+FFFD.
void append_utf8(char32_t cp, std::string& out);

// The Unicode value of a byte of 8-bit ("compressed") text.
char32_t decode_compressed(uint8_t byte);

// Joins UTF-16 units into code points; an unpaired surrogate becomes U+FFFD.
class Utf16Decoder {
 public:
  // Stores the code points this unit completes in `out` and returns how
  // many (0 while a pair is open, 2 when an unpaired high surrogate is
  // followed by an ordinary unit).
  int next(uint16_t unit, char32_t out[2]);
  // Convenience for plain strings.
  void push(uint16_t unit, std::string& out);
  void finish(std::string& out);

 private:
  uint16_t high_ = 0;
};

}  // namespace quire
