/* utility.library: tag lists. */
#ifndef PROTO_UTILITY_H
#define PROTO_UTILITY_H

#include <utility/tagitem.h>

EXEC_C_BEGIN

/* The next item of a tag list, following TAG_MORE, TAG_SKIP and
   TAG_IGNORE; NULL at the end, after which *tagListPtr is NULL. */
struct TagItem* NextTagItem(struct TagItem** tagListPtr);
struct TagItem* FindTagItem(Tag tagValue, const struct TagItem* tagList);
IPTR GetTagData(Tag tagValue, IPTR defaultVal, const struct TagItem* tagList);

EXEC_C_END

#endif
