// exec's own base and the built-in system libraries. Their functions are
// plain calls into this runtime; the bases exist so that callers can open
// them by name and version, and tests can hide each one to reach the
// callers' failure paths.
#include <cstring>
#include <mutex>
#include <set>
#include <string>

#include <host/runtime.h>

#include "internal.h"

struct ExecBase* SysBase = nullptr;

namespace {

struct SystemLibrary {
  const char* name;
  UWORD version;
  ULONG baseSize;
  bool gui;  // its functions are on the GUI side of the runtime
};

// Versions are high enough for every caller of this system.
const SystemLibrary SYSTEM_LIBRARIES[] = {
    {"exec.library", 51, sizeof(struct ExecBase), false},
    {"dos.library", 51, sizeof(struct Library), false},
    {"graphics.library", 51, sizeof(struct Library), true},
    {"cybergraphics.library", 50, sizeof(struct Library), true},
    {"intuition.library", 51, sizeof(struct Library), true},
    {"utility.library", 51, sizeof(struct Library), false},
    {"muimaster.library", 21, sizeof(struct Library), true},
    {"cairo.library", 5, sizeof(struct Library), false},
};

bool is_gui(const struct Library* base) {
  for (const SystemLibrary& library : SYSTEM_LIBRARIES)
    if (library.gui && std::strcmp(library.name, base->lib_Node.ln_Name) == 0) return true;
  return false;
}

// A GUI library opens once the GUI side of the runtime is loaded.
struct Library* system_open(struct Library* base) {
  if (is_gui(base) && !host::load_gui_side()) return nullptr;
  base->lib_OpenCnt++;
  return base;
}
BPTR system_close(struct Library* base) {
  if (base->lib_OpenCnt > 0) base->lib_OpenCnt--;
  return 0;
}
BPTR system_expunge(struct Library*) { return 0; }
IPTR system_reserved(void) { return 0; }

// Slot order: open -6, close -12, expunge -18, reserved -24.
const APTR SYSTEM_VECTORS[] = {
    FUNCARRAY_32BIT_NATIVE,
    reinterpret_cast<APTR>(system_open),
    reinterpret_cast<APTR>(system_close),
    reinterpret_cast<APTR>(system_expunge),
    reinterpret_cast<APTR>(system_reserved),
    FUNCARRAY_END,
};

std::mutex hidden_lock;
std::set<std::string>& hidden_names() {
  static std::set<std::string> names;
  return names;
}

struct Library* make_system_library(const SystemLibrary& library) {
  struct Library* base = host::make_library_block(SYSTEM_VECTORS, nullptr, library.baseSize);
  base->lib_Node.ln_Type = NT_LIBRARY;
  base->lib_Node.ln_Name = const_cast<char*>(library.name);
  base->lib_Version = library.version;
  base->lib_IdString = const_cast<char*>(library.name);
  return base;
}

}  // namespace

namespace host {

void start_exec() {
  static std::once_flag started;
  std::call_once(started, [] {
    // exec's base comes first, so MakeLibrary and AddLibrary can use it.
    auto* exec = reinterpret_cast<struct ExecBase*>(make_system_library(SYSTEM_LIBRARIES[0]));
    NewList(&exec->LibList);
    exec->LibList.lh_Type = NT_LIBRARY;
    SysBase = exec;
    for (const SystemLibrary& library : SYSTEM_LIBRARIES) {
      struct Library* base = &library == &SYSTEM_LIBRARIES[0] ? &exec->LibNode : make_system_library(library);
      host::add_library(base);
    }
  });
}

bool library_hidden(const char* name) {
  std::lock_guard<std::mutex> guard(hidden_lock);
  return hidden_names().count(name) != 0;
}

}  // namespace host

extern "C" void HostHideLibrary(CONST_STRPTR name, int hidden) {
  if (!name) return;
  std::lock_guard<std::mutex> guard(hidden_lock);
  if (hidden)
    hidden_names().insert(name);
  else
    hidden_names().erase(name);
}

// exec is up before main, so SysBase is valid in every program.
__attribute__((constructor)) static void start_exec_at_load() { host::start_exec(); }
