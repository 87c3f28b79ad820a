// Text bytes of a metafile to characters, keeping which bytes each came
// from (a DBCS character spans two bytes, and per-byte Dx values follow the
// bytes). Single-byte code pages map byte by byte; SHIFTJIS, HANGUL,
// GB2312, BIG5 and JOHAB read lead and trail bytes through iconv.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vellum::draw {

struct TextChar {
  char32_t code;     // U+FFFD where the byte(s) name no character
  uint32_t first;    // index of its first byte
  uint32_t length;   // 1 or 2
};

// `symbol_font`: the realized font is a symbol font, so byte b is the code
// U+F000 + b of its symbol cmap. Otherwise SYMBOL_CHARSET text (a symbol
// font that is not installed) reads the bytes in the Symbol font's layout
// as Unicode, and other charsets through their code page.
std::vector<TextChar> decode_text(const uint8_t* bytes, size_t length, uint8_t charset,
                                  bool symbol_font);

}  // namespace vellum::draw
