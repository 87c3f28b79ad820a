// Loading library modules: ELF shared objects named exactly like the
// library, found in the LIBS: folders, each exporting its Resident tag.
// The segment list handed to the library is the loader's handle.
#include <dirent.h>
#include <dlfcn.h>
#include <strings.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "internal.h"

namespace {

std::set<void*>& loaded_handles() {
  static std::set<void*> handles;
  return handles;
}

bool is_file(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The entry of `folder` named `entry`, matched without regard to case as
// on the filesystems the names come from; empty when there is none.
std::string entry_any_case(const std::string& folder, const std::string& entry) {
  std::string exact = folder + "/" + entry;
  struct stat info;
  if (stat(exact.c_str(), &info) == 0) return exact;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return {};
  std::string found;
  while (struct dirent* item = readdir(dir)) {
    if (strcasecmp(item->d_name, entry.c_str()) == 0) {
      found = folder + "/" + item->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

// `relative` (components separated by '/') below `folder`, any case.
std::string find_below(const std::string& folder, const std::string& relative) {
  std::string path = folder;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t slash = relative.find('/', start);
    if (slash == std::string::npos) slash = relative.size();
    if (slash > start) {
      path = entry_any_case(path, relative.substr(start, slash - start));
      if (path.empty()) return {};
    }
    start = slash + 1;
  }
  return is_file(path) ? path : std::string();
}

std::string find_module_file(const char* name) {
  std::string text(name);
  if (text.find(':') != std::string::npos || text.front() == '/') {
    std::string path = host::host_path(name);
    return !path.empty() && is_file(path) ? path : std::string();
  }
  for (const std::string& folder : host::libs_folders()) {
    std::string path = find_below(folder, text);
    if (!path.empty()) return path;
  }
  return {};
}

bool usable_resident(const struct Resident* resident) {
  return resident && resident->rt_MatchWord == RTC_MATCHWORD && resident->rt_MatchTag == resident &&
         resident->rt_Type == NT_LIBRARY && resident->rt_Name;
}

}  // namespace

namespace host {

std::string runtime_folder() {
  static const std::string folder = [] {
    Dl_info info;
    if (!dladdr(reinterpret_cast<void*>(&runtime_folder), &info) || !info.dli_fname) return std::string(".");
    char resolved[PATH_MAX];
    std::string path = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
  }();
  return folder;
}

bool load_gui_side() {
  static void* const handle = [] {
    std::string beside = runtime_folder() + "/" VELLUM_GUI_SONAME;
    void* loaded = dlopen(beside.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!loaded) loaded = dlopen(VELLUM_GUI_SONAME, RTLD_NOW | RTLD_GLOBAL);
    if (!loaded) std::fprintf(stderr, "exec: cannot load the GUI side: %s\n", dlerror());
    return loaded;
  }();
  return handle != nullptr;
}

struct Library* load_module(const char* name) {
  if (!*name) return nullptr;
  std::string path = find_module_file(name);
  if (path.empty()) return nullptr;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    std::fprintf(stderr, "exec: cannot load %s: %s\n", path.c_str(), dlerror());
    return nullptr;
  }
  auto* resident = static_cast<const struct Resident*>(dlsym(handle, RESIDENT_SYMBOL));
  if (!usable_resident(resident)) {
    dlclose(handle);
    return nullptr;
  }
  loaded_handles().insert(handle);
  auto seglist = reinterpret_cast<BPTR>(handle);
  if (!InitResident(resident, seglist)) {
    loaded_handles().erase(handle);
    dlclose(handle);
    return nullptr;
  }
  // Direct-init modules add themselves; either way the list has the node.
  return reinterpret_cast<struct Library*>(FindName(&SysBase->LibList, resident->rt_Name));
}

void unload_segment(BPTR seglist) {
  void* handle = reinterpret_cast<void*>(seglist);
  // Only a handle this loader gave out is unloaded, and only once.
  if (loaded_handles().erase(handle)) dlclose(handle);
}

}  // namespace host
