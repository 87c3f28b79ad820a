// The class library of vellum.mcc: resident tag, function array, init,
// open, close, expunge and ClassQuery. The class exists exactly while the
// library has openers: the first open creates it, the last close deletes
// it, both under the base's semaphore.
#include <emul/emulinterface.h>
#include <proto/muimaster.h>

#include "vellum_class.h"

namespace vellum_mcc {

ClassGlobals globals;

namespace {

const char CLASS_NAME[] = "vellum.mcc";
const char ID_STRING[] = "$VER: vellum.mcc 01.00 (05.05.18)";
const char MAKER[] = "The Vellum developers";
constexpr UWORD MUIMASTER_VERSION = 21;

// Creates the class; 1 on success, 0 with muimaster closed again.
UWORD create_class(struct VellumClassBase* base) {
  globals.MUIMasterBase = OpenLibrary("muimaster.library", MUIMASTER_VERSION);
  if (!globals.MUIMasterBase) return 0;
  globals.VellumClass = MUI_CreateCustomClass(&base->LibNode, MUIC_Area, nullptr, sizeof(VellumData),
                                              const_cast<struct EmulLibEntry*>(&DispatcherGate));
  if (!globals.VellumClass) {
    CloseLibrary(globals.MUIMasterBase);
    globals.MUIMasterBase = nullptr;
    return 0;
  }
  globals.UtilityBase = globals.VellumClass->mcc_UtilityBase;
  globals.DOSBase = globals.VellumClass->mcc_DOSBase;
  globals.GfxBase = globals.VellumClass->mcc_GfxBase;
  globals.IntuitionBase = globals.VellumClass->mcc_IntuitionBase;
  return 1;
}

BPTR LibExpunge(struct VellumClassBase* base) {
  if (base->LibNode.lib_OpenCnt > 0) {
    base->LibNode.lib_Flags |= LIBF_DELEXP;
    return 0;
  }
  BPTR seglist = base->SegList;
  Remove(&base->LibNode.lib_Node);
  UWORD negSize = base->LibNode.lib_NegSize, posSize = base->LibNode.lib_PosSize;
  FreeMem(reinterpret_cast<UBYTE*>(base) - negSize, ULONG(negSize) + posSize);
  return seglist;
}

struct Library* LibOpen(struct VellumClassBase* base) {
  base->LibNode.lib_OpenCnt++;
  base->LibNode.lib_Flags &= UBYTE(~LIBF_DELEXP);
  ObtainSemaphore(&base->Lock);
  if (!base->ClassCreated) base->ClassCreated = create_class(base);
  struct Library* result = &base->LibNode;
  if (!base->ClassCreated) {
    result = nullptr;
    base->LibNode.lib_OpenCnt--;
  }
  ReleaseSemaphore(&base->Lock);
  return result;
}

BPTR LibClose(struct VellumClassBase* base) {
  // A close without a matching open would wrap the count; it is ignored.
  if (base->LibNode.lib_OpenCnt > 0) base->LibNode.lib_OpenCnt--;
  ObtainSemaphore(&base->Lock);
  if (base->LibNode.lib_OpenCnt == 0 && base->ClassCreated) {
    base->ClassCreated = 0;
    MUI_DeleteCustomClass(globals.VellumClass);
    globals.VellumClass = nullptr;
    CloseLibrary(globals.MUIMasterBase);
    globals.MUIMasterBase = nullptr;
  }
  ReleaseSemaphore(&base->Lock);
  if (base->LibNode.lib_OpenCnt == 0 && (base->LibNode.lib_Flags & LIBF_DELEXP)) return LibExpunge(base);
  return 0;
}

IPTR LibReserved() { return 0; }

struct MUI_CustomClass* ClassQuery(LONG which) { return which == 0 ? globals.VellumClass : nullptr; }

// Slot by slot from offset -6 downwards.
const APTR FUNCTION_ARRAY[] = {
    FUNCARRAY_32BIT_NATIVE,
    function_slot(LibOpen),      //  -6
    function_slot(LibClose),     // -12
    function_slot(LibExpunge),   // -18
    function_slot(LibReserved),  // -24
    function_slot(ClassQuery),   // -30
    FUNCARRAY_END,
};

struct Library* LibInit(struct Library*, BPTR seglist, struct ExecBase* sysbase) {
  globals.SysBase = sysbase;
  auto* base = reinterpret_cast<struct VellumClassBase*>(
      MakeLibrary(FUNCTION_ARRAY, nullptr, nullptr, sizeof(struct VellumClassBase), 0));
  if (!base) return nullptr;
  base->LibNode.lib_Node.ln_Type = NT_LIBRARY;
  base->LibNode.lib_Node.ln_Name = const_cast<char*>(CLASS_NAME);
  base->LibNode.lib_Flags = LIBF_SUMUSED | LIBF_CHANGED;
  base->LibNode.lib_Version = 1;
  base->LibNode.lib_Revision = 0;
  base->LibNode.lib_IdString = const_cast<char*>(ID_STRING);
  base->SegList = seglist;
  InitSemaphore(&base->Lock);
  AddLibrary(&base->LibNode);
  return &base->LibNode;
}

// The platform's own tags, given as the platform lists them.
const struct TagItem RESIDENT_TAGS[] = {
    {0x81001000, reinterpret_cast<IPTR>(CLASS_NAME)},
    {0x81001001, reinterpret_cast<IPTR>("VELLUM")},
    {0x81001002, reinterpret_cast<IPTR>(MAKER)},
    {0x81001007, 1},
    {0x81001008, 0},
    {0x8100100A, 1},
    {0x8100100D, 2},
    {0x8100100E, 4},
    {TAG_DONE, 0},
};

}  // namespace
}  // namespace vellum_mcc

extern "C" MODULE_EXPORT const struct Resident ModuleResident;
const struct Resident ModuleResident = {
    RTC_MATCHWORD,
    &ModuleResident,
    const_cast<struct Resident*>(&ModuleResident + 1),  // the end of the tag
    RTF_EXTENDED | RTF_PPC,
    1,
    NT_LIBRARY,
    0,
    vellum_mcc::CLASS_NAME,
    vellum_mcc::ID_STRING,
    reinterpret_cast<APTR>(vellum_mcc::LibInit),
    0,
    vellum_mcc::RESIDENT_TAGS,
};
