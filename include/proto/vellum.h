/* vellum.library calls through the library's vector table. The caller
   defines VellumBase and sets it with OpenLibrary(VELLUMNAME, 1). */
#ifndef PROTO_VELLUM_H
#define PROTO_VELLUM_H

#include <exec/libraries.h>
#include <libraries/vellum.h>

EXEC_C_BEGIN

extern struct Library* VellumBase;

/* 1 when ready, 0 when a system library or memory is missing. */
static inline LONG MetafileInit(void) {
  return ((LONG(*)(struct Library*))LIB_VECTOR(VellumBase, LVO_MetafileInit))(VellumBase);
}

/* With 1, frees the picture and the result record and closes the system
   libraries; any other flag does nothing. */
static inline void MetafileExit(ULONG flag) {
  ((void (*)(struct Library*, ULONG))LIB_VECTOR(VellumBase, LVO_MetafileExit))(VellumBase, flag);
}

/* 0 when the picture was played, -1 otherwise. */
static inline LONG MetafileRenderFile(CONST_STRPTR path) {
  return ((LONG(*)(struct Library*, CONST_STRPTR))LIB_VECTOR(VellumBase, LVO_MetafileRenderFile))(VellumBase,
                                                                                                    path);
}

static inline APTR MetafileGetPixels(void) {
  return ((APTR(*)(struct Library*))LIB_VECTOR(VellumBase, LVO_MetafileGetPixels))(VellumBase);
}

static inline void MetafileSetMaxSize(ULONG limit) {
  ((void (*)(struct Library*, ULONG))LIB_VECTOR(VellumBase, LVO_MetafileSetMaxSize))(VellumBase, limit);
}

static inline ULONG MetafileGetWidth(void) {
  return ((ULONG(*)(struct Library*))LIB_VECTOR(VellumBase, LVO_MetafileGetWidth))(VellumBase);
}

static inline ULONG MetafileGetHeight(void) {
  return ((ULONG(*)(struct Library*))LIB_VECTOR(VellumBase, LVO_MetafileGetHeight))(VellumBase);
}

/* 0 when the picture was played, -1 otherwise; converts the bytes in place. */
static inline LONG MetafileRenderMemory(struct MemoryMetafile* metafile) {
  return ((LONG(*)(struct Library*, struct MemoryMetafile*))LIB_VECTOR(VellumBase, LVO_MetafileRenderMemory))(
      VellumBase, metafile);
}

EXEC_C_END

#endif
