// One input to one output file: read, plan the size, draw with the chosen
// player in the chosen format into a temporary file; committing it replaces
// the output whole.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tools/common/output_file.h"
#include "tools/vellum-render/render_options.h"

namespace vellum::render_tool {

struct Conversion {
  int code = 0;           // an ExitCode
  std::string error;      // one line saying what failed and why, when code is not 0
  uint32_t width = 0, height = 0;
  std::string skipped;    // "3 SETROP2, 1 ESCAPE", empty when every record was played
  bool transparent = false;
  // The output, written whole but not yet synced and put in place: the
  // caller commits it and then calls put_in_place.
  std::unique_ptr<tools::OutputFile> written;
};

Conversion convert(const std::string& input, const std::string& output, const Options& options);

// The conversion once its output's commit() returned `committed`.
void put_in_place(Conversion* conversion, const std::string& output, bool committed, const std::string& reason);

}  // namespace vellum::render_tool
