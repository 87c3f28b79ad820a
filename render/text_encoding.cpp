// Character sets of text records to UTF-8.
#include "render/text_encoding.h"

#include <iconv.h>

#include <cerrno>

#include <cstring>

namespace vellum {

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 marks the bytes
// that have no character.
constexpr char16_t CP1252_HIGH[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The symbol font's layout where it differs from ASCII (0x20..0x7E) and its
// upper half (0xA0..0xFF); 0 marks bytes without a glyph.
constexpr char16_t SYMBOL_LOW[95] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,  // 20
    0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,  // 28
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,  // 30
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,  // 38
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,  // 40
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,  // 48
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,  // 50
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,  // 58
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,  // 60
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,  // 68
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,  // 70
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C};         // 78
constexpr char16_t SYMBOL_HIGH[96] = {
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,  // A0
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,  // A8
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,  // B0
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,  // B8
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,  // C0
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,  // C8
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,  // D0
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,  // D8
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,  // E0
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,  // E8
    0,      0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,  // F0
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0};      // F8

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

char32_t cp1252_char(uint8_t b) {
  if (b < 0x80 || b >= 0xA0) return b;
  const char16_t c = CP1252_HIGH[b - 0x80];
  return c ? c : REPLACEMENT;
}

char32_t symbol_char(uint8_t b) {
  if (b < 0x20) return b;
  char16_t c = 0;
  if (b < 0x7F) c = SYMBOL_LOW[b - 0x20];
  else if (b >= 0xA0) c = SYMBOL_HIGH[b - 0xA0];
  return c ? c : REPLACEMENT;
}

std::string single_byte_to_utf8(const uint8_t* bytes, size_t length, char32_t (*map)(uint8_t)) {
  std::string out;
  out.reserve(length);
  for (size_t i = 0; i < length; ++i) append_utf8(out, map(bytes[i]));
  return out;
}

// The Windows code page of each other character set byte.
const char* code_page_of(int32_t charset) {
  switch (charset) {
    case 77: return "MACINTOSH";
    case 128: return "CP932";
    case 129: return "CP949";
    case 130: return "JOHAB";
    case 134: return "CP936";
    case 136: return "CP950";
    case 161: return "CP1253";
    case 162: return "CP1254";
    case 163: return "CP1258";
    case 177: return "CP1255";
    case 178: return "CP1256";
    case 186: return "CP1257";
    case 204: return "CP1251";
    case 222: return "CP874";
    case 238: return "CP1250";
    case 255: return "CP437";
    default: return nullptr;
  }
}

// Converts through iconv; a byte that starts no character of the set gives
// U+FFFD and the conversion goes on after it.
std::string code_page_to_utf8(iconv_t cd, const uint8_t* bytes, size_t length) {
  std::string out;
  char chunk[256];
  char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
  size_t in_left = length;
  while (in_left > 0) {
    char* to = chunk;
    size_t to_left = sizeof chunk;
    const size_t done = iconv(cd, &in, &in_left, &to, &to_left);
    out.append(chunk, size_t(to - chunk));
    if (done != size_t(-1) || errno == E2BIG) continue;
    append_utf8(out, REPLACEMENT);  // EILSEQ, or EINVAL for a cut last character
    ++in;
    --in_left;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

}  // namespace

std::string text_to_utf8(const uint8_t* bytes, size_t length, int32_t charset) {
  if (charset == SYMBOL_CHARSET) return single_byte_to_utf8(bytes, length, symbol_char);
  const char* code_page = code_page_of(charset);
  if (code_page != nullptr) {
    const iconv_t cd = iconv_open("UTF-8", code_page);
    if (cd != iconv_t(-1)) {
      std::string out = code_page_to_utf8(cd, bytes, length);
      iconv_close(cd);
      return out;
    }
  }
  return single_byte_to_utf8(bytes, length, cp1252_char);
}

std::string text_to_utf8(ByteReader text, int32_t charset) {
  return text_to_utf8(text.data(), text.left(), charset);
}

std::string face_to_utf8(const char* face) {
  return single_byte_to_utf8(reinterpret_cast<const uint8_t*>(face), std::strlen(face),
                             cp1252_char);
}

}  // namespace vellum
