/* vellum.library: what its callers see. */
#ifndef LIBRARIES_VELLUM_H
#define LIBRARIES_VELLUM_H

#include <exec/types.h>

#define VELLUMNAME "vellum.library"

/* The result of the last render, shared by every opener of the library.
   Pixels: Width x Height ARGB32 words (premultiplied alpha, host order,
   stride Width * 4), owned by the library; valid until the next render
   that reaches drawing, or MetafileExit. */
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
