// Group.mui: an area that lays out its children in a row, a column or a
// grid of columns, on a Qt layout.
#include <algorithm>

#include <QBoxLayout>
#include <QFrame>
#include <QGridLayout>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

constexpr int DEFAULT_SPACING = 4;

struct GroupData {
  ULONG columns;  // 0: a single row or column
  BOOL horizontal;
};

// Puts child's widget at the end of the group's layout.
void place_child(Object* group, Object* child) {
  QLayout* layout = widget_of(group)->layout();
  QWidget* widget = widget_of(child);
  if (!widget) return;
  if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
    int index = int(area_host(group)->children.size()) - 1;
    int columns = int(static_cast<GroupData*>(INST_DATA(class_of(GROUP_CLASS), group))->columns);
    grid->addWidget(widget, index / columns, index % columns);
  } else {
    layout->addWidget(widget);
  }
}

void add_member(Object* group, Object* child) {
  area_host(group)->children.push_back(child);
  set_parent(child, group);
  place_child(group, child);
}

void dispose_children(Object* group) {
  auto& children = area_host(group)->children;
  while (!children.empty()) {
    Object* child = children.back();
    children.pop_back();
    MUI_DisposeObject(child);
  }
}

QWidget* make_group_widget(const GroupData& data, ULONG frame) {
  auto* widget = new QFrame;
  if (frame != MUIV_Frame_None) widget->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  QLayout* layout;
  if (data.columns > 0) {
    layout = new QGridLayout(widget);
  } else {
    layout = new QBoxLayout(data.horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, widget);
  }
  layout->setSpacing(DEFAULT_SPACING);
  int margin = frame != MUIV_Frame_None ? DEFAULT_SPACING : 0;
  layout->setContentsMargins(margin, margin, margin, margin);
  return widget;
}

IPTR group_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  struct TagItem* tags = msg->ops_AttrList;
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) {
    // A group that cannot be made still owns the children it was given.
    struct TagItem* state = tags;
    while (struct TagItem* tag = NextTagItem(&state))
      if (tag->ti_Tag == MUIA_Group_Child) MUI_DisposeObject(reinterpret_cast<Object*>(tag->ti_Data));
    return 0;
  }
  auto* data = static_cast<GroupData*>(INST_DATA(cl, obj));
  data->horizontal = BOOL(GetTagData(MUIA_Group_Horiz, FALSE, tags) != FALSE);
  data->columns = ULONG(GetTagData(MUIA_Group_Columns, 0, tags));
  replace_widget(obj, make_group_widget(*data, area_host(obj)->frame));

  bool missing = false;
  struct TagItem* state = tags;
  while (struct TagItem* tag = NextTagItem(&state)) {
    if (tag->ti_Tag != MUIA_Group_Child) continue;
    auto* child = reinterpret_cast<Object*>(tag->ti_Data);
    if (child)
      add_member(obj, child);
    else
      missing = true;  // a child that could not be made fails the group
  }
  if (missing) {
    CoerceMethod(cl, obj, OM_DISPOSE);
    return 0;
  }
  return reinterpret_cast<IPTR>(obj);
}

IPTR group_dispose(struct IClass* cl, Object* obj, Msg msg) {
  dispose_children(obj);
  return DoSuperMethodA(cl, obj, msg);
}

IPTR group_member(Object* obj, struct opMember* msg) {
  Object* child = msg->opam_Object;
  if (!child) return FALSE;
  auto& children = area_host(obj)->children;
  if (msg->MethodID == OM_ADDMEMBER) {
    add_member(obj, child);
    return TRUE;
  }
  auto found = std::find(children.begin(), children.end(), child);
  if (found == children.end()) return FALSE;
  children.erase(found);
  if (QWidget* widget = widget_of(child)) widget->setParent(nullptr);
  set_parent(child, nullptr);
  return TRUE;
}

// Setup reaches every child; when one refuses, those already set up are
// cleaned up again and the group refuses too.
IPTR group_setup(struct IClass* cl, Object* obj, Msg msg) {
  if (!DoSuperMethodA(cl, obj, msg)) return FALSE;
  auto& children = area_host(obj)->children;
  for (size_t i = 0; i < children.size(); i++) {
    if (!DoMethodA(children[i], msg)) {
      while (i-- > 0) DoMethod(children[i], MUIM_Cleanup);
      DoSuperMethod(cl, obj, MUIM_Cleanup);
      return FALSE;
    }
  }
  return TRUE;
}

IPTR group_to_children(struct IClass* cl, Object* obj, Msg msg) {
  for (Object* child : area_host(obj)->children) DoMethodA(child, msg);
  return DoSuperMethodA(cl, obj, msg);
}

IPTR group_find(struct IClass* cl, Object* obj, Msg msg) {
  if (IPTR found = DoSuperMethodA(cl, obj, msg)) return found;
  for (Object* child : area_host(obj)->children)
    if (IPTR found = DoMethodA(child, msg)) return found;
  return 0;
}

IPTR group_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return group_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_DISPOSE: return group_dispose(cl, obj, msg);
    case OM_ADDMEMBER:
    case OM_REMMEMBER: return group_member(obj, reinterpret_cast<struct opMember*>(msg));
    case MUIM_Setup: return group_setup(cl, obj, msg);
    case MUIM_Cleanup: return group_to_children(cl, obj, msg);
    case MUIM_FindUData: return group_find(cl, obj, msg);
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor GROUP_CLASS = {MUIC_Group, &AREA_CLASS, sizeof(GroupData), group_dispatcher};

}  // namespace host::mui
