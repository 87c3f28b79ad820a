#include "tools/common/exit_codes.h"

namespace vellum::tools {

const char EXIT_CODES_HELP[] =
    "Exit codes:\n"
    "  0  done\n"
    "  1  usage: unknown option, missing or bad value\n"
    "  2  an input cannot be read (missing, no permission, a folder, a device)\n"
    "  3  an input is not a usable picture or document\n"
    "  4  an input or its result is too large\n"
    "  5  an output cannot be written\n"
    "  6  --strict, and something in an input was not drawn\n"
    "  7  --strict, and a time limit stopped the drawing\n";

}  // namespace vellum::tools
