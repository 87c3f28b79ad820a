/* vellum.library: what its callers see. */
#ifndef LIBRARIES_VELLUM_H
#define LIBRARIES_VELLUM_H

#include <exec/types.h>

#define VELLUMNAME "vellum.library"

/* The result of the last render of the calling task. Each task (thread)
   that renders has its own: MetafileGetPixels, MetafileGetWidth and
   MetafileGetHeight answer with the calling task's own last picture, and a
   task that has not rendered gets NULL, 0 and 0. Calls may come from
   several tasks at once; the library serialises them.
   Pixels: Width x Height ARGB32 words (premultiplied alpha, host order,
   stride Width * 4), owned by the library; valid until the same task's
   next render that reaches drawing, or MetafileExit, which frees the
   pictures of every task. Another task's render never touches them.
   MaxSize, set with MetafileSetMaxSize, is one limit for every task. */
struct ImageResult {
  APTR Pixels;
  ULONG Width;
  ULONG Height;
  ULONG MaxSize; /* fitting limit in pixels, 200 after MetafileInit */
};

/* A WMF image in memory exactly as stored in a file, placeable header
   first. A render converts these bytes in place. */
struct MemoryMetafile {
  UBYTE* Data;
  LONG Size;
};

/* Vector offsets of the eight functions. */
#define LVO_MetafileInit (-30)
#define LVO_MetafileExit (-36)
#define LVO_MetafileRenderFile (-42)
#define LVO_MetafileGetPixels (-48)
#define LVO_MetafileSetMaxSize (-54)
#define LVO_MetafileGetWidth (-60)
#define LVO_MetafileGetHeight (-66)
#define LVO_MetafileRenderMemory (-72)

#endif
