#include "tools/vellum-render/output_format.h"

#include <algorithm>
#include <cctype>

namespace vellum::render_tool {
namespace {

struct Named {
  const char* name;
  Format format;
};

constexpr Named FORMATS[] = {{"png", Format::png}, {"svg", Format::svg}, {"pdf", Format::pdf},
                             {"ps", Format::ps},   {"eps", Format::eps}};

}  // namespace

std::optional<Format> format_named(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const Named& n : FORMATS)
    if (lower == n.name) return n.format;
  return std::nullopt;
}

std::optional<Format> format_of_output(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return Format::png;
  return format_named(name.substr(dot + 1));
}

const char* extension_of(Format format) {
  for (const Named& n : FORMATS)
    if (n.format == format) return n.name;
  return "png";
}

}  // namespace vellum::render_tool
