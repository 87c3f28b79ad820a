// vellum-view: shows a Windows Metafile in a window that can be resized and
// zoomed, drawn through libvellum (GDI player by default), or with --class
// in the MUI window of the vellum.mcc module. With --screenshot it writes
// the window as a PNG and exits.
#include <cstdio>
#include <cstdlib>

#include <host/path.h>
#include <proto/dos.h>
#include <vellum/vellum.h>

#include "roads.h"
#include "tools/common/exit_codes.h"
#include "tools/common/input_file.h"
#include "view_options.h"

namespace {

using namespace vellum_view;
namespace tools = vellum::tools;

constexpr size_t MAX_PICTURE_BYTES = size_t(64) << 20;
constexpr uint32_t TRIAL_SIDE = 64;

const char USAGE[] =
    "Usage: vellum-view [OPTIONS] FILE.wmf\n"
    "Shows a Windows Metafile in a window. The picture follows the window's\n"
    "size; Ctrl + and Ctrl - (or Ctrl with the mouse wheel) zoom, Ctrl 0 fits\n"
    "it again.\n"
    "\n"
    "  --mode gdi|exact        gdi (default) plays the file as Windows does;\n"
    "                         exact plays only the module's own record types\n"
    "  --class                show it as the vellum.mcc module does instead: a\n"
    "                         MUI window, the picture at most 200 pixels wide,\n"
    "                         exact mode only\n"
    "  --size WxH             the window's first size (640x480)\n"
    "  --screenshot OUT.png   write the window as PNG and exit (no display\n"
    "                         needed); the file is replaced only once complete\n"
    "  -h, --help             this text\n"
    "  --version              the program's version\n"
    "\n";

int fail(int code, const std::string& message) {
  std::fprintf(stderr, "vellum-view: %s\n", message.c_str());
  return code;
}

// The file named as the runtime reads it: volume names such as RAM: become folders.
std::string host_path(const std::string& name) {
  const std::string path = tool_path_of(name.c_str());
  return path.empty() ? name : path;
}

// Reads the picture and draws it once, small, so a file that cannot be
// shown is told before any window opens.
int check_picture(const ViewOptions& options, std::vector<uint8_t>* bytes) {
  const tools::InputRead read = tools::read_input(host_path(options.file), MAX_PICTURE_BYTES, bytes);
  if (read.code != tools::EXIT_OK) return fail(read.code, options.file + ": " + read.reason);
  vellum_options trial;
  vellum_options_init(&trial);
  trial.mode = options.exact_mode ? VELLUM_MODE_EXACT : VELLUM_MODE_GDI;
  trial.max_width = trial.max_height = TRIAL_SIDE;
  vellum_image image;
  const int result = vellum_render_memory_with(bytes->data(), bytes->size(), &trial, &image, nullptr);
  vellum_image_free(&image);
  switch (result) {
    case VELLUM_OK: return tools::EXIT_OK;
    case VELLUM_ERROR_MEMORY:
    case VELLUM_ERROR_SIZE: return fail(tools::EXIT_TOO_LARGE, options.file + ": too large to draw");
    default:
      return fail(tools::EXIT_NOT_USABLE,
                  options.file + (options.exact_mode ? ": not a placeable Windows Metafile, or an empty picture"
                                                    : ": not a Windows Metafile, or an empty picture"));
  }
}

}  // namespace

int main(int argc, char** argv) {
  ViewOptions options;
  std::string reason;
  if (!parse_view_options(argc, argv, &options, &reason)) {
    std::fprintf(stderr, "vellum-view: %s\nTry 'vellum-view --help'.\n", reason.c_str());
    return tools::EXIT_USAGE;
  }
  if (options.help) {
    std::fputs(USAGE, stdout);
    std::fputs(tools::EXIT_CODES_HELP, stdout);
    return tools::EXIT_OK;
  }
  if (options.version) {
    std::printf("vellum-view %s\n", vellum_version());
    return tools::EXIT_OK;
  }
  std::vector<uint8_t> bytes;
  if (const int code = check_picture(options, &bytes); code != tools::EXIT_OK) return code;
  // A screenshot needs no screen: without a display, draw offscreen.
  if (!options.screenshot.empty() && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return options.road == Road::CLASS ? show_with_class(options) : show_native(options, std::move(bytes));
}
