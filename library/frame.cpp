// The library frame of vellum.library: resident tag, auto-init table and
// function array over the host's library frame, which writes the entry
// points' debug lines. Init keeps exec's base and makes the base's lock.
#include <cstdarg>

#include <host/library_frame.h>

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

static_assert(starts_with_frame_head<VellumBase>());

BOOL init_base(struct Library* library, struct ExecBase* sysbase) {
  auto* base = reinterpret_cast<struct VellumBase*>(library);
  base->SysBase = sysbase;
  InitSemaphore(&base->Lock);
  return TRUE;
}

constexpr struct LibraryFrame FRAME = {
    LIBRARY_NAME, ID_STRING, 1, sizeof(struct VellumBase), LIBRARY_FRAME_DEBUG_LINES, init_base, nullptr, nullptr,
    nullptr};

// Slot by slot from offset -6 downwards.
const APTR FUNCTION_ARRAY[] = {
    LIBRARY_FRAME_VECTORS(FRAME),            //  -6 .. -24
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

}  // namespace
}  // namespace vellum_library

LIBRARY_FRAME_RESIDENT(vellum_library::FRAME, vellum_library::FUNCTION_ARRAY);
