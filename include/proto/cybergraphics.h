/* cybergraphics.library: pixel arrays into rast ports. */
#ifndef PROTO_CYBERGRAPHICS_H
#define PROTO_CYBERGRAPHICS_H

#include <cybergraphx/cybergraphics.h>
#include <graphics/rastport.h>

EXEC_C_BEGIN

/* Blends width x height premultiplied ARGB32 pixels from srcRect (starting
   at column srcX, row srcY, rows srcMod bytes apart) over rp at destX,
   destY, each scaled by globalAlpha (0xFFFFFFFF opaque, its top byte
   counts). The part outside rp's bitmap is left out. Returns the number of
   pixels written. */
ULONG WritePixelArrayAlpha(APTR srcRect, UWORD srcX, UWORD srcY, UWORD srcMod,
                           struct RastPort* rp, UWORD destX, UWORD destY, UWORD width,
                           UWORD height, ULONG globalAlpha);

/* Fills a rectangle of rp with one ARGB colour, clipped to the bitmap.
   Returns the number of pixels written. */
ULONG FillPixelArray(struct RastPort* rp, UWORD destX, UWORD destY, UWORD width,
                     UWORD height, ULONG argb);

EXEC_C_END

#endif
