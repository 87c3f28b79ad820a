// Text bytes of a metafile to UTF-8, which is all cairo accepts (anything
// else puts the context into its error state and ends all drawing). The
// bytes are read in the character set the font names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/byte_reader.h"

namespace vellum {

inline constexpr int32_t ANSI_CHARSET = 0;
inline constexpr int32_t DEFAULT_CHARSET = 1;
inline constexpr int32_t SYMBOL_CHARSET = 2;

// ANSI and default: Windows-1252. Symbol: the symbol font's own layout, to
// the Unicode Greek letters and mathematical signs it draws. Other sets
// through iconv with their Windows code page. A byte with no character in
// the set becomes U+FFFD.
std::string text_to_utf8(const uint8_t* bytes, size_t length, int32_t charset);
// The same for every byte a reader holds (a record's string).
std::string text_to_utf8(ByteReader text, int32_t charset);

// Face names are in the ANSI code page whatever the font's character set.
std::string face_to_utf8(const char* face);

}  // namespace vellum
