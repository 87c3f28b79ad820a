/* Rast ports: where drawing calls write. */
#ifndef GRAPHICS_RASTPORT_H
#define GRAPHICS_RASTPORT_H

#include <graphics/gfx.h>

struct Layer;

struct RastPort {
  struct Layer* Layer;
  struct BitMap* BitMap;
  UWORD* AreaPtrn;
  APTR TmpRas;
  APTR AreaInfo;
  APTR GelsInfo;
  UBYTE Mask;
  BYTE FgPen;
  BYTE BgPen;
  BYTE AOlPen;
  BYTE DrawMode;
  BYTE AreaPtSz;
  BYTE linpatcnt;
  BYTE dummy;
  UWORD Flags;
  UWORD LinePtrn;
  WORD cp_x, cp_y;
};

#endif
