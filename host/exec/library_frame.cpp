// The library frame: open count, delayed expunge and release of the base,
// once for every module. Counts and flags change only under Forbid; the
// expunge removes the base from the library list before Permit and frees
// it after. A module that asks for them gets the entry points' debug lines.
#include <cstdarg>

#include <host/library_frame.h>

#include "internal.h"

namespace {

auto* head_of(struct Library* base) { return reinterpret_cast<struct LibraryFrameHead*>(base); }

long open_count(const struct Library* base) { return long(base->lib_OpenCnt); }

void debug(const struct LibraryFrame* frame, const char* format, ...) __attribute__((format(printf, 2, 3)));
void debug(const struct LibraryFrame* frame, const char* format, ...) {
  if (!(frame->Flags & LIBRARY_FRAME_DEBUG_LINES)) return;
  va_list args;
  va_start(args, format);
  VNewRawDoFmt(format, RAWFMTFUNC_SERIAL, nullptr, args);
  va_end(args);
}

// The whole block, vector table and base, back to exec.
void free_base(struct Library* base) {
  UWORD negSize = base->lib_NegSize;
  FreeMem(reinterpret_cast<UBYTE*>(base) - negSize, ULONG(negSize) + base->lib_PosSize);
}

BPTR expunge_steps(struct Library* base, const struct LibraryFrame* frame) {
  debug(frame, "LIB_Expunge: LibBase 0x%p <%s> OpenCount %ld\n", static_cast<void*>(base), base->lib_Node.ln_Name,
        open_count(base));
  Forbid();
  if (base->lib_OpenCnt > 0 || (frame->Expunge && !frame->Expunge(base))) {
    debug(frame, "LIB_Expunge: set LIBF_DELEXP\n");
    base->lib_Flags |= LIBF_DELEXP;
    Permit();
    return 0;
  }
  debug(frame, "LIB_Expunge: remove the library\n");
  Remove(&base->lib_Node);
  Permit();
  debug(frame, "LIB_Expunge: free the library\n");
  BPTR seglist = head_of(base)->SegList;
  free_base(base);
  debug(frame, "LIB_Expunge: return Segment 0x%lx to ramlib\n", static_cast<unsigned long>(seglist));
  return seglist;
}

}  // namespace

extern "C" struct Library* LibInit(struct Library* base, BPTR seglist, struct ExecBase* sysbase,
                                   const struct LibraryFrame* frame) {
  debug(frame, "LibInit: LibBase 0x%p SegList 0x%lx SBase 0x%p\n", static_cast<void*>(base),
        static_cast<unsigned long>(seglist), static_cast<void*>(sysbase));
  head_of(base)->SegList = seglist;
  base->lib_Revision = 0;
  Forbid();
  bool ready = !frame->Init || frame->Init(base, sysbase);
  Permit();
  // A base that does not come up is given back here, as exec expects of
  // an init routine that fails.
  if (!ready) free_base(base);
  return ready ? base : nullptr;
}

extern "C" struct Library* LibMake(const APTR* functions, BPTR seglist, struct ExecBase* sysbase,
                                   const struct LibraryFrame* frame) {
  struct Library* base = MakeLibrary(functions, nullptr, nullptr, frame->BaseSize, 0);
  if (!base) return nullptr;
  base->lib_Node.ln_Type = NT_LIBRARY;
  base->lib_Node.ln_Name = const_cast<char*>(frame->Name);
  base->lib_Flags = LIBF_SUMUSED | LIBF_CHANGED;
  base->lib_Version = frame->Version;
  base->lib_IdString = const_cast<char*>(frame->IdString);
  base = LibInit(base, seglist, sysbase, frame);
  if (base) AddLibrary(base);
  return base;
}

extern "C" struct Library* LibOpen(struct Library* base, const struct LibraryFrame* frame) {
  debug(frame, "LIB_Open: 0x%p <%s> OpenCount %ld\n", static_cast<void*>(base), base->lib_Node.ln_Name,
        open_count(base));
  Forbid();
  base->lib_Flags &= UBYTE(~LIBF_DELEXP);
  base->lib_OpenCnt++;
  bool refused = base->lib_OpenCnt == 1 && frame->FirstOpen && !frame->FirstOpen(base);
  if (refused) base->lib_OpenCnt--;
  Permit();
  return refused ? nullptr : base;
}

extern "C" BPTR LibClose(struct Library* base, const struct LibraryFrame* frame) {
  debug(frame, "LIB_Close: 0x%p <%s> OpenCount %ld\n", static_cast<void*>(base), base->lib_Node.ln_Name,
        open_count(base));
  Forbid();
  BPTR result = 0;
  // A close without a matching open would wrap the count; it is ignored.
  if (base->lib_OpenCnt > 0 && --base->lib_OpenCnt == 0 && frame->LastClose) frame->LastClose(base);
  if (base->lib_OpenCnt > 0) {
    debug(frame, "LIB_Close: done\n");
  } else if (base->lib_Flags & LIBF_DELEXP) {
    debug(frame, "LIB_Close: LIBF_DELEXP set\n");
    result = expunge_steps(base, frame);
  }
  Permit();
  return result;
}

extern "C" BPTR LibExpunge(struct Library* base, const struct LibraryFrame* frame) {
  debug(frame, "LIB_Expunge:\n");
  return expunge_steps(base, frame);
}

extern "C" IPTR LibReserved(const struct LibraryFrame* frame) {
  debug(frame, "LIB_Reserved:\n");
  return 0;
}
