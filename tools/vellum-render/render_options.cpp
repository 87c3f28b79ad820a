#include "tools/vellum-render/render_options.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "render/fitting.h"
#include "render/playback.h"
#include "tools/common/exit_codes.h"

namespace vellum::render_tool {
namespace {

using tools::EXIT_OK;
using tools::EXIT_USAGE;

const char USAGE[] =
    "usage: vellum-render [OPTIONS] IN.wmf -o OUT\n"
    "       vellum-render [OPTIONS] -d DIR IN.wmf...\n"
    "\n"
    "Renders Windows Metafiles to PNG, SVG, PDF or PostScript.\n"
    "  -o OUT             output file for a single input; - for standard output\n"
    "  -d DIR             write DIR/NAME.EXT for every NAME.wmf given (DIR is made\n"
    "                     when missing; a name two inputs share gets NAME-2.EXT)\n"
    "  -f FORMAT          png, svg, pdf, ps or eps (default: from OUT's extension,\n"
    "                     else png)\n"
    "  IN.wmf             - reads standard input\n"
    "  --mode MODE        gdi (default): draws real files as Windows does;\n"
    "                     exact: the exact player of the library module, which\n"
    "                     draws only placeable files and its 23 record types\n"
    "  --width W          fit the picture to W pixels wide (enlarging too)\n"
    "  --height H         fit to H pixels high; with --width, fit inside W x H\n"
    "  --zoom F           F times the natural size (one pixel a unit, or --dpi)\n"
    "  --dpi D            D pixels an inch, from the file's units per inch\n"
    "  --max-size N       shrink into N x N pixels, never enlarge (default 200 when\n"
    "                     no other size is given; at most 32767)\n"
    "  --background C     #RRGGBB, #RRGGBBAA, white, black or transparent\n"
    "                     (default)\n"
    "  --caller-viewport  gdi mode: ignore the file's viewport and map mode, so\n"
    "                     its window always fills the picture\n"
    "  --time-limit MS    stop drawing a picture after MS milliseconds and keep\n"
    "                     what was drawn (--strict: exit 7)\n"
    "  --max-pixels N     refuse a picture of more than N pixels (exit 4)\n"
    "  -j N               render with N threads (default 1)\n"
    "  --strict           exit 6 when a picture has records that were not played\n"
    "  --quiet            print errors only\n"
    "  --version          print the version\n"
    "  --help             show this text\n"
    "\n"
    "Prints WIDTHxHEIGHT for each picture written (with -d: the input's name\n"
    "first), one warning line for each picture with records not played or that\n"
    "came out fully transparent, and after -d a summary line on standard error.\n"
    "With several inputs the exit code is that of the first that failed.\n";

int usage_error(const std::string& message) {
  std::fprintf(stderr, "vellum-render: %s (try --help)\n", message.c_str());
  return EXIT_USAGE;
}

bool parse_count(const std::string& text, uint32_t low, uint32_t high, uint32_t* out) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long v = std::strtoull(text.c_str(), &end, 10);
  if (errno != 0 || text.empty() || text[0] == '-' || *end != '\0' || v < low || v > high) return false;
  *out = uint32_t(v);
  return true;
}

bool parse_positive(const std::string& text, double high, double* out) {
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(text.c_str(), &end);
  if (errno != 0 || text.empty() || *end != '\0' || !(v > 0) || !(v <= high)) return false;
  *out = v;
  return true;
}

}  // namespace

std::optional<uint32_t> parse_colour(const std::string& text) {
  if (text == "transparent") return 0u;
  if (text == "white") return 0xFFFFFFFFu;
  if (text == "black") return 0xFF000000u;
  if (text.size() != 7 && text.size() != 9) return std::nullopt;
  if (text[0] != '#') return std::nullopt;
  uint32_t value = 0;
  for (size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return std::nullopt;
    value = value << 4 | uint32_t(digit);
  }
  // #RRGGBBAA carries alpha last; the result keeps it on top.
  return text.size() == 7 ? 0xFF000000u | value : (value >> 8) | (value << 24);
}

