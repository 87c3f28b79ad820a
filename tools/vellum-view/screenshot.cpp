#include "screenshot.h"

#include <cstdio>

#include "tools/common/exit_codes.h"
#include "tools/common/output_file.h"

namespace vellum_view {

int write_screenshot(const void* png, size_t size, const std::string& name) {
  vellum::tools::OutputFile file;
  std::string reason = "the window could not be drawn";
  if (png && size > 0) {
    if (file.open(name) && file.write(png, size) && file.commit()) return vellum::tools::EXIT_OK;
    reason = file.reason();
  }
  std::fprintf(stderr, "vellum-view: %s: not written: %s\n", name.c_str(), reason.c_str());
  return vellum::tools::EXIT_NOT_WRITTEN;
}

}  // namespace vellum_view
