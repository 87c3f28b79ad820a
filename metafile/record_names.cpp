#include "metafile/record_names.h"

#include <array>
#include <string_view>

namespace vellum {
namespace {

constexpr size_t NAME_CAPACITY = 32;  // "U_WMR_DIBCREATEPATTERNBRUSH" and its NUL fit
using Name = std::array<char, NAME_CAPACITY>;

constexpr Name make_name(std::string_view text) {
  Name name{};
  for (size_t n = 0; n < text.size(); ++n) name[n] = text[n];
  return name;
}

// Every value gets a name: the record's, or its two hexadecimal digits.
constexpr std::array<Name, 256> make_names() {
  std::array<Name, 256> names{};
  constexpr char hex[] = "0123456789ABCDEF";
  for (size_t type = 0; type < 256; ++type) {
    const char unnamed[] = {'U', '_', 'W', 'M', 'R', '_', hex[type >> 4], hex[type & 15]};
    names[type] = make_name(std::string_view(unnamed, sizeof unnamed));
  }
  for (const RecordTypeInfo& info : RECORD_TYPES) names[info.type()] = make_name(info.name);
  return names;
}

constexpr std::array<Name, 256> NAMES = make_names();

}  // namespace

const char* record_type_name(uint8_t type) { return NAMES[type].data(); }

}  // namespace vellum