int parse_options(int argc, char** argv, Options* o) {
  bool size_given = false, max_size_given = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::optional<std::string> inline_value;
    // --name=value reads like --name value.
    if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
      inline_value = arg.substr(arg.find('=') + 1);
      arg.resize(arg.find('='));
    }
    auto value = [&](std::string* out) {
      if (inline_value) *out = *inline_value;
      else if (i + 1 < argc) *out = argv[++i];
      else return false;
      return true;
    };
    std::string v;
    if (arg == "--help" || arg == "-h") {
      std::fputs(USAGE, stdout);
      std::fputs(tools::EXIT_CODES_HELP, stdout);
      return EXIT_OK;
    } else if (arg == "--version") {
      std::printf("vellum-render %s\n", VELLUM_VERSION);
      return EXIT_OK;
    } else if (arg == "--caller-viewport") {
      o->gdi_play.caller_viewport = true;
    } else if (arg == "--strict") {
      o->strict = true;
    } else if (arg == "--quiet") {
      o->quiet = true;
    } else if (arg == "-" || arg.empty() || arg[0] != '-') {
      o->inputs.push_back(arg);
    } else if (!value(&v)) {
      return usage_error("unknown option or missing value: " + arg);
    } else if (arg == "-o") {
      o->output = v;
    } else if (arg == "-d") {
      o->dir = v;
    } else if (arg == "-f" || arg == "--format") {
      if (!(o->format = format_named(v))) return usage_error("-f wants png, svg, pdf, ps or eps, not " + v);
    } else if (arg == "--mode") {
      if (v == "gdi") o->player = Player::gdi;
      else if (v == "exact") o->player = Player::exact;
      else return usage_error("--mode wants gdi or exact, not " + v);
    } else if (arg == "-j") {
      if (!parse_count(v, 1, 256, &o->jobs)) return usage_error("-j wants a count from 1 to 256");
    } else if (arg == "--width") {
      if (!parse_count(v, 1, MAX_IMAGE_SIDE, &o->size.width)) return usage_error("--width wants 1 to 32767");
      size_given = true;
    } else if (arg == "--height") {
      if (!parse_count(v, 1, MAX_IMAGE_SIDE, &o->size.height)) return usage_error("--height wants 1 to 32767");
      size_given = true;
    } else if (arg == "--zoom") {
      if (!parse_positive(v, 1000, &o->size.zoom)) return usage_error("--zoom wants a factor above 0, at most 1000");
      size_given = true;
    } else if (arg == "--dpi") {
      if (!parse_positive(v, 100000, &o->size.dpi)) return usage_error("--dpi wants a resolution above 0");
      size_given = true;
    } else if (arg == "--max-size") {
      if (!parse_count(v, 1, MAX_IMAGE_SIDE, &o->size.shrink_to)) return usage_error("--max-size wants 1 to 32767");
      max_size_given = true;
    } else if (arg == "--time-limit") {
      if (!parse_count(v, 1, UINT32_MAX, &o->time_limit_ms)) return usage_error("--time-limit wants milliseconds above 0");
    } else if (arg == "--max-pixels") {
      uint32_t most = 0;
      if (!parse_count(v, 1, UINT32_MAX, &most)) return usage_error("--max-pixels wants a count above 0");
      o->size.max_pixels = most;
    } else if (arg == "--background") {
      const std::optional<uint32_t> colour = parse_colour(v);
      if (!colour) return usage_error("--background wants #RRGGBB, #RRGGBBAA, white, black or transparent");
      o->background = *colour;
    } else {
      return usage_error("unknown option " + arg);
    }
  }
  if (!size_given && !max_size_given) o->size.shrink_to = DEFAULT_FIT_LIMIT;

  if (o->inputs.empty()) return usage_error("no input given");
  if (o->output.empty() == o->dir.empty()) return usage_error("give either -o OUT or -d DIR");
  if (!o->output.empty() && o->inputs.size() > 1) return usage_error("-o takes one input; use -d for several");
  if (!o->format) {
    o->format = o->output.empty() ? Format::png : format_of_output(o->output);
    if (!o->format) return usage_error("cannot tell the format of " + o->output + "; use -f png|svg|pdf|ps|eps");
  }
  int stdin_inputs = 0;
  for (const std::string& input : o->inputs) stdin_inputs += input == "-";
  if (stdin_inputs > 1) return usage_error("standard input (-) can be read once");
  return -1;
}

}  // namespace vellum::render_tool
