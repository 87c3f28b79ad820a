// The document functions of quire.library over the document engine. Every
// call holds the base's lock. Before QuireInit and after QuireExit there is
// no document: opens fail, counts are 0, texts are empty, renders NULL.
#include <common/no_throw.h>
#include <host/path.h>
#include <proto/dos.h>

#include <new>
#include <string>

#include "engine/document.h"
#include "quire_base.h"

namespace quire_library {
namespace {

constexpr ULONG PAGE_BYTES = QUIRE_PAGE_STRIDE * QUIRE_PAGE_HEIGHT;
const char EMPTY[] = "";

// Runs `work` on the base's document pointer while holding the lock.
template <typename Work>
auto locked(struct QuireBase* base, Work work) {
  ObtainSemaphore(&base->Lock);
  auto result = work(base->Document);
  ReleaseSemaphore(&base->Lock);
  return result;
}

// A property text of the open document, or "" without one.
CONST_STRPTR property_of(struct QuireBase* base, std::string quire::DocumentProperties::*field) {
  return locked(base, [&](quire::Document* doc) { return doc ? (doc->properties.*field).c_str() : EMPTY; });
}

// An Amiga-style name ("RAM:letter.doc") becomes its host path; other paths pass as they are.
std::string host_path(CONST_STRPTR path) { return host_path_of(path); }

}  // namespace

void release_document(struct QuireBase* base) {
  delete base->Document;
  base->Document = nullptr;
}

LONG QuireInit(struct QuireBase* base) {
  return locked(base, [&](quire::Document* doc) {
    if (!doc) base->Document = new (std::nothrow) quire::Document;
    return base->Document ? LONG{1} : LONG{0};
  });
}

void QuireExit(struct QuireBase* base, LONG ready) {
  if (ready != 1) return;
  locked(base, [&](quire::Document*) {
    release_document(base);
    return 0;
  });
}

LONG QuireOpen(struct QuireBase* base, CONST_STRPTR path) {
  return locked(base, [&](quire::Document* doc) -> LONG {
    if (!doc) return QUIRE_ERR_NOT_READY;
    if (!path) {
      *doc = {};
      return QUIRE_ERR_UNREADABLE;
    }
    // The engine throws nothing; the path's copy is all that could.
    return vellum::without_exceptions(LONG{QUIRE_ERR_TOO_LARGE},
                                      [&] { return LONG{quire::open_document(*doc, host_path(path).c_str())}; });
  });
}

LONG QuireGetPageCount(struct QuireBase* base) {
  return locked(base, [](quire::Document* doc) { return doc ? LONG{doc->page_count()} : LONG{0}; });
}

APTR QuireRenderPage(struct QuireBase* base, LONG page) {
  return locked(base, [&](quire::Document* doc) -> APTR {
    if (!doc || page < 1 || page > doc->page_count()) return nullptr;
    APTR pixels = AllocVec(PAGE_BYTES, MEMF_ANY);
    if (pixels && quire::render_document_page(*doc, page, static_cast<uint8_t*>(pixels), QUIRE_PAGE_STRIDE) != 0) {
      FreeVec(pixels);
      pixels = nullptr;
    }
    return pixels;
  });
}

CONST_STRPTR QuireGetTitle(struct QuireBase* base) { return property_of(base, &quire::DocumentProperties::title); }
CONST_STRPTR QuireGetSubject(struct QuireBase* base) { return property_of(base, &quire::DocumentProperties::subject); }
CONST_STRPTR QuireGetAuthor(struct QuireBase* base) { return property_of(base, &quire::DocumentProperties::author); }
CONST_STRPTR QuireGetCompany(struct QuireBase* base) { return property_of(base, &quire::DocumentProperties::company); }
CONST_STRPTR QuireGetAppName(struct QuireBase* base) { return property_of(base, &quire::DocumentProperties::app_name); }
CONST_STRPTR QuireGetLanguage(struct QuireBase* base) {
  return locked(base, [](quire::Document* doc) { return doc ? doc->language.c_str() : EMPTY; });
}

}  // namespace quire_library
