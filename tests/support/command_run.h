// Runs a program the way a user's shell would, for tests of whole programs.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace vellum::test {

struct CommandRun {
  int exit_code = -1;  // -1 when the command did not exit by itself
  std::string output;  // what it wrote on standard output
};

// Runs `command` through /bin/sh; redirect 2>&1 inside it to see errors too.
inline CommandRun run_command(const std::string& command) {
  CommandRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace vellum::test
