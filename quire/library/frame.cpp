// The library frame: resident tag, auto-init table, the function array in
// offset order, and open, close and expunge. The open count and the
// delayed-expunge flag change only under Forbid.
#include "quire_base.h"

namespace quire_library {
namespace {

const char kName[] = "quire.library";
const char kIdString[] = "quire.library 1.0 (09.12.26) Word 97-2003 documents as A4 pages\r\n";

struct Library* init_base(struct Library* library, BPTR seglist, struct ExecBase*) {
  auto* base = reinterpret_cast<struct QuireBase*>(library);
  base->SegList = seglist;
  base->Document = nullptr;
  InitSemaphore(&base->Lock);
  return library;
}

// Frees the base when nobody has it open; otherwise marks it to go at the last close.
BPTR try_expunge(struct QuireBase* base) {
  Forbid();
  if (base->LibNode.lib_OpenCnt != 0) {
    base->LibNode.lib_Flags |= LIBF_DELEXP;
    Permit();
    return 0;
  }
  Remove(&base->LibNode.lib_Node);
  Permit();
  release_document(base);
  const BPTR seglist = base->SegList;
  const ULONG below = base->LibNode.lib_NegSize, size = below + base->LibNode.lib_PosSize;
  FreeMem(reinterpret_cast<UBYTE*>(base) - below, size);
  return seglist;
}

struct Library* lib_open(struct QuireBase* base) {
  Forbid();
  base->LibNode.lib_OpenCnt++;
  base->LibNode.lib_Flags &= static_cast<UBYTE>(~LIBF_DELEXP);
  Permit();
  return &base->LibNode;
}

BPTR lib_close(struct QuireBase* base) {
  Forbid();
  const bool last = base->LibNode.lib_OpenCnt <= 1;
  if (base->LibNode.lib_OpenCnt > 0) base->LibNode.lib_OpenCnt--;
  const BPTR seglist = last && (base->LibNode.lib_Flags & LIBF_DELEXP) ? try_expunge(base) : 0;
  Permit();
  return seglist;
}

BPTR lib_expunge(struct QuireBase* base) { return try_expunge(base); }

// The reserved vector and the two unlisted ones (-54, -96) answer 0.
IPTR answer_zero() { return 0; }

template <typename Function>
APTR vector(Function function) {
  return reinterpret_cast<APTR>(function);
}

const APTR kFunctions[] = {
    FUNCARRAY_32BIT_NATIVE,
    vector(lib_open),           //   -6
    vector(lib_close),          //  -12
    vector(lib_expunge),        //  -18
    vector(answer_zero),        //  -24
    vector(QuireRenderPage),    //  -30
    vector(QuireInit),          //  -36
    vector(QuireExit),          //  -42
    vector(QuireOpen),          //  -48
    vector(answer_zero),        //  -54
    vector(QuireGetPageCount),  //  -60
    vector(QuireGetTitle),      //  -66
    vector(QuireGetSubject),    //  -72
    vector(QuireGetAuthor),     //  -78
    vector(QuireGetCompany),    //  -84
    vector(QuireGetAppName),    //  -90
    vector(answer_zero),        //  -96
    vector(QuireGetLanguage),   // -102
    FUNCARRAY_END,
};

const struct InitTable kInitTable = {sizeof(struct QuireBase), kFunctions, nullptr, init_base};

}  // namespace
}  // namespace quire_library

extern "C" MODULE_EXPORT const struct Resident ModuleResident = {
    RTC_MATCHWORD,
    &ModuleResident,
    const_cast<APTR*>(&quire_library::kFunctions[0]),
    RTF_AUTOINIT | RTF_PPC,
    1,
    NT_LIBRARY,
    0,
    quire_library::kName,
    quire_library::kIdString,
    const_cast<struct InitTable*>(&quire_library::kInitTable),
    0,
    nullptr,
};
