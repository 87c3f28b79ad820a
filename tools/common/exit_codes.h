// The exit codes every native tool shares, so scripts can tell a usage
// slip from a bad input from a full disk whatever program they call.
#pragma once

namespace vellum::tools {

enum ExitCode : int {
  EXIT_OK = 0,
  EXIT_USAGE = 1,          // unknown option, missing argument, bad value
  EXIT_UNREADABLE = 2,     // the input cannot be opened or read, or is not a file
  EXIT_NOT_USABLE = 3,     // read, but not a picture or document the tool can use
  EXIT_TOO_LARGE = 4,      // the input or its result passes a size limit
  EXIT_NOT_WRITTEN = 5,    // the output cannot be written
  EXIT_SKIPPED = 6,        // --strict, and something in the input was not drawn
  EXIT_TRUNCATED = 7,      // --strict, and a time limit stopped the drawing
};

// The scheme as --help prints it, one code a line, ending in a newline.
extern const char EXIT_CODES_HELP[];

// Of two outcomes, the one a batch reports: the first failure wins, so a
// later success never hides it.
inline int first_failure(int so_far, int next) { return so_far != EXIT_OK ? so_far : next; }

}  // namespace vellum::tools
