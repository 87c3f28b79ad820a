#include "gdk_pixbuf_cache.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "desktop_fixture.h"
#include "tests/support/command_run.h"

namespace vellum::test {

void use_built_loader() {
  static const std::string cache = [] {
    const std::string path = write_fixture("loaders.cache", {});
    // A sanitized loader needs the sanitizer runtimes loaded first in the
    // (unsanitized) tool that opens it.
    const std::string preload = VELLUM_SANITIZER_RUNTIMES[0] ? "LD_PRELOAD='" VELLUM_SANITIZER_RUNTIMES "' " : "";
    const CommandRun run = run_command("ASAN_OPTIONS=detect_leaks=0 " + preload + "'" VELLUM_QUERY_LOADERS "' '" +
                                       std::string(VELLUM_PIXBUF_LOADER) + "' > '" + path + "' 2>&1");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    return path;
  }();
  setenv("GDK_PIXBUF_MODULE_FILE", cache.c_str(), 1);
}

}  // namespace vellum::test
