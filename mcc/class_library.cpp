// The class library of vellum.mcc: resident tag, function array, direct
// init and ClassQuery over the host's library frame. The class exists
// exactly while the library has openers: the first open creates it, the
// last close deletes it, both under the base's semaphore.
#include <emul/emulinterface.h>
#include <host/library_frame.h>
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

static_assert(starts_with_frame_head<VellumClassBase>());

// The class lives exactly while the library has openers, and is made and
// deleted under the base's semaphore.
BOOL first_open(struct Library* library) {
  auto* base = reinterpret_cast<struct VellumClassBase*>(library);
  ObtainSemaphore(&base->Lock);
  if (!base->ClassCreated) base->ClassCreated = create_class(base);
  BOOL created = base->ClassCreated;
  ReleaseSemaphore(&base->Lock);
  return created;
}

void last_close(struct Library* library) {
  auto* base = reinterpret_cast<struct VellumClassBase*>(library);
  ObtainSemaphore(&base->Lock);
  if (base->ClassCreated) {
    base->ClassCreated = 0;
    MUI_DeleteCustomClass(globals.VellumClass);
    globals.VellumClass = nullptr;
    CloseLibrary(globals.MUIMasterBase);
    globals.MUIMasterBase = nullptr;
  }
  ReleaseSemaphore(&base->Lock);
}

BOOL init_base(struct Library* library, struct ExecBase* sysbase) {
  globals.SysBase = sysbase;
  InitSemaphore(&reinterpret_cast<struct VellumClassBase*>(library)->Lock);
  return TRUE;
}

constexpr struct LibraryFrame FRAME = {CLASS_NAME, ID_STRING, 1, sizeof(struct VellumClassBase), 0, init_base,
                                   first_open, last_close, nullptr};

struct MUI_CustomClass* ClassQuery(LONG which) { return which == 0 ? globals.VellumClass : nullptr; }

// Slot by slot from offset -6 downwards.
const APTR FUNCTION_ARRAY[] = {
    LIBRARY_FRAME_VECTORS(FRAME),  //  -6 .. -24
    function_slot(ClassQuery),     // -30
    FUNCARRAY_END,
};

// Direct init: the library makes and adds its base itself.
struct Library* init_library(struct Library*, BPTR seglist, struct ExecBase* sysbase) {
  return LibMake(FUNCTION_ARRAY, seglist, sysbase, &FRAME);
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
    reinterpret_cast<APTR>(vellum_mcc::init_library),
    0,
    vellum_mcc::RESIDENT_TAGS,
};
