#include "options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace quire_export {
namespace {

constexpr double MIN_DPI = 1, MAX_DPI = 2400;

bool ends_with_ignoring_case(const std::string& text, const char* suffix) {
  const size_t n = std::strlen(suffix);
  return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, suffix) == 0;
}

Format format_named(const std::string& name) {
  if (name == "pdf") return Format::PDF;
  if (name == "png") return Format::PNG;
  return Format::NONE;
}

// A name pattern may hold %d (the page) and %% (a percent sign), nothing else after a %.
bool pattern_is_valid(const std::string& pattern) {
  int pages = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    if (i + 1 == pattern.size()) return false;
    const char next = pattern[++i];
    if (next == 'd') ++pages;
    else if (next != '%') return false;
  }
  return pages <= 1;
}

// Walks argv, handing out option values given as "--name value" or "--name=value".
class ArgumentWalk {
 public:
  ArgumentWalk(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}
  bool next() {
    if (++index_ >= argc_) return false;
    current_ = argv_[index_];
    has_inline_ = false;
    return true;
  }
  const std::string& current() const { return current_; }

  // Whether the current argument is the switch `long_name` (or `short_name`).
  bool is_flag(const char* long_name, const char* short_name = nullptr) const {
    return current_ == long_name || (short_name && current_ == short_name);
  }
  // Whether the current argument is the option `long_name` (or `short_name`);
  // for "--name=value" the value is kept for value().
  bool is(const char* long_name, const char* short_name = nullptr) {
    if (is_flag(long_name, short_name)) return true;
    const size_t n = std::strlen(long_name);
    if (current_.compare(0, n, long_name) == 0 && current_.size() > n && current_[n] == '=') {
      inline_value_ = current_.substr(n + 1);
      has_inline_ = true;
      return true;
    }
    return false;
  }
  // The option's value; false when it has none.
  bool value(std::string* out) {
    if (has_inline_) {
      has_inline_ = false;
      *out = inline_value_;
      return true;
    }
    if (index_ + 1 >= argc_) return false;
    *out = argv_[++index_];
    return true;
  }

 private:
  int argc_, index_ = 0;
  const char* const* argv_;
  std::string current_, inline_value_;
  bool has_inline_ = false;
};

bool finish(Options* options, std::string* reason) {
  if (options->help || options->version) return true;
  if (options->input.empty()) {
    *reason = "no document given";
    return false;
  }
  if (!options->info && options->output.empty()) {
    *reason = "say where the pages go with -o OUT.pdf or -o page-%d.png, or use --info";
    return false;
  }
  if (options->json && !options->info) {
    *reason = "--json goes with --info";
    return false;
  }
  if (options->info && options->output == "-") {
    *reason = "--info and -o - would both write standard output";
    return false;
  }
  if (options->output.empty()) return true;
  if (options->format == Format::NONE) {
    if (ends_with_ignoring_case(options->output, ".pdf")) options->format = Format::PDF;
    else if (ends_with_ignoring_case(options->output, ".png")) options->format = Format::PNG;
    else {
      *reason = "cannot tell the format of \"" + options->output + "\": name it .pdf or .png, or give -f pdf|png";
      return false;
    }
  }
  if (options->format == Format::PNG && !pattern_is_valid(options->output)) {
    *reason = "in a PNG name, % may only start %d (the page number) or %% (a percent sign), and %d may appear once";
    return false;
  }
  return true;
}

}  // namespace

bool parse_options(int argc, const char* const* argv, Options* options, std::string* reason) {
  ArgumentWalk walk(argc, argv);
  while (walk.next()) {
    std::string value;
    const std::string argument = walk.current();
    if (walk.is_flag("--help", "-h")) {
      options->help = true;
    } else if (walk.is_flag("--version")) {
      options->version = true;
    } else if (walk.is_flag("--info")) {
      options->info = true;
    } else if (walk.is_flag("--json")) {
      options->json = true;
    } else if (walk.is_flag("--quiet", "-q")) {
      options->quiet = true;
    } else if (walk.is("--output", "-o")) {
      if (!walk.value(&options->output) || options->output.empty()) {
        *reason = "-o needs a file name";
        return false;
      }
    } else if (walk.is("--format", "-f")) {
      if (!walk.value(&value) || (options->format = format_named(value)) == Format::NONE) {
        *reason = "-f takes pdf or png";
        return false;
      }
    } else if (walk.is("--pages")) {
      if (!walk.value(&value)) {
        *reason = "--pages needs a list such as 1-3,7";
        return false;
      }
      if (!parse_page_ranges(value, &options->pages, reason)) return false;
    } else if (walk.is("--dpi")) {
      char* end = nullptr;
      const bool given = walk.value(&value);
      options->dpi = given ? std::strtod(value.c_str(), &end) : 0;
      if (!given || value.empty() || *end != '\0' || !(options->dpi >= MIN_DPI && options->dpi <= MAX_DPI)) {
        *reason = "--dpi takes a number from 1 to 2400";
        return false;
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      *reason = "unknown option " + argument;
      return false;
    } else if (options->input.empty()) {
      options->input = argument;
    } else {
      *reason = "one document at a time (\"" + options->input + "\" and \"" + argument + "\" given)";
      return false;
    }
  }
  return finish(options, reason);
}

std::string name_for_page(const std::string& pattern, int page) {
  std::string name;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size()) {
      const char next = pattern[++i];
      name += next == 'd' ? std::to_string(page) : std::string(1, next);
    } else {
      name += pattern[i];
    }
  }
  return name;
}

bool names_each_page(const std::string& pattern) {
  for (size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    if (pattern[i + 1] == 'd') return true;
    ++i;  // %% names no page
  }
  return false;
}

}  // namespace quire_export
