#include "render/draw/text_decode.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "render/text_encoding.h"

namespace vellum::draw {

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

// The first character of a UTF-8 string (the single-byte decoders give one).
char32_t first_code_point(const std::string& s) {
  if (s.empty()) return REPLACEMENT;
  const auto b = [&](size_t i) { return i < s.size() ? char32_t(uint8_t(s[i]) & 0x3F) : 0; };
  const uint8_t c = uint8_t(s[0]);
  if (c < 0x80) return c;
  if (c < 0xE0) return char32_t(c & 0x1F) << 6 | b(1);
  if (c < 0xF0) return char32_t(c & 0x0F) << 12 | b(1) << 6 | b(2);
  return char32_t(c & 0x07) << 18 | b(1) << 12 | b(2) << 6 | b(3);
}

using ByteTable = std::array<char32_t, 256>;

// The 256 characters of a single-byte set (the symbol layout as charset 2),
// computed once per set.
const ByteTable& byte_table(int32_t charset) {
  static std::mutex mutex;
  static std::map<int32_t, std::unique_ptr<ByteTable>> tables;
  std::lock_guard<std::mutex> lock(mutex);
  auto& table = tables[charset];
  if (!table) {
    table = std::make_unique<ByteTable>();
    for (int b = 0; b < 256; ++b) {
      const uint8_t byte = uint8_t(b);
      (*table)[b] = first_code_point(text_to_utf8(&byte, 1, charset));
    }
  }
  return *table;
}

const char* double_byte_code_page(uint8_t charset) {
  switch (charset) {
    case 128: return "CP932";
    case 129: return "CP949";
    case 130: return "JOHAB";
    case 134: return "CP936";
    case 136: return "CP950";
    default: return nullptr;
  }
}

// Converts 1 or 2 bytes to one character; 0 when they are no whole character.
char32_t convert(iconv_t cd, const uint8_t* bytes, size_t n, bool* incomplete) {
  char32_t out[2] = {0, 0};
  char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
  size_t in_left = n;
  char* to = reinterpret_cast<char*>(out);
  size_t to_left = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  const size_t r = iconv(cd, &in, &in_left, &to, &to_left);
  *incomplete = r == size_t(-1) && errno == EINVAL;
  if (r == size_t(-1) || in_left != 0 || to_left == sizeof out) return 0;
  return out[0];
}

std::vector<TextChar> decode_double_byte(const uint8_t* bytes, size_t length,
                                         const char* code_page) {
  std::vector<TextChar> chars;
  const iconv_t cd = iconv_open("UTF-32LE", code_page);
  if (cd == iconv_t(-1)) {
    for (size_t i = 0; i < length; ++i)
      chars.push_back({bytes[i] < 0x80 ? char32_t(bytes[i]) : REPLACEMENT, uint32_t(i), 1});
    return chars;
  }
  for (size_t i = 0; i < length;) {
    bool incomplete = false;
    const char32_t one = convert(cd, bytes + i, 1, &incomplete);
    if (one != 0 || !incomplete || i + 1 >= length) {
      chars.push_back({one != 0 ? one : (bytes[i] == 0 ? U'\0' : REPLACEMENT), uint32_t(i), 1});
      ++i;
      continue;
    }
    const char32_t two = convert(cd, bytes + i, 2, &incomplete);
    chars.push_back({two != 0 ? two : REPLACEMENT, uint32_t(i), 2});
    i += 2;
  }
  iconv_close(cd);
  return chars;
}

}  // namespace

std::vector<TextChar> decode_text(const uint8_t* bytes, size_t length, uint8_t charset,
                                  bool symbol_font) {
  std::vector<TextChar> chars;
  if (symbol_font) {
    chars.reserve(length);
    for (size_t i = 0; i < length; ++i) chars.push_back({0xF000 + char32_t(bytes[i]), uint32_t(i), 1});
    return chars;
  }
  if (const char* code_page = double_byte_code_page(charset))
    return decode_double_byte(bytes, length, code_page);
  const ByteTable& table = byte_table(charset);
  chars.reserve(length);
  for (size_t i = 0; i < length; ++i) chars.push_back({table[bytes[i]], uint32_t(i), 1});
  return chars;
}

}  // namespace vellum::draw
