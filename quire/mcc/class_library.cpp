// The class library of quire.mcc over the host's library frame. The class is
// made when the library is loaded (exec's auto-init) and goes with it:
// expunge refuses while the library is open or objects of the class remain.
#include <emul/emulinterface.h>
#include <exec/resident.h>
#include <host/library_frame.h>
#include <proto/muimaster.h>

#include "quire_class.h"

namespace quire_mcc {

ClassGlobals globals;

namespace {

const char NAME[] = "quire.mcc";
const char ID_STRING[] = "$VER: quire.mcc 1.0 (09.12.26) Word document pages";
constexpr UWORD MUIMASTER_VERSION = 19;

static_assert(starts_with_frame_head<QuireClassBase>());

void close_muimaster() {
  CloseLibrary(globals.MUIMasterBase);
  globals.MUIMasterBase = nullptr;
}

BOOL init_base(struct Library* library, struct ExecBase*) {
  globals.MUIMasterBase = OpenLibrary("muimaster.library", MUIMASTER_VERSION);
  if (globals.MUIMasterBase)
    globals.QuireClass = MUI_CreateCustomClass(library, MUIC_Area, nullptr, sizeof(QuireData),
                                               const_cast<struct EmulLibEntry*>(&DispatcherGate));
  if (!globals.QuireClass) close_muimaster();
  return globals.QuireClass != nullptr;
}

BOOL expunge_base(struct Library*) {
  if (!MUI_DeleteCustomClass(globals.QuireClass)) return FALSE;  // objects remain
  globals.QuireClass = nullptr;
  close_muimaster();
  return TRUE;
}

constexpr struct LibraryFrame FRAME = {NAME, ID_STRING, 1, sizeof(struct QuireClassBase), 0, init_base, nullptr, nullptr,
                                   expunge_base};

// ClassQuery: 0 asks for the class; nothing else is offered.
struct MUI_CustomClass* ClassQuery(LONG which) { return which == 0 ? globals.QuireClass : nullptr; }

const APTR FUNCTIONS[] = {
    LIBRARY_FRAME_VECTORS(FRAME),  //  -6 .. -24
    function_slot(ClassQuery),    // -30
    FUNCARRAY_END,
};

}  // namespace
}  // namespace quire_mcc

LIBRARY_FRAME_RESIDENT(quire_mcc::FRAME, quire_mcc::FUNCTIONS);
