#include "tests/tools/tool_run.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vellum::test {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

ToolRun run_in(const std::string& dir, const std::string& command) {
  const std::string out = dir + "/.tool-stdout", err = dir + "/.tool-stderr";
  const std::string line = "cd '" + dir + "' && { " + command + "; } >'" + out + "' 2>'" + err + "'";
  const int status = std::system(line.c_str());
  ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(out), read_file(err)};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return run;
}

ToolRun run_tool(const std::string& dir, const std::string& program, const std::string& arguments,
                 const std::string& shell_prefix) {
  return run_in(dir, shell_prefix + " " + VELLUM_BINARY_DIR + "/bin/" + program + " " + arguments);
}

}  // namespace vellum::test
