// vellum-render's command line: what to read, where to write, how big, and
// which player draws.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/picture_fit.h"
#include "render/picture_render.h"
#include "tools/vellum-render/output_format.h"

namespace vellum::render_tool {

struct Options {
  std::vector<std::string> inputs;  // "-" is standard input
  std::string output;               // -o; "-" is standard output
  std::string dir;                  // -d
  std::optional<Format> format;     // -f; else from -o's extension
  Player player = Player::gdi;
  SizeRequest size;
  gdi::PlayOptions gdi_play;        // --caller-viewport
  uint32_t background = 0;          // 0xAARRGGBB; 0 is transparent
  uint32_t time_limit_ms = 0;       // --time-limit; 0: none
  unsigned jobs = 1;
  bool strict = false;
  bool quiet = false;
};

// Fills *options from the arguments. Returns -1 when the tool should go on,
// else the exit code to leave with (after --help, --version or a usage
// mistake, which is told on standard error).
int parse_options(int argc, char** argv, Options* options);

// "#RRGGBB", "#RRGGBBAA", "white", "black" or "transparent", as 0xAARRGGBB.
std::optional<uint32_t> parse_colour(const std::string& text);

}  // namespace vellum::render_tool
