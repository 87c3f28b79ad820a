// utility.library tag lists.
#include <proto/utility.h>

extern "C" struct TagItem* NextTagItem(struct TagItem** tagListPtr) {
  if (!tagListPtr) return nullptr;
  while (struct TagItem* item = *tagListPtr) {
    switch (item->ti_Tag) {
      case TAG_DONE:
        *tagListPtr = nullptr;
        return nullptr;
      case TAG_IGNORE:
        *tagListPtr = item + 1;
        break;
      case TAG_MORE:
        *tagListPtr = reinterpret_cast<struct TagItem*>(item->ti_Data);
        break;
      case TAG_SKIP:
        *tagListPtr = item + 1 + item->ti_Data;
        break;
      default:
        *tagListPtr = item + 1;
        return item;
    }
  }
  return nullptr;
}

extern "C" struct TagItem* FindTagItem(Tag tagValue, const struct TagItem* tagList) {
  struct TagItem* state = const_cast<struct TagItem*>(tagList);
  while (struct TagItem* item = NextTagItem(&state))
    if (item->ti_Tag == tagValue) return item;
  return nullptr;
}

extern "C" IPTR GetTagData(Tag tagValue, IPTR defaultVal, const struct TagItem* tagList) {
  const struct TagItem* item = FindTagItem(tagValue, tagList);
  return item ? item->ti_Data : defaultVal;
}
