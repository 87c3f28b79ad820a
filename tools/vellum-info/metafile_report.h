// What vellum-info prints about one metafile: its headers, one line per
// record, and a histogram of record types; or one line saying why not.
#pragma once

#include <cstdio>

namespace vellum {

// Exit codes, also the result of report_metafile. Listed by --help.
enum InfoResult : int {
  INFO_OK = 0,
  INFO_USAGE = 1,        // no file named, or an unknown option
  INFO_UNREADABLE = 2,   // the file cannot be opened or read
  INFO_NOT_METAFILE = 3, // too short for its headers, or the header points past the end
  INFO_TRUNCATED = 4,    // a record reaches past the end, or no end-of-file record
};

// Reads `path` and writes the report to `out`, errors (one line) to `err`.
int report_metafile(const char* path, std::FILE* out, std::FILE* err);

}  // namespace vellum
