// vellum-info [--mode gdi|exact] FILE.wmf...: the headers and records of metafiles.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "render/gdi/gdi_player.h"
#include "render/playback.h"
#include "tools/vellum-info/metafile_report.h"

namespace {

void usage(std::FILE* to) {
  std::fprintf(to,
               "usage: vellum-info [--mode gdi|exact] FILE.wmf...\n"
               "Prints each file's placeable header (or says it has none), its metafile\n"
               "header, one line per record (offset, size in bytes, type) and a count of\n"
               "the record types. A FILE of - reads standard input.\n"
               "  --mode gdi   mark each record the GDI player does not play\n"
               "  --mode exact  mark each record the exact player does not play\n"
               "%s"
               "With several files, the highest code of them all.\n",
               vellum::tools::EXIT_CODES_HELP);
}

}  // namespace

int main(int argc, char** argv) {
  vellum::PlaysType plays = nullptr;
  std::vector<const char*> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      usage(stdout);
      return vellum::INFO_OK;
    } else if (arg == "--mode" && i + 1 < argc) {
      const std::string mode = argv[++i];
      if (mode == "gdi") plays = vellum::gdi::plays;
      else if (mode == "exact") plays = vellum::plays;
      else {
        std::fprintf(stderr, "vellum-info: --mode wants gdi or exact, not %s\n", mode.c_str());
        return vellum::INFO_USAGE;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "vellum-info: unknown or incomplete option %s (try --help)\n", arg.c_str());
      return vellum::INFO_USAGE;
    } else {
      files.push_back(argv[i]);
    }
  }
  if (files.empty()) {
    usage(stderr);
    return vellum::INFO_USAGE;
  }
  int worst = vellum::INFO_OK;
  for (size_t i = 0; i < files.size(); ++i) {
    if (i > 0) std::fputc('\n', stdout);
    const int result = vellum::report_metafile(files[i], stdout, stderr, plays);
    if (result > worst) worst = result;
  }
  return worst;
}
