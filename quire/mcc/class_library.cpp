// The class library of quire.mcc. The class is made when the library is
// loaded (exec's auto-init) and goes with it: expunge refuses while the
// library is open or objects of the class remain.
#include <emul/emulinterface.h>
#include <exec/resident.h>
#include <proto/muimaster.h>

#include "quire_class.h"

namespace quire_mcc {

ClassGlobals globals;

namespace {

const char kName[] = "quire.mcc";
const char kIdString[] = "$VER: quire.mcc 1.0 (09.12.26) Word document pages";
constexpr UWORD kMuimasterVersion = 19;

struct Library* init_base(struct Library* library, BPTR seglist, struct ExecBase*) {
  globals.MUIMasterBase = OpenLibrary("muimaster.library", kMuimasterVersion);
  if (globals.MUIMasterBase)
    globals.QuireClass = MUI_CreateCustomClass(library, MUIC_Area, nullptr, sizeof(QuireData),
                                               const_cast<struct EmulLibEntry*>(&DispatcherGate));
  if (!globals.QuireClass) {
    CloseLibrary(globals.MUIMasterBase);
    globals.MUIMasterBase = nullptr;
    return nullptr;
  }
  reinterpret_cast<struct QuireClassBase*>(library)->SegList = seglist;
  return library;
}

BPTR lib_expunge(struct QuireClassBase* base) {
  Forbid();
  bool busy = base->LibNode.lib_OpenCnt != 0 || !MUI_DeleteCustomClass(globals.QuireClass);
  if (busy) {
    base->LibNode.lib_Flags |= LIBF_DELEXP;
    Permit();
    return 0;
  }
  globals.QuireClass = nullptr;
  CloseLibrary(globals.MUIMasterBase);
  globals.MUIMasterBase = nullptr;
  Remove(&base->LibNode.lib_Node);
  Permit();
  BPTR seglist = base->SegList;
  ULONG below = base->LibNode.lib_NegSize;
  FreeMem(reinterpret_cast<UBYTE*>(base) - below, below + base->LibNode.lib_PosSize);
  return seglist;
}

struct Library* lib_open(struct QuireClassBase* base) {
  Forbid();
  base->LibNode.lib_OpenCnt++;
  base->LibNode.lib_Flags &= UBYTE(~LIBF_DELEXP);
  Permit();
  return &base->LibNode;
}

BPTR lib_close(struct QuireClassBase* base) {
  Forbid();
  if (base->LibNode.lib_OpenCnt > 0) base->LibNode.lib_OpenCnt--;
  bool go = base->LibNode.lib_OpenCnt == 0 && (base->LibNode.lib_Flags & LIBF_DELEXP);
  Permit();
  return go ? lib_expunge(base) : 0;
}

IPTR lib_reserved() { return 0; }

// ClassQuery: 0 asks for the class; nothing else is offered.
struct MUI_CustomClass* class_query(LONG which) { return which == 0 ? globals.QuireClass : nullptr; }

const APTR kFunctions[] = {
    FUNCARRAY_32BIT_NATIVE,
    function_slot(lib_open),      //  -6
    function_slot(lib_close),     // -12
    function_slot(lib_expunge),   // -18
    function_slot(lib_reserved),  // -24
    function_slot(class_query),   // -30
    FUNCARRAY_END,
};

const struct InitTable kInitTable = {sizeof(struct QuireClassBase), kFunctions, nullptr, init_base};

}  // namespace
}  // namespace quire_mcc

extern "C" MODULE_EXPORT const struct Resident ModuleResident =
    auto_init_resident(&ModuleResident, quire_mcc::kFunctions, quire_mcc::kName, quire_mcc::kIdString,
                       &quire_mcc::kInitTable);
