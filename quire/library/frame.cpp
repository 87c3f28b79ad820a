// The library frame of quire.library: resident tag, auto-init table and the
// function array in offset order, over the host's library frame. An expunge
// lets go of a document its caller never closed.
#include <host/library_frame.h>

#include "quire_base.h"

namespace quire_library {
namespace {

const char NAME[] = "quire.library";
const char ID_STRING[] = "quire.library 1.0 (09.12.26) Word 97-2003 documents as A4 pages\r\n";

static_assert(starts_with_frame_head<QuireBase>());

BOOL init_base(struct Library* library, struct ExecBase*) {
  auto* base = reinterpret_cast<struct QuireBase*>(library);
  base->Document = nullptr;
  InitSemaphore(&base->Lock);
  return TRUE;
}

BOOL expunge_base(struct Library* library) {
  release_document(reinterpret_cast<struct QuireBase*>(library));
  return TRUE;
}

constexpr struct LibraryFrame FRAME = {NAME, ID_STRING, 1, sizeof(struct QuireBase), 0, init_base, nullptr, nullptr,
                                   expunge_base};

// The reserved vector and the two unlisted ones (-54, -96) answer 0.
IPTR answer_zero() { return 0; }

const APTR FUNCTIONS[] = {
    LIBRARY_FRAME_VECTORS(FRAME),      //   -6 .. -24
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

}  // namespace
}  // namespace quire_library

LIBRARY_FRAME_RESIDENT(quire_library::FRAME, quire_library::FUNCTIONS);
