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

// The same for the native tools, whose names are host file names first: a
// name whose part before ':' is no known volume or assign is a host path as
// it stands (a file named "img:1.wmf"), not a volume to refuse.
inline std::string tool_path_of(CONST_STRPTR name) {
  std::string path = host_path_of(name);
  return path.empty() && name ? std::string(name) : path;
}
