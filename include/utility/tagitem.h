/* Tag lists: pairs of tag and value, walked with NextTagItem. */
#ifndef UTILITY_TAGITEM_H
#define UTILITY_TAGITEM_H

#include <exec/types.h>

typedef ULONG Tag;

struct TagItem {
  Tag ti_Tag;
  IPTR ti_Data;
};

#define TAG_DONE 0UL   /* end of the list */
#define TAG_END 0UL
#define TAG_IGNORE 1UL /* skip this item */
#define TAG_MORE 2UL   /* ti_Data points at the next list; this one ends */
#define TAG_SKIP 3UL   /* skip this item and the next ti_Data items */
#define TAG_USER (1UL << 31)

#endif
