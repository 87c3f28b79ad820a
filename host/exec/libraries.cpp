// Making, listing, opening and closing libraries. A library base sits in one
// block right above its vector table; the table holds one pointer per
// 6-byte vector, so the function at offset -6k is ((APTR*)base)[-k].
#include <cstring>

#include <host/runtime.h>

#include "internal.h"

namespace {

// Bounds a function array: more entries than this is a missing end word.
constexpr size_t MAX_VECTORS = 1024;

using OpenFunc = struct Library* (*)(struct Library*);
using CloseFunc = BPTR (*)(struct Library*);

bool is_end_word(APTR entry) {
  return entry == FUNCARRAY_END || entry == reinterpret_cast<APTR>(IPTR{-1});
}

// The functions of an array after its optional native marker, and their count.
const APTR* vectors_of(const APTR* funcs, size_t* count) {
  if (funcs[0] == FUNCARRAY_32BIT_NATIVE) funcs++;
  size_t n = 0;
  while (n <= MAX_VECTORS && !is_end_word(funcs[n])) n++;
  *count = n;
  return funcs;
}

template <typename Func>
Func vector(struct Library* library, int offset) {
  return reinterpret_cast<Func>(LIB_VECTOR(library, offset));
}

}  // namespace

namespace host {

struct Library* make_library_block(const APTR* funcs, const APTR structInit, ULONG dataSize) {
  // Bases are made from function arrays only; a structure initialisation
  // table is refused rather than silently left unapplied.
  if (!funcs || structInit || dataSize < sizeof(struct Library) || dataSize > 0xFFFF)
    return nullptr;
  size_t count = 0;
  const APTR* vectors = vectors_of(funcs, &count);
  size_t negSize = count * sizeof(APTR);
  if (count > MAX_VECTORS || negSize > 0xFFFF) return nullptr;

  auto* block = static_cast<UBYTE*>(AllocMem(ULONG(negSize + dataSize), MEMF_PUBLIC | MEMF_CLEAR));
  if (!block) return nullptr;
  auto* library = reinterpret_cast<struct Library*>(block + negSize);
  for (size_t i = 0; i < count; i++) reinterpret_cast<APTR*>(library)[-1 - ptrdiff_t(i)] = vectors[i];
  library->lib_NegSize = UWORD(negSize);
  library->lib_PosSize = UWORD(dataSize);
  return library;
}

void add_library(struct Library* library) {
  library->lib_Flags |= LIBF_CHANGED | LIBF_SUMUSED;
  Forbid();
  AddTail(&SysBase->LibList, &library->lib_Node);
  Permit();
}

}  // namespace host

extern "C" struct Library* MakeLibrary(const APTR* funcs, const APTR structInit,
                                       ResidentInitFunc init, ULONG dataSize, BPTR seglist) {
  host::start_exec();
  struct Library* library = host::make_library_block(funcs, structInit, dataSize);
  if (library && init) return init(library, seglist, SysBase);
  return library;
}

extern "C" void AddLibrary(struct Library* library) {
  host::start_exec();
  host::add_library(library);
}

extern "C" APTR InitResident(const struct Resident* resident, BPTR seglist) {
  host::start_exec();
  if (!resident || resident->rt_MatchWord != RTC_MATCHWORD || resident->rt_MatchTag != resident)
    return nullptr;
  if (!(resident->rt_Flags & RTF_AUTOINIT)) {
    auto init = reinterpret_cast<ResidentInitFunc>(resident->rt_Init);
    return init ? init(nullptr, seglist, SysBase) : nullptr;
  }
  const auto* table = static_cast<const struct InitTable*>(resident->rt_Init);
  if (!table || table->it_DataSize < 0) return nullptr;
  struct Library* library = MakeLibrary(table->it_FuncTable, table->it_DataInit, nullptr,
                                        ULONG(table->it_DataSize), seglist);
  if (!library) return nullptr;
  library->lib_Node.ln_Type = resident->rt_Type;
  library->lib_Node.ln_Name = const_cast<char*>(resident->rt_Name);
  library->lib_Version = resident->rt_Version;
  library->lib_IdString = const_cast<char*>(resident->rt_IdString);
  // An init routine that fails releases the base itself, as on exec.
  if (table->it_InitRoutine) library = table->it_InitRoutine(library, seglist, SysBase);
  if (library && resident->rt_Type == NT_LIBRARY) AddLibrary(library);
  return library;
}

extern "C" struct Library* OpenLibrary(CONST_STRPTR name, ULONG version) {
  host::start_exec();
  if (!name) return nullptr;
  const char* nodeName = host::file_part(name);
  if (host::library_hidden(nodeName)) return nullptr;
  Forbid();
  auto* library = reinterpret_cast<struct Library*>(FindName(&SysBase->LibList, nodeName));
  if (!library) library = host::load_module(name);
  struct Library* opened = nullptr;
  if (library && library->lib_Version >= version)
    opened = vector<OpenFunc>(library, LIB_OPEN)(library);
  Permit();
  return opened;
}

// Calls close or expunge; a library that hands back its segment list is
// gone, and its module is unloaded.
static void let_go(struct Library* library, int offset) {
  if (!library) return;
  Forbid();
  BPTR seglist = vector<CloseFunc>(library, offset)(library);
  if (seglist) host::unload_segment(seglist);
  Permit();
}

extern "C" void CloseLibrary(struct Library* library) { let_go(library, LIB_CLOSE); }

extern "C" void RemLibrary(struct Library* library) { let_go(library, LIB_EXPUNGE); }

extern "C" void HostFlushLibraries(void) {
  host::start_exec();
  Forbid();
  // Expunge may take a library out of the list, so walk a copy and only
  // touch libraries that are still listed.
  std::vector<struct Library*> libraries;
  for (struct Node* node = SysBase->LibList.lh_Head; node->ln_Succ; node = node->ln_Succ)
    libraries.push_back(reinterpret_cast<struct Library*>(node));
  for (struct Library* library : libraries) {
    bool listed = false;
    for (struct Node* node = SysBase->LibList.lh_Head; node->ln_Succ; node = node->ln_Succ)
      listed |= node == &library->lib_Node;
    if (listed) RemLibrary(library);
  }
  Permit();
}
