// The formats vellum-render writes, and how an output name chooses one.
#pragma once

#include <optional>
#include <string>

namespace vellum::render_tool {

enum class Format { png, svg, pdf, ps, eps };

// "png", "svg", "pdf", "ps" or "eps", in any case; nullopt for others.
std::optional<Format> format_named(const std::string& name);

// The format an output's extension names. A name without extension (or
// "-") is PNG; an extension that names no format is nullopt, so the user
// learns that -o x.jpg cannot be written rather than getting a PNG there.
std::optional<Format> format_of_output(const std::string& path);

// The extension written by -d, without its dot: "png", "svg", ...
const char* extension_of(Format format);

}  // namespace vellum::render_tool
