// The command line of quire-export, read into one struct.
#pragma once

#include <string>
#include <vector>

#include "page_selection.h"

namespace quire_export {

enum class Format { NONE, PDF, PNG };

struct Options {
  std::string input;            // a path, or "-" for standard input
  std::string output;           // "" without -o; may hold one %d for PNG pages
  Format format = Format::NONE;
  std::vector<PageRange> pages; // empty: every page
  double dpi = 96;              // PNG pixels per inch
  bool info = false, json = false, quiet = false;
  bool help = false, version = false;
};

// Reads argv. False, with the reason, for a usage error.
bool parse_options(int argc, const char* const* argv, Options* options, std::string* reason);

// The output name for `page`: each %d becomes the page number, %% a percent sign.
std::string name_for_page(const std::string& pattern, int page);

// Whether the name holds a %d, so that each page gets a file of its own.
bool names_each_page(const std::string& pattern);

}  // namespace quire_export
