/* Bitmaps. On this host a bitmap is one chunky ARGB32 plane: Planes[0]
   holds Rows rows of BytesPerRow bytes, one host-order premultiplied
   32-bit word per pixel (the layout of cairo's ARGB32 and Qt's
   ARGB32_Premultiplied images). */
#ifndef GRAPHICS_GFX_H
#define GRAPHICS_GFX_H

#include <exec/types.h>

typedef UBYTE* PLANEPTR;

struct BitMap {
  UWORD BytesPerRow;
  UWORD Rows;
  UBYTE Flags;
  UBYTE Depth;   /* 32 for the chunky ARGB32 plane */
  UWORD pad;
  PLANEPTR Planes[8];
};

/* A rectangle as left, top, width, height. */
struct IBox {
  WORD Left;
  WORD Top;
  WORD Width;
  WORD Height;
};

#endif
