// Lets cairo's stream writers (PNG, SVG, PDF, PostScript) write into an
// OutputFile, so every format gets the same whole-or-nothing replacement.
#pragma once

#include <cairo.h>

#include "tools/common/output_file.h"

namespace vellum::tools {

// A cairo_write_func_t; the closure is the OutputFile.
inline cairo_status_t write_to_output(void* closure, const unsigned char* data, unsigned int length) {
  return static_cast<OutputFile*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace vellum::tools
