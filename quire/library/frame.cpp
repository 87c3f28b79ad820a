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

const APTR kFunctions[] = {
    FUNCARRAY_32BIT_NATIVE,
    function_slot(lib_open),           //   -6
    function_slot(lib_close),          //  -12
    function_slot(lib_expunge),        //  -18
    function_slot(answer_zero),        //  -24
    function_slot(QuireRenderPage),    //  -30
    function_slot(QuireInit),          //  -36
    function_slot(QuireExit),          //  -42
    function_slot(QuireOpen),          //  -48
    function_slot(answer_zero),        //  -54
    function_slot(QuireGetPageCount),  //  -60
    function_slot(QuireGetTitle),      //  -66
    function_slot(QuireGetSubject),    //  -72
    function_slot(QuireGetAuthor),     //  -78
    function_slot(QuireGetCompany),    //  -84
    function_slot(QuireGetAppName),    //  -90
    function_slot(answer_zero),        //  -96
    function_slot(QuireGetLanguage),   // -102
    FUNCARRAY_END,
};

const struct InitTable kInitTable = {sizeof(struct QuireBase), kFunctions, nullptr, init_base};

}  // namespace
}  // namespace quire_library

extern "C" MODULE_EXPORT const struct Resident ModuleResident =
    auto_init_resident(&ModuleResident, quire_library::kFunctions, quire_library::kName, quire_library::kIdString,
                       &quire_library::kInitTable);
