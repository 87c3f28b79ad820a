// Virtgroup.mui and Scrollgroup.mui. A virtual group is a group whose
// contents may be larger than what is shown of them; a scroll group shows
// one virtual group through a QScrollArea with scroll bars as needed.
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

// What a scroll group asks for at least, whatever its contents, and the
// most height it asks for by default.
constexpr int MIN_VIEW_WIDTH = 160, MIN_VIEW_HEIGHT = 120, DEFAULT_VIEW_HEIGHT = 480;

// A scroll area that would rather show its contents' full width, with a
// scroll bar beside them, and a fair part of their height.
class ScrollView : public QScrollArea {
 public:
  QSize sizeHint() const override {
    QWidget* contents = widget();
    if (!contents) return QScrollArea::sizeHint();
    QSize wanted = contents->sizeHint().expandedTo(contents->minimumSizeHint());
    int edges = 2 * frameWidth();
    return QSize(wanted.width() + verticalScrollBar()->sizeHint().width() + edges,
                 std::min(wanted.height(), DEFAULT_VIEW_HEIGHT) + edges);
  }
};

IPTR virtgroup_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  // MUIA_Virtgroup_Input and the other virtual-group settings need no
  // handling here: the scroll area does the scrolling.
  return DoSuperMethodA(cl, obj, msg);
}

IPTR scrollgroup_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  auto* contents = reinterpret_cast<Object*>(GetTagData(MUIA_Scrollgroup_Contents, 0, msg->ops_AttrList));
  if (!contents) return 0;
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) {
    MUI_DisposeObject(contents);
    return 0;
  }
  auto* view = new ScrollView;
  view->setAlignment(Qt::AlignCenter);
  view->setWidgetResizable(true);
  view->setMinimumSize(MIN_VIEW_WIDTH, MIN_VIEW_HEIGHT);
  replace_widget(obj, view);
  // The contents are the group's only child: set up, drawn and disposed
  // with it like any other.
  area_host(obj)->children.push_back(contents);
  set_parent(contents, obj);
  view->setWidget(widget_of(contents));
  return reinterpret_cast<IPTR>(obj);
}

IPTR scrollgroup_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  if (msg->opg_AttrID != MUIA_Scrollgroup_Contents) return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  auto& children = area_host(obj)->children;
  *msg->opg_Storage = reinterpret_cast<IPTR>(children.empty() ? nullptr : children.front());
  return TRUE;
}

IPTR scrollgroup_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return scrollgroup_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_GET: return scrollgroup_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    case OM_ADDMEMBER:
    case OM_REMMEMBER: return FALSE;  // the contents are fixed at creation
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor VIRTGROUP_CLASS = {MUIC_Virtgroup, &GROUP_CLASS, 0, virtgroup_dispatcher};
const ClassDescriptor SCROLLGROUP_CLASS = {MUIC_Scrollgroup, &GROUP_CLASS, 0, scrollgroup_dispatcher};

}  // namespace host::mui
