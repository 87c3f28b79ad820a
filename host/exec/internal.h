// What the exec files share among themselves and with the rest of host/.
#pragma once

#include <string>
#include <vector>

#include <proto/exec.h>

namespace host {

// Creates exec's base and the built-in system libraries once per process.
void start_exec();

// A zero-filled base of dataSize bytes above the vector table of funcs,
// lib_NegSize and lib_PosSize set; NULL when the array or size is unusable.
struct Library* make_library_block(const APTR* funcs, const APTR structInit, ULONG dataSize);

// Puts a library on exec's list.
void add_library(struct Library* library);

// Makes the calling thread run as `task` (a stack swap keeps its task).
void adopt_task(struct Task* task);

// Whether tests have hidden the library of this node name.
bool library_hidden(const char* name);

// Loads the module for `name` (a library name searched in the LIBS:
// folders, or a path with a volume or a leading '/') and initialises it.
// Returns the library it added to the list, or NULL. Caller holds Forbid.
struct Library* load_module(const char* name);

// Hands a segment list returned by close or expunge back to the loader.
// Caller holds Forbid.
void unload_segment(BPTR seglist);

// Sends formatted text to the serial debug sink, if one is set.
void serial_write(const char* text, size_t length);

// The folder this runtime's core library was loaded from.
std::string runtime_folder();

// Makes sure the GUI side of the runtime is loaded; false when it cannot be.
bool load_gui_side();

// The folders behind LIBS:, in search order (dos assigns).
std::vector<std::string> libs_folders();

// Maps an Amiga-style path onto a host path through the assigns; plain
// host paths come back unchanged. Empty when the volume is unknown.
std::string host_path(const char* name);

// The last path component, as dos FilePart.
const char* file_part(const char* path);

}  // namespace host
