// Assigns: Amiga-style volume names mapped onto host folders. Volume names
// match without regard to case; a path without a volume, or one that
// starts with '/', is a host path and passes unchanged.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include <proto/dos.h>
#include <proto/exec.h>

#include "../exec/internal.h"

namespace {

std::string upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return text;
}

std::string ram_folder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return std::string(runtime) + "/ram";
  return "/tmp/ram-" + std::to_string(getuid());
}

std::string program_folder() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ".";
  std::string exe(path, size_t(length));
  size_t slash = exe.rfind('/');
  return slash == 0 ? "/" : exe.substr(0, slash);
}

std::vector<std::string> default_libs() {
  std::vector<std::string> folders;
  if (const char* setting = std::getenv("VELLUM_LIBS"); setting && *setting) {
    std::string list(setting);
    size_t start = 0;
    while (start <= list.size()) {
      size_t colon = list.find(':', start);
      if (colon == std::string::npos) colon = list.size();
      if (colon > start) folders.push_back(list.substr(start, colon - start));
      start = colon + 1;
    }
    return folders;
  }
  // The runtime finds the modules from where it lies itself, so a moved
  // install still finds its own, and only the build tree's runtime looks
  // in the build tree.
  std::string runtime = host::runtime_folder();
  if (runtime == VELLUM_BUILD_LIB_DIR) return {VELLUM_BUILD_LIBS_DIR};
  return {runtime + "/" VELLUM_LIBS_BELOW_LIBDIR};
}

struct Assigns {
  std::mutex lock;
  std::map<std::string, std::vector<std::string>> folders;  // keyed by upper-case volume
  Assigns() {
    folders["RAM"] = {ram_folder()};
    folders["LIBS"] = default_libs();
    folders["PROGDIR"] = {program_folder()};
  }
};

Assigns& assigns() {
  static Assigns table;
  return table;
}

bool exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

}  // namespace

namespace host {

const char* file_part(const char* path) {
  const char* part = path;
  for (const char* p = path; *p; p++)
    if (*p == '/' || *p == ':') part = p + 1;
  return part;
}

std::vector<std::string> libs_folders() {
  Assigns& table = assigns();
  std::lock_guard<std::mutex> guard(table.lock);
  return table.folders["LIBS"];
}

std::string host_path(const char* name) {
  if (!name) return {};
  std::string path(name);
  size_t colon = path.find(':');
  if (colon == std::string::npos || colon == 0 || path.front() == '/' ||
      path.find('/') < colon)
    return path;
  std::string volume = upper(path.substr(0, colon));
  std::string rest = path.substr(colon + 1);
  std::vector<std::string> folders;
  {
    Assigns& table = assigns();
    std::lock_guard<std::mutex> guard(table.lock);
    auto found = table.folders.find(volume);
    if (found == table.folders.end() || found->second.empty()) return {};
    folders = found->second;
  }
  if (volume == "RAM") mkdir(folders.front().c_str(), 0700);
  // A multi-folder assign names the first folder that has the object.
  auto join = [&rest](const std::string& folder) {
    if (rest.empty()) return folder;
    return folder.back() == '/' ? folder + rest : folder + "/" + rest;
  };
  for (const std::string& folder : folders)
    if (exists(join(folder))) return join(folder);
  return join(folders.front());
}

}  // namespace host

extern "C" BOOL AssignPath(CONST_STRPTR name, CONST_STRPTR path) {
  if (!name || !*name) return DOSFALSE;
  std::string volume = upper(name);
  if (volume.back() == ':') volume.pop_back();
  if (volume.empty() || volume.find_first_of(":/") != std::string::npos) return DOSFALSE;
  std::string folder;
  if (path) {
    folder = host::host_path(path);
    if (folder.empty()) return DOSFALSE;
  }
  Assigns& table = assigns();
  std::lock_guard<std::mutex> guard(table.lock);
  if (path)
    table.folders[volume] = {folder};
  else
    table.folders.erase(volume);
  return DOSTRUE;
}

extern "C" BOOL AssignAddPath(CONST_STRPTR name, CONST_STRPTR path) {
  if (!name || !path) return DOSFALSE;
  std::string volume = upper(name);
  if (volume.back() == ':') volume.pop_back();
  std::string folder = host::host_path(path);
  if (volume.empty() || folder.empty()) return DOSFALSE;
  Assigns& table = assigns();
  std::lock_guard<std::mutex> guard(table.lock);
  table.folders[volume].push_back(folder);
  return DOSTRUE;
}

extern "C" STRPTR HostPath(CONST_STRPTR name) {
  std::string path = host::host_path(name);
  if (path.empty()) return nullptr;
  auto* copy = static_cast<STRPTR>(AllocVec(ULONG(path.size() + 1), MEMF_ANY));
  if (copy) std::memcpy(copy, path.c_str(), path.size() + 1);
  return copy;
}

extern "C" LONG HostPathFromName(CONST_STRPTR name, STRPTR buffer, LONG size) {
  std::string path = host::host_path(name);
  if (path.empty() || !buffer || size <= 0 || path.size() >= size_t(size)) return 0;
  path.copy(buffer, path.size());
  buffer[path.size()] = '\0';
  return LONG(path.size());
}
