// The GDI player's dispatch: record type to handler.
#pragma once

#include <cstdint>

#include "render/gdi/handlers.h"

namespace vellum::gdi {

// The handler of a record type, or nullptr when the player skips it.
Handler handler_for(uint8_t type);

}  // namespace vellum::gdi
