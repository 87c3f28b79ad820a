#include "view_options.h"

#include <cstdio>
#include <cstring>

namespace vellum_view {
namespace {

constexpr int MIN_SIDE = 16, MAX_SIDE = 8192;

bool parse_size(const char* text, int* width, int* height) {
  char tail = 0;
  return std::sscanf(text, "%dx%d%c", width, height, &tail) == 2 && *width >= MIN_SIDE && *width <= MAX_SIDE &&
         *height >= MIN_SIDE && *height <= MAX_SIDE;
}

}  // namespace

bool parse_view_options(int argc, const char* const* argv, ViewOptions* options, std::string* reason) {
  bool mode_given = false;
  for (int i = 1; i < argc; i++) {
    const std::string argument = argv[i];
    const bool has_value = i + 1 < argc;
    if (argument == "--help" || argument == "-h") {
      options->help = true;
    } else if (argument == "--version") {
      options->version = true;
    } else if (argument == "--class") {
      options->road = Road::CLASS;
    } else if (argument == "--screenshot") {
      if (!has_value || argv[i + 1][0] == '\0') {
        *reason = "--screenshot needs a PNG file name";
        return false;
      }
      options->screenshot = argv[++i];
    } else if (argument == "--mode") {
      const std::string mode = has_value ? argv[++i] : "";
      if (mode != "gdi" && mode != "exact") {
        *reason = "--mode takes gdi or exact";
        return false;
      }
      options->exact_mode = mode == "exact";
      mode_given = true;
    } else if (argument == "--size") {
      if (!has_value || !parse_size(argv[++i], &options->width, &options->height)) {
        *reason = "--size takes WIDTHxHEIGHT, each 16 to 8192";
        return false;
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      *reason = "unknown option " + argument;
      return false;
    } else if (options->file.empty()) {
      options->file = argument;
    } else {
      *reason = "one picture at a time";
      return false;
    }
  }
  if (options->help || options->version) return true;
  if (options->file.empty()) {
    *reason = "no picture given";
    return false;
  }
  if (options->road == Road::CLASS) {
    // vellum.mcc draws with the module's own player only.
    if (mode_given && !options->exact_mode) {
      *reason = "--class shows the module's own player: use --mode exact or leave --mode out";
      return false;
    }
    options->exact_mode = true;
  }
  return true;
}

}  // namespace vellum_view
