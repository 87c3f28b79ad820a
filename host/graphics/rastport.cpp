// Rast ports and the chunky ARGB32 bitmaps they draw into on this host.
#include <cstring>

#include <proto/graphics.h>

extern "C" void InitRastPort(struct RastPort* rp) {
  if (!rp) return;
  std::memset(rp, 0, sizeof *rp);
  rp->Mask = 0xFF;
  rp->FgPen = 1;
  rp->LinePtrn = 0xFFFF;
}

extern "C" BOOL HostInitARGBBitMap(struct BitMap* bm, APTR pixels, ULONG width, ULONG height,
                                   ULONG bytesPerRow) {
  if (!bm) return FALSE;
  std::memset(bm, 0, sizeof *bm);
  if (!pixels || width > 0xFFFF / 4 || height > 0xFFFF || bytesPerRow > 0xFFFF ||
      bytesPerRow < width * 4)
    return FALSE;
  bm->BytesPerRow = UWORD(bytesPerRow);
  bm->Rows = UWORD(height);
  bm->Depth = 32;
  bm->Planes[0] = static_cast<PLANEPTR>(pixels);
  return TRUE;
}
