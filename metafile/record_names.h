// Names of the record types by the value of the type byte: U_WMR_ and the
// record name, or U_WMR_ and two hex digits for values without a name.
#pragma once

#include <cstdint>

#include "metafile/record_types.h"

namespace vellum {

const char* record_type_name(uint8_t type);

}  // namespace vellum
