// OM_SET passed on with one attribute's value replaced.
#include <vector>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

IPTR set_super_with_value(struct IClass* cl, Object* obj, struct opSet* msg, ULONG attr, IPTR value) {
  // The caller's list may chain through TAG_MORE; the copy is flat.
  std::vector<struct TagItem> tags;
  struct TagItem* state = msg->ops_AttrList;
  while (struct TagItem* tag = NextTagItem(&state))
    tags.push_back({tag->ti_Tag, tag->ti_Tag == attr ? value : tag->ti_Data});
  tags.push_back({TAG_DONE, 0});
  struct opSet copy = {OM_SET, tags.data(), msg->ops_GInfo};
  return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(&copy));
}

}  // namespace host::mui
