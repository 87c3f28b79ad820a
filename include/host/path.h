// The path road for C++ callers: HostPath as a std::string.
#pragma once

#include <string>

#include <proto/dos.h>
#include <proto/exec.h>

// The host path behind name (volumes and assigns mapped, host paths as they
// are); "" when there is no name or its volume is unknown.
inline std::string host_path_of(CONST_STRPTR name) {
  STRPTR path = HostPath(name);
  std::string text = path ? path : "";
  FreeVec(path);
  return text;
}
