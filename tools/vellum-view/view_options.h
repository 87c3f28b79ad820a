// The command line of vellum-view, read into one struct.
#pragma once

#include <string>

namespace vellum_view {

enum class Road {
  NATIVE,  // a resizable, zoomable window drawn through libvellum
  CLASS,   // the MUI window with one vellum.mcc object, as the module shows it
};

struct ViewOptions {
  std::string file;
  std::string screenshot;  // "" unless --screenshot: the PNG's name, bytes as given
  Road road = Road::NATIVE;
  bool exact_mode = false;  // --mode exact: the module's own player; else GDI
  int width = 640, height = 480;  // the window's first size (--size WxH)
  bool help = false, version = false;
};

// Reads argv. False, with the reason, for a usage error.
bool parse_view_options(int argc, const char* const* argv, ViewOptions* options, std::string* reason);

}  // namespace vellum_view
