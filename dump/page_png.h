// Writes a page image as PNG so that the named file is either the old one
// or the complete new one, never a half-written mix.
#pragma once

#include <cairo.h>

#include <string>

namespace quiredump {

// Writes `surface` as PNG to the host path `path` through a temporary file
// in the same folder, renamed over `path` once complete. Returns "" on
// success, else what went wrong.
std::string write_png_replacing(cairo_surface_t* surface, const std::string& path);

}  // namespace quiredump
