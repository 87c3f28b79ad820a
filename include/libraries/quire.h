/* quire.library: what its callers see. */
#ifndef LIBRARIES_QUIRE_H
#define LIBRARIES_QUIRE_H

#include <exec/types.h>

#define QUIRENAME "quire.library"

/* A rendered page: QUIRE_PAGE_WIDTH x QUIRE_PAGE_HEIGHT ARGB32 words
   (premultiplied alpha, host order), QUIRE_PAGE_STRIDE bytes per row,
   allocated with AllocVec and freed by the caller with FreeVec. */
#define QUIRE_PAGE_WIDTH 595
#define QUIRE_PAGE_HEIGHT 842
#define QUIRE_PAGE_STRIDE (QUIRE_PAGE_WIDTH * 4)

/* QuireOpen results other than 0. */
#define QUIRE_ERR_NOT_READY (-1)    /* QuireInit was not called */
#define QUIRE_ERR_UNREADABLE 1      /* the file cannot be read */
#define QUIRE_ERR_NOT_COMPOUND 2    /* not an OLE2 compound file, or a broken one */
#define QUIRE_ERR_NOT_WORD 3        /* no Word document inside */
#define QUIRE_ERR_OLD_WORD 4        /* Word 6 or 95 */
#define QUIRE_ERR_ENCRYPTED 5
#define QUIRE_ERR_DAMAGED 6
#define QUIRE_ERR_TOO_LARGE 7

/* Vector offsets. -54 and -96 are reserved and answer 0. */
#define LVO_QuireRenderPage (-30)
#define LVO_QuireInit (-36)
#define LVO_QuireExit (-42)
#define LVO_QuireOpen (-48)
#define LVO_QuireReserved1 (-54)
#define LVO_QuireGetPageCount (-60)
#define LVO_QuireGetTitle (-66)
#define LVO_QuireGetSubject (-72)
#define LVO_QuireGetAuthor (-78)
#define LVO_QuireGetCompany (-84)
#define LVO_QuireGetAppName (-90)
#define LVO_QuireReserved2 (-96)
#define LVO_QuireGetLanguage (-102)

#endif
