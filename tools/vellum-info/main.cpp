// vellum-info FILE.wmf...: the headers and records of metafiles.
#include <cstdio>
#include <cstring>

#include "tools/vellum-info/metafile_report.h"

namespace {

void usage(std::FILE* to) {
  std::fprintf(to,
               "usage: vellum-info FILE.wmf...\n"
               "Prints each file's placeable header (or says it has none), its metafile\n"
               "header, one line per record (offset, size in bytes, type) and a count of\n"
               "the record types.\n"
               "Exit codes (the highest over all files):\n"
               "  0  every file was read to its end-of-file record\n"
               "  1  usage: no file named, or an unknown option\n"
               "  2  a file cannot be opened or read\n"
               "  3  a file is too short for its headers, or they point past its end\n"
               "  4  a file is truncated: a record reaches past its end, or no end-of-file record\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    usage(stdout);
    return vellum::INFO_OK;
  }
  if (argc < 2) {
    usage(stderr);
    return vellum::INFO_USAGE;
  }
  int worst = vellum::INFO_OK;
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-' && argv[i][1] != '\0') {
      std::fprintf(stderr, "vellum-info: unknown option %s (try --help)\n", argv[i]);
      return vellum::INFO_USAGE;
    }
  }
  for (int i = 1; i < argc; ++i) {
    if (i > 1) std::fputc('\n', stdout);
    const int result = vellum::report_metafile(argv[i], stdout, stderr);
    if (result > worst) worst = result;
  }
  return worst;
}
