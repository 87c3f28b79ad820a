// Runs a built program as a user would, through the shell, in a folder of
// its own: standard output (bytes, pictures included) and standard error
// are kept apart.
#pragma once

#include <string>

namespace vellum::test {

struct ToolRun {
  int code;         // exit code; -1 when the program did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs a shell command line with dir as the working folder.
ToolRun run_in(const std::string& dir, const std::string& command);

// Runs "bin/PROGRAM ARGUMENTS" of this build in dir. The arguments are shell
// words, so "< file" works; shell_prefix goes first ("ulimit -f 4;").
ToolRun run_tool(const std::string& dir, const std::string& program, const std::string& arguments,
                 const std::string& shell_prefix = "");

std::string read_file(const std::string& path);

}  // namespace vellum::test
