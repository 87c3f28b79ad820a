/* graphics.library: rast ports over bitmaps. */
#ifndef PROTO_GRAPHICS_H
#define PROTO_GRAPHICS_H

#include <graphics/rastport.h>

EXEC_C_BEGIN

/* Clears rp to the defaults: no layer, no bitmap, pen 1 on pen 0. */
void InitRastPort(struct RastPort* rp);

/* Host: makes bm describe a caller-owned ARGB32 image of width x height
   pixels whose rows are bytesPerRow apart. FALSE (bm cleared) when the
   sizes do not fit a bitmap's 16-bit fields or rows overlap. */
BOOL HostInitARGBBitMap(struct BitMap* bm, APTR pixels, ULONG width, ULONG height,
                        ULONG bytesPerRow);

EXEC_C_END

#endif
