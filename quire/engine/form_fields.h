// Form fields: what a drop-down form field shows, read from its form-field
// data (FFData) in the Data stream.
#pragma once

#include <cstdint>
#include <string>

#include "byte_span.h"

namespace quire {

// The entry a drop-down field whose data lies at `offset` of the Data stream
// shows (the chosen one, else the first); empty when the data is no
// drop-down's or cannot be read.
std::u16string dropdown_choice(ByteSpan data, uint32_t offset);

}  // namespace quire
