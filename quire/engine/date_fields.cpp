#include "date_fields.h"

#include <unicode/udat.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "field_codes.h"
#include "language_names.h"

namespace quire {
namespace {

constexpr uint16_t ENGLISH_US = 0x0409;
constexpr size_t MAX_EPOCH_DIGITS = 15;  // far past any year a date can show
constexpr int32_t MAX_NAME = 64;

const char* const ENGLISH_MONTHS[12] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
const char* const ENGLISH_DAYS[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// The morning and afternoon designators a picture may hold.
struct Designator {
  const char* picture;
  const char *morning, *afternoon;
};
constexpr Designator DESIGNATORS[] = {{"AM/PM", "AM", "PM"}, {"am/pm", "am", "pm"}, {"A/P", "A", "P"}, {"a/p", "a", "p"}};

// Whole seconds since 1970 written in decimal digits alone.
bool epoch_seconds(const char* text, std::time_t& out) {
  if (!text || !*text || std::strlen(text) > MAX_EPOCH_DIGITS) return false;
  int64_t seconds = 0;
  for (const char* at = text; *at; ++at) {
    if (*at < '0' || *at > '9') return false;
    seconds = seconds * 10 + (*at - '0');
  }
  out = static_cast<std::time_t>(seconds);
  return true;
}

// One kind of name from ICU's date symbols, `count` of them from index `first`; false when any is missing.
bool icu_names(const UDateFormat* format, UDateFormatSymbolType type, int32_t first, std::string* out, int count) {
  for (int i = 0; i < count; ++i) {
    UChar name[MAX_NAME];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = udat_getSymbols(format, type, first + i, name, MAX_NAME, &status);
    if (U_FAILURE(status) || length <= 0 || length >= MAX_NAME) return false;
    char utf8[4 * MAX_NAME];
    int32_t utf8_length = 0;
    u_strToUTF8(utf8, sizeof utf8, &utf8_length, name, length, &status);
    if (U_FAILURE(status) || utf8_length <= 0 || utf8_length >= static_cast<int32_t>(sizeof utf8)) return false;
    out[i].assign(utf8, static_cast<size_t>(utf8_length));
  }
  return true;
}

// A number, zero-padded to two digits when the picture repeats its letter.
std::string number(long value, size_t letters) {
  std::string digits = std::to_string(value);
  if (letters >= 2 && digits.size() < 2) digits.insert(0, 1, '0');
  return digits;
}

// A day or month: its number, or its short or full name.
std::string named(long value, size_t letters, const std::string& short_name, const std::string& name) {
  return letters <= 2 ? number(value, letters) : letters == 3 ? short_name : name;
}

}  // namespace

std::tm printing_moment() {
  std::tm out{};
  std::time_t seconds = 0;
  if (epoch_seconds(std::getenv("SOURCE_DATE_EPOCH"), seconds) && gmtime_r(&seconds, &out)) return out;
  out = {};
  seconds = std::time(nullptr);
  if (!localtime_r(&seconds, &out)) out = {};
  return out;
}

DateNames date_names(uint16_t lid) {
  DateNames names;
  for (int i = 0; i < 12; ++i) names.short_months[i] = (names.months[i] = ENGLISH_MONTHS[i]).substr(0, 3);
  for (int i = 0; i < 7; ++i) names.short_days[i] = (names.days[i] = ENGLISH_DAYS[i]).substr(0, 3);
  const std::string locale = language_locale(lid);
  if (locale.empty()) return names;
  UErrorCode status = U_ZERO_ERROR;
  UDateFormat* format = udat_open(UDAT_DEFAULT, UDAT_DEFAULT, locale.c_str(), u"UTC", -1, nullptr, -1, &status);
  DateNames local;
  // ICU counts weekdays from 1, Sunday first.
  if (U_SUCCESS(status) && icu_names(format, UDAT_MONTHS, 0, local.months, 12) &&
      icu_names(format, UDAT_SHORT_MONTHS, 0, local.short_months, 12) &&
      icu_names(format, UDAT_WEEKDAYS, 1, local.days, 7) && icu_names(format, UDAT_SHORT_WEEKDAYS, 1, local.short_days, 7))
    names = std::move(local);
  if (format) udat_close(format);
  return names;
}

std::string format_date(const std::tm& when, const std::string& picture, const DateNames& names) {
  const int month = std::clamp(when.tm_mon, 0, 11), weekday = std::clamp(when.tm_wday, 0, 6);
  const long year = 1900L + when.tm_year;
  const int hour12 = when.tm_hour % 12 == 0 ? 12 : when.tm_hour % 12;
  std::string out;
  size_t at = 0;
  while (at < picture.size()) {
    const char ch = picture[at];
    if (ch == '\'') {  // quoted text, to its closing quote
      const size_t close = picture.find('\'', at + 1);
      out += picture.substr(at + 1, close == std::string::npos ? std::string::npos : close - at - 1);
      at = close == std::string::npos ? picture.size() : close + 1;
      continue;
    }
    const auto designator = std::find_if(std::begin(DESIGNATORS), std::end(DESIGNATORS), [&](const Designator& d) {
      return picture.compare(at, std::strlen(d.picture), d.picture) == 0;
    });
    if (designator != std::end(DESIGNATORS)) {
      out += when.tm_hour < 12 ? designator->morning : designator->afternoon;
      at += std::strlen(designator->picture);
      continue;
    }
    size_t letters = 1;
    while (at + letters < picture.size() && picture[at + letters] == ch) ++letters;
    switch (ch) {
      case 'd': case 'D': out += named(when.tm_mday, letters, names.short_days[weekday], names.days[weekday]); break;
      case 'M': out += named(month + 1, letters, names.short_months[month], names.months[month]); break;
      case 'y': case 'Y': out += letters <= 2 ? number((year % 100 + 100) % 100, 2) : std::to_string(year); break;
      case 'h': out += number(hour12, letters); break;
      case 'H': out += number(when.tm_hour, letters); break;
      case 'm': out += number(when.tm_min, letters); break;
      case 's': case 'S': out += number(when.tm_sec, letters); break;
      default: out.append(letters, ch); break;
    }
    at += letters;
  }
  return out;
}

std::string DateFieldWriter::text(const std::string& code) {
  const std::string keyword = field_keyword(code);
  const bool time = keyword == "TIME";
  if (!time && keyword != "DATE") return {};
  std::string picture = field_argument(code, '@');
  if (picture.empty()) {
    const bool us = lid_ == ENGLISH_US;
    picture = time ? (us ? "h:mm AM/PM" : "HH:mm") : (us ? "M/d/yyyy" : "dd/MM/yyyy");
  }
  if (!names_) names_ = date_names(lid_);
  return format_date(when_, picture, *names_);
}

}  // namespace quire
