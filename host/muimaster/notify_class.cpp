// Notify.mui: the root of every MUI object. It keeps the family link and
// the notification list, and fires notifications whenever an attribute is
// set through OM_SET.
#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

Object* resolve_destination(Object* obj, APTR destination) {
  switch (reinterpret_cast<IPTR>(destination)) {
    case MUIV_Notify_Self: return obj;
    case MUIV_Notify_Window: return ancestor_of_class(obj, class_of(WINDOW_CLASS));
    case MUIV_Notify_Application: return ancestor_of_class(obj, class_of(APPLICATION_CLASS));
    case MUIV_Notify_Parent: return parent_of(obj);
    default: return static_cast<Object*>(destination);
  }
}

void fire(Object* obj, ULONG attr, IPTR value) {
  // Actions may add or kill notifications, so they run from a copy.
  std::vector<Notification> matching;
  for (const Notification& n : notify_host(obj)->notifications)
    if (n.attr == attr && (n.value == MUIV_EveryTime || n.value == value)) matching.push_back(n);
  for (Notification& n : matching) {
    Object* destination = resolve_destination(obj, n.destination);
    if (!destination || n.words.empty()) continue;
    for (IPTR& word : n.words) {
      if (word == MUIV_TriggerValue)
        word = value;
      else if (word == MUIV_NotTriggerValue)
        word = !value;
    }
    DoMethodA(destination, reinterpret_cast<Msg>(n.words.data()));
  }
}

IPTR notify_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) return 0;
  auto* host = new NotifyHost;
  muiNotifyData(obj)->mnd_Host = host;
  muiNotifyData(obj)->mnd_UserData = ULONG(GetTagData(MUIA_UserData, 0, msg->ops_AttrList));
  return reinterpret_cast<IPTR>(obj);
}

IPTR notify_dispose(struct IClass* cl, Object* obj, Msg msg) {
  delete notify_host(obj);
  muiNotifyData(obj)->mnd_Host = nullptr;
  return DoSuperMethodA(cl, obj, msg);
}

IPTR notify_set(struct IClass* cl, Object* obj, struct opSet* msg) {
  bool quiet = GetTagData(MUIA_NoNotify, FALSE, msg->ops_AttrList) != FALSE;
  struct TagItem* state = msg->ops_AttrList;
  while (struct TagItem* tag = NextTagItem(&state)) {
    if (tag->ti_Tag == MUIA_UserData) muiNotifyData(obj)->mnd_UserData = ULONG(tag->ti_Data);
    if (!quiet && tag->ti_Tag != MUIA_NoNotify) fire(obj, tag->ti_Tag, tag->ti_Data);
  }
  return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
}

IPTR notify_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  IPTR* storage = msg->opg_Storage;
  switch (msg->opg_AttrID) {
    case MUIA_UserData: *storage = muiNotifyData(obj)->mnd_UserData; return TRUE;
    case MUIA_Parent: *storage = reinterpret_cast<IPTR>(parent_of(obj)); return TRUE;
    case MUIA_WindowObject:
      *storage = reinterpret_cast<IPTR>(ancestor_of_class(obj, class_of(WINDOW_CLASS)));
      return TRUE;
    case MUIA_ApplicationObject:
      *storage = reinterpret_cast<IPTR>(ancestor_of_class(obj, class_of(APPLICATION_CLASS)));
      return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

// More action words than any MUI method takes is a broken request.
constexpr ULONG MAX_FOLLOW_PARAMS = 64;

IPTR notify_add(Object* obj, struct MUIP_Notify* msg) {
  if (msg->FollowParams == 0 || msg->FollowParams > MAX_FOLLOW_PARAMS) return FALSE;
  // The words after FollowParams are the action: method and arguments.
  const IPTR* action = reinterpret_cast<const IPTR*>(msg + 1);
  Notification n{msg->TrigAttr, msg->TrigVal, msg->DestObj,
                 std::vector<IPTR>(action, action + msg->FollowParams)};
  notify_host(obj)->notifications.push_back(std::move(n));
  return TRUE;
}

IPTR notify_kill(Object* obj, struct MUIP_KillNotify* msg) {
  auto& list = notify_host(obj)->notifications;
  std::erase_if(list, [&](const Notification& n) { return n.attr == msg->TrigAttr; });
  return TRUE;
}

IPTR notify_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return notify_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_DISPOSE: return notify_dispose(cl, obj, msg);
    case OM_SET: return notify_set(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_GET: return notify_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    case MUIM_Notify: return notify_add(obj, reinterpret_cast<struct MUIP_Notify*>(msg));
    case MUIM_KillNotify: return notify_kill(obj, reinterpret_cast<struct MUIP_KillNotify*>(msg));
    case MUIM_Set: {
      auto* set = reinterpret_cast<struct MUIP_Set*>(msg);
      return SetAttrs(obj, set->Attr, set->Val, TAG_DONE);
    }
    case MUIM_NoNotifySet: {
      auto* set = reinterpret_cast<struct MUIP_Set*>(msg);
      return SetAttrs(obj, MUIA_NoNotify, TRUE, set->Attr, set->Val, TAG_DONE);
    }
    case MUIM_FindUData: {
      auto* find = reinterpret_cast<struct MUIP_FindUData*>(msg);
      return muiNotifyData(obj)->mnd_UserData == ULONG(find->udata) ? reinterpret_cast<IPTR>(obj) : 0;
    }
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor NOTIFY_CLASS = {MUIC_Notify, nullptr, sizeof(struct MUI_NotifyData), notify_dispatcher};

void set_parent(Object* child, Object* parent) {
  if (child && notify_host(child)) notify_host(child)->parent = parent;
}

Object* parent_of(Object* obj) { return notify_host(obj) ? notify_host(obj)->parent : nullptr; }

bool is_a(Object* obj, struct IClass* cl) {
  for (struct IClass* c = OCLASS(obj); c; c = c->cl_Super)
    if (c == cl) return true;
  return false;
}

Object* ancestor_of_class(Object* obj, struct IClass* cl) {
  for (Object* o = obj; o; o = parent_of(o))
    if (is_a(o, cl)) return o;
  return nullptr;
}

}  // namespace host::mui
