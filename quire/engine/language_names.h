// Readable names of Windows language ids, such as "English (United States)",
// and the locales they stand for.
#pragma once

#include <cstdint>
#include <string>

namespace quire {

// The English name of a language id; "" for 0 or an id no locale answers to.
std::string language_name(uint16_t lid);

// The locale of a language id ("fr_BE"); "" for 0 or an id no locale answers to.
std::string language_locale(uint16_t lid);

}  // namespace quire
