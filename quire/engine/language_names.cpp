#include "language_names.h"

#include <unicode/uloc.h>
#include <unicode/ustring.h>

namespace quire {
namespace {

constexpr uint16_t PRIMARY_LANGUAGE_MASK = 0x03FF;
constexpr uint16_t DEFAULT_SUBLANGUAGE = 0x0400;

// The locale ICU derives from a Windows language id, or false.
bool locale_for(uint16_t lid, char (&locale)[ULOC_FULLNAME_CAPACITY]) {
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = uloc_getLocaleForLCID(lid, locale, sizeof locale, &status);
  return U_SUCCESS(status) && length > 0 && length < static_cast<int32_t>(sizeof locale);
}

}  // namespace

std::string language_locale(uint16_t lid) {
  if (lid == 0) return {};
  char locale[ULOC_FULLNAME_CAPACITY] = {};
  // An id for a sublanguage ICU does not know still names its language.
  if (!locale_for(lid, locale) &&
      !locale_for(static_cast<uint16_t>((lid & PRIMARY_LANGUAGE_MASK) | DEFAULT_SUBLANGUAGE), locale))
    return {};
  return locale;
}

std::string language_name(uint16_t lid) {
  const std::string locale = language_locale(lid);
  if (locale.empty()) return {};
  UChar name[128];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = uloc_getDisplayName(locale.c_str(), "en", name, 128, &status);
  if (U_FAILURE(status) || length <= 0 || length >= 128) return {};
  char utf8[512];
  int32_t utf8_length = 0;
  u_strToUTF8(utf8, sizeof utf8, &utf8_length, name, length, &status);
  if (U_FAILURE(status) || utf8_length <= 0 || utf8_length >= static_cast<int32_t>(sizeof utf8)) return {};
  return std::string(utf8, static_cast<size_t>(utf8_length));
}

}  // namespace quire
