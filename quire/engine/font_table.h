// The font table (SttbfFfn): font names by index, as character runs name them.
#pragma once

#include <string>
#include <vector>

#include "byte_span.h"

namespace quire {

// Reads the UTF-8 names of the fonts; a damaged table yields the names read so far.
std::vector<std::string> parse_font_table(ByteSpan sttbf);

}  // namespace quire
