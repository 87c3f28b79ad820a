// Quire_Viewer [DOCUMENT]: shows Word documents page by page. --help needs
// no display: it is answered before any window system is touched.
#include <cstdio>
#include <cstring>

#include "viewer.h"

namespace {

const char USAGE[] =
    "Usage: Quire_Viewer [DOCUMENT]\n"
    "Shows a Word 97-2003 document (.doc) page by page; without DOCUMENT,\n"
    "type a path into the File field or choose one with the button beside it.\n"
    "\n"
    "  Page Up, Page Down  the page before or after\n"
    "  Home, End           the first or the last page\n"
    "  Ctrl-Q              quit\n"
    "  -h, --help          this text\n";

}  // namespace

int main(int argc, char** argv) {
  const char* document = nullptr;
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(USAGE, stdout);
      return 0;
    }
    const bool option = argv[i][0] == '-' && argv[i][1] != '\0';
    if (option || document) {
      std::fprintf(stderr, "Quire_Viewer: %s \"%s\"\n%s", option ? "unknown option" : "one document at a time, not also",
                   argv[i], USAGE);
      return 1;
    }
    document = argv[i];
  }
  return quire_viewer::main_program(document);
}
