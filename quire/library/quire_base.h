// The library base of quire.library and its entry points: the frame
// (open, close, expunge) in frame.cpp, the document functions in api.cpp.
#pragma once

#include <libraries/quire.h>
#include <proto/exec.h>

namespace quire {
struct Document;
}

// Document is the open document (NULL before QuireInit and after QuireExit);
// Lock keeps callers on several tasks off each other's document.
struct QuireBase {
  struct Library LibNode;
  BPTR SegList;
  struct SignalSemaphore Lock;
  quire::Document* Document;
};

namespace quire_library {

APTR QuireRenderPage(struct QuireBase* base, LONG page);
LONG QuireInit(struct QuireBase* base);
void QuireExit(struct QuireBase* base, LONG ready);
LONG QuireOpen(struct QuireBase* base, CONST_STRPTR path);
LONG QuireGetPageCount(struct QuireBase* base);
CONST_STRPTR QuireGetTitle(struct QuireBase* base);
CONST_STRPTR QuireGetSubject(struct QuireBase* base);
CONST_STRPTR QuireGetAuthor(struct QuireBase* base);
CONST_STRPTR QuireGetCompany(struct QuireBase* base);
CONST_STRPTR QuireGetAppName(struct QuireBase* base);
CONST_STRPTR QuireGetLanguage(struct QuireBase* base);

// Frees the document, if any (QuireExit, and expunge of a library whose
// caller never called QuireExit).
void release_document(struct QuireBase* base);

}  // namespace quire_library
