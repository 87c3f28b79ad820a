// Popasl.mui: a string field with a pop-up button that opens a file
// requester. The requester starts in ASLFR_InitialDrawer (Amiga names
// such as "ram:" go through the dos assigns) under ASLFR_TitleText;
// choosing a file sets the string's contents, so the choice notifies like
// typing does.
#include <QFileDialog>
#include <string>

#include <host/path.h>
#include <proto/dos.h>
#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

struct PopaslData {
  Object* string;
  Object* button;
  std::string* title;
  std::string* drawer;
  BOOL active;  // the requester is open
};

PopaslData* popasl_data(struct IClass* cl, Object* obj) { return static_cast<PopaslData*>(INST_DATA(cl, obj)); }

void take_requester_tags(PopaslData* data, struct TagItem* tags) {
  struct TagItem* state = tags;
  while (struct TagItem* tag = NextTagItem(&state)) {
    const char* text = reinterpret_cast<const char*>(tag->ti_Data);
    if (tag->ti_Tag == ASLFR_TitleText) *data->title = text ? text : "";
    if (tag->ti_Tag == ASLFR_InitialDrawer) *data->drawer = text ? text : "";
  }
}

// The host folder the requester opens in; "" leaves the choice to Qt.
QString host_drawer(const std::string& drawer) {
  if (drawer.empty()) return {};
  return QString::fromLocal8Bit(host_path_of(drawer.c_str()));
}

IPTR popasl_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  struct TagItem* tags = msg->ops_AttrList;
  auto* string = reinterpret_cast<Object*>(GetTagData(MUIA_Popstring_String, 0, tags));
  auto* button = reinterpret_cast<Object*>(GetTagData(MUIA_Popstring_Button, 0, tags));
  if (!string) {  // nothing to pop up for; the button given is still ours
    MUI_DisposeObject(button);
    return 0;
  }
  struct TagItem group[] = {
      {MUIA_Group_Horiz, TRUE},
      {MUIA_Group_Child, reinterpret_cast<IPTR>(string)},
      {Tag(button ? MUIA_Group_Child : TAG_IGNORE), reinterpret_cast<IPTR>(button)},
      {TAG_MORE, reinterpret_cast<IPTR>(tags)},
  };
  obj = reinterpret_cast<Object*>(DoSuperMethod(cl, obj, OM_NEW, group, msg->ops_GInfo));
  if (!obj) return 0;  // the group disposed both children
  PopaslData* data = popasl_data(cl, obj);
  data->string = string;
  data->button = button;
  data->title = new std::string;
  data->drawer = new std::string;
  take_requester_tags(data, tags);
  if (button) DoMethod(button, MUIM_Notify, MUIA_Pressed, FALSE, obj, 1, MUIM_Popstring_Open);
  return reinterpret_cast<IPTR>(obj);
}

IPTR popasl_dispose(struct IClass* cl, Object* obj, Msg msg) {
  PopaslData* data = popasl_data(cl, obj);
  delete data->title;
  delete data->drawer;
  return DoSuperMethodA(cl, obj, msg);
}

// Runs the requester modally; TRUE when it was shown.
IPTR popasl_open(struct IClass* cl, Object* obj) {
  PopaslData* data = popasl_data(cl, obj);
  if (data->active) return FALSE;
  data->active = TRUE;
  QWidget* owner = widget_of(obj) ? widget_of(obj)->window() : nullptr;
  QFileDialog requester(owner, QString::fromLatin1(data->title->c_str()), host_drawer(*data->drawer));
  requester.setOption(QFileDialog::DontUseNativeDialog);
  requester.setFileMode(QFileDialog::ExistingFile);
  if (requester.exec() == QDialog::Accepted && !requester.selectedFiles().isEmpty()) {
    QByteArray path = requester.selectedFiles().first().toLocal8Bit();
    SetAttrs(data->string, MUIA_String_Contents, path.constData(), TAG_DONE);
  }
  data->active = FALSE;
  return TRUE;
}

IPTR popasl_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  PopaslData* data = popasl_data(cl, obj);
  switch (msg->opg_AttrID) {
    case MUIA_Popstring_String: *msg->opg_Storage = reinterpret_cast<IPTR>(data->string); return TRUE;
    case MUIA_Popstring_Button: *msg->opg_Storage = reinterpret_cast<IPTR>(data->button); return TRUE;
    case MUIA_Popasl_Active: *msg->opg_Storage = data->active; return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

IPTR popasl_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return popasl_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_DISPOSE: return popasl_dispose(cl, obj, msg);
    case OM_SET:
      take_requester_tags(popasl_data(cl, obj), reinterpret_cast<struct opSet*>(msg)->ops_AttrList);
      return DoSuperMethodA(cl, obj, msg);
    case OM_GET: return popasl_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    case MUIM_Popstring_Open: return popasl_open(cl, obj);
    case MUIM_Popstring_Close: return 0;  // the requester is modal: it closes itself
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor POPASL_CLASS = {MUIC_Popasl, &GROUP_CLASS, sizeof(PopaslData), popasl_dispatcher};

}  // namespace host::mui
