// Form fields: what a drop-down shows and how a check box looks, read from
// their form-field data (FFData) in the Data stream.
#pragma once

#include <cstdint>
#include <string>

#include "byte_span.h"

namespace quire {

// The entry a drop-down field whose data lies at `offset` of the Data stream
// shows (the chosen one, else the first); empty when the data is no
// drop-down's or cannot be read.
std::u16string dropdown_choice(ByteSpan data, uint32_t offset);

// A check box: whether it is ticked, and its size in half-points (0: as
// tall as the text around it).
struct CheckBox {
  bool found = false;  // false when the data is no check box's or cannot be read
  bool checked = false;
  uint16_t half_points = 0;
};
CheckBox check_box(ByteSpan data, uint32_t offset);

}  // namespace quire
