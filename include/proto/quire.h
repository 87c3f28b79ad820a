/* quire.library calls through the library's vector table. The caller
   defines QuireBase and sets it with OpenLibrary(QUIRENAME, 0). */
#ifndef PROTO_QUIRE_H
#define PROTO_QUIRE_H

#include <exec/libraries.h>
#include <libraries/quire.h>

EXEC_C_BEGIN

extern struct Library* QuireBase;

/* Page `page` (from 1) of the open document as a new page image the caller
   frees with FreeVec, or NULL when there is no such page. */
static inline APTR QuireRenderPage(LONG page) {
  return ((APTR(*)(struct Library*, LONG))LIB_VECTOR(QuireBase, LVO_QuireRenderPage))(QuireBase, page);
}

/* 1 when the library is ready. */
static inline LONG QuireInit(void) {
  return ((LONG(*)(struct Library*))LIB_VECTOR(QuireBase, LVO_QuireInit))(QuireBase);
}

/* With the value QuireInit returned: closes the document and releases
   what QuireInit set up. */
static inline void QuireExit(LONG ready) {
  ((void (*)(struct Library*, LONG))LIB_VECTOR(QuireBase, LVO_QuireExit))(QuireBase, ready);
}

/* 0 when the document at `path` is open (replacing any open one), else a
   QUIRE_ERR_ code. */
static inline LONG QuireOpen(CONST_STRPTR path) {
  return ((LONG(*)(struct Library*, CONST_STRPTR))LIB_VECTOR(QuireBase, LVO_QuireOpen))(QuireBase, path);
}

static inline LONG QuireGetPageCount(void) {
  return ((LONG(*)(struct Library*))LIB_VECTOR(QuireBase, LVO_QuireGetPageCount))(QuireBase);
}

/* The texts belong to the library: UTF-8, never NULL (empty when absent),
   valid until the next QuireOpen or QuireExit. */
#define QUIRE_TEXT_GETTER(name)                                                                    \
  static inline CONST_STRPTR name(void) {                                                          \
    return ((CONST_STRPTR(*)(struct Library*))LIB_VECTOR(QuireBase, LVO_##name))(QuireBase);       \
  }
QUIRE_TEXT_GETTER(QuireGetTitle)
QUIRE_TEXT_GETTER(QuireGetSubject)
QUIRE_TEXT_GETTER(QuireGetAuthor)
QUIRE_TEXT_GETTER(QuireGetCompany)
QUIRE_TEXT_GETTER(QuireGetAppName)
QUIRE_TEXT_GETTER(QuireGetLanguage)
#undef QUIRE_TEXT_GETTER

EXEC_C_END

#endif
