// One input to one output file: read, plan the size, draw with the chosen
// player in the chosen format, and replace the output whole.
#pragma once

#include <cstdint>
#include <string>

#include "tools/vellum-render/render_options.h"

namespace vellum::render_tool {

struct Conversion {
  int code = 0;           // an ExitCode
  std::string error;      // one line saying what failed and why, when code is not 0
  uint32_t width = 0, height = 0;
  std::string skipped;    // "3 SETROP2, 1 ESCAPE", empty when every record was played
  bool transparent = false;
  bool truncated = false; // the time limit stopped the drawing
};

Conversion convert(const std::string& input, const std::string& output, const Options& options);

}  // namespace vellum::render_tool
