// What vellum-info prints about one metafile: its headers, one line per
// record, and a histogram of record types; or one line saying why not.
#pragma once

#include <cstdint>
#include <cstdio>

#include "tools/common/exit_codes.h"

namespace vellum {

// Exit codes, also the result of report_metafile: the tools' shared scheme.
enum InfoResult : int {
  INFO_OK = tools::EXIT_OK,
  INFO_USAGE = tools::EXIT_USAGE,             // no file named, or an unknown option
  INFO_UNREADABLE = tools::EXIT_UNREADABLE,   // the file cannot be opened or read
  INFO_NOT_METAFILE = tools::EXIT_NOT_USABLE, // too short for its headers, or the header points past the end
  INFO_TRUNCATED = tools::EXIT_NOT_USABLE,    // a record reaches past the end, or no end-of-file record
};

// Whether a player plays records of a type; the report marks the others.
using PlaysType = bool (*)(uint8_t type);

// Reads `path` ("-" for standard input) and writes the report to `out`,
// errors (one line) to `err`. With `plays`, each record the player does not
// play is marked.
int report_metafile(const char* path, std::FILE* out, std::FILE* err, PlaysType plays = nullptr);

}  // namespace vellum
