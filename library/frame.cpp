// The library frame: resident tag, auto-init table, function array, and
// the four standard entry points. Open, close and expunge change the open
// count and flags only under Forbid; expunge removes the base from the
// library list before Permit and frees it after.
#include <cstdarg>

#include "vellum_base.h"

namespace vellum_library {

void debug(const char* format, ...) {
  va_list args;
  va_start(args, format);
  VNewRawDoFmt(format, RAWFMTFUNC_SERIAL, nullptr, args);
  va_end(args);
}

namespace {

const char LIBRARY_NAME[] = "vellum.library";
const char ID_STRING[] =
    "vellum.library 1.0 (28.10.18) (c) 2018 the Vellum developers, free to use and share\r\n";

long open_count(const struct VellumBase* base) { return long(base->LibNode.lib_OpenCnt); }

struct Library* LibInit(struct Library* library, BPTR seglist, struct ExecBase* sysbase) {
  auto* base = reinterpret_cast<struct VellumBase*>(library);
  debug("LibInit: LibBase 0x%p SegList 0x%lx SBase 0x%p\n", static_cast<void*>(base),
        static_cast<unsigned long>(seglist), static_cast<void*>(sysbase));
  base->SegList = seglist;
  base->LibNode.lib_Revision = 0;
  base->SysBase = sysbase;
  InitSemaphore(&base->Lock);
  return library;
}

BPTR expunge_steps(struct VellumBase* base) {
  debug("LIB_Expunge: LibBase 0x%p <%s> OpenCount %ld\n", static_cast<void*>(base),
        base->LibNode.lib_Node.ln_Name, open_count(base));
  Forbid();
  if (base->LibNode.lib_OpenCnt > 0) {
    debug("LIB_Expunge: set LIBF_DELEXP\n");
    base->LibNode.lib_Flags |= LIBF_DELEXP;
    Permit();
    return 0;
  }
  debug("LIB_Expunge: remove the library\n");
  Remove(&base->LibNode.lib_Node);
  Permit();
  debug("LIB_Expunge: free the library\n");
  BPTR seglist = base->SegList;
  UWORD negSize = base->LibNode.lib_NegSize;
  UWORD posSize = base->LibNode.lib_PosSize;
  FreeMem(reinterpret_cast<UBYTE*>(base) - negSize, ULONG(negSize) + posSize);
  debug("LIB_Expunge: return Segment 0x%lx to ramlib\n", static_cast<unsigned long>(seglist));
  return seglist;
}

struct Library* LIB_Open(struct VellumBase* base) {
  debug("LIB_Open: 0x%p <%s> OpenCount %ld\n", static_cast<void*>(base), base->LibNode.lib_Node.ln_Name,
        open_count(base));
  Forbid();
  base->LibNode.lib_Flags &= UBYTE(~LIBF_DELEXP);
  base->LibNode.lib_OpenCnt++;
  Permit();
  return &base->LibNode;
}

BPTR LIB_Close(struct VellumBase* base) {
  debug("LIB_Close: 0x%p <%s> OpenCount %ld\n", static_cast<void*>(base), base->LibNode.lib_Node.ln_Name,
        open_count(base));
  Forbid();
  BPTR result = 0;
  // A close without a matching open would wrap the count; it is ignored.
  if (base->LibNode.lib_OpenCnt > 0) base->LibNode.lib_OpenCnt--;
  if (base->LibNode.lib_OpenCnt > 0) {
    debug("LIB_Close: done\n");
  } else if (base->LibNode.lib_Flags & LIBF_DELEXP) {
    debug("LIB_Close: LIBF_DELEXP set\n");
    result = expunge_steps(base);
  }
  Permit();
  return result;
}

BPTR LIB_Expunge(struct VellumBase* base) {
  debug("LIB_Expunge:\n");
  return expunge_steps(base);
}

IPTR LIB_Reserved() {
  debug("LIB_Reserved:\n");
  return 0;
}

// Slot by slot from offset -6 downwards.
const APTR FUNCTION_ARRAY[] = {
    FUNCARRAY_32BIT_NATIVE,
    function_slot(LIB_Open),                 //  -6
    function_slot(LIB_Close),                // -12
    function_slot(LIB_Expunge),              // -18
    function_slot(LIB_Reserved),             // -24
    function_slot(MetafileInit),             // -30
    function_slot(MetafileExit),             // -36
    function_slot(MetafileRenderFile),       // -42
    function_slot(MetafileGetPixels),        // -48
    function_slot(MetafileSetMaxSize),       // -54
    function_slot(MetafileGetWidth),         // -60
    function_slot(MetafileGetHeight),        // -66
    function_slot(MetafileRenderMemory),     // -72
    FUNCARRAY_END,
};

const struct InitTable INIT_TABLE = {sizeof(struct VellumBase), FUNCTION_ARRAY, nullptr, LibInit};

}  // namespace
}  // namespace vellum_library

extern "C" MODULE_EXPORT const struct Resident ModuleResident =
    auto_init_resident(&ModuleResident, vellum_library::FUNCTION_ARRAY, vellum_library::LIBRARY_NAME,
                       vellum_library::ID_STRING, &vellum_library::INIT_TABLE);
