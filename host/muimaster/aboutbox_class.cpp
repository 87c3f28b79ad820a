// Aboutbox.mcc: a window that tells about the application it belongs to:
// its title, version, rights notice, author and description, read from
// the application object each time the window opens.
#include <string>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

struct AboutboxData {
  Object* text;
  std::string* contents;  // what the text object shows
};

const char* application_text(Object* app, ULONG attr) {
  IPTR value = 0;
  if (app) GetAttr(attr, app, &value);
  return value ? reinterpret_cast<const char*>(value) : "";
}

// The application's texts, one a line; the version without its "$VER: ".
std::string about_text(Object* app) {
  std::string version = application_text(app, MUIA_Application_Version);
  if (version.rfind("$VER: ", 0) == 0) version.erase(0, 6);
  std::string text;
  for (std::string line : {std::string(application_text(app, MUIA_Application_Title)), version,
                           std::string(application_text(app, MUIA_Application_Copyright)),
                           std::string(application_text(app, MUIA_Application_Author)),
                           std::string(application_text(app, MUIA_Application_Description))}) {
    if (line.empty()) continue;
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

IPTR aboutbox_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  Object* text = MUI_NewObject(MUIC_Text, MUIA_Text_PreParse, "\033c", TAG_DONE);
  Object* root = text ? MUI_NewObject(MUIC_Group, MUIA_Group_Child, text, TAG_DONE) : nullptr;
  if (!root) return 0;
  struct TagItem tags[] = {
      {MUIA_Window_Title, reinterpret_cast<IPTR>("About")},
      {MUIA_Window_RootObject, reinterpret_cast<IPTR>(root)},
      {TAG_MORE, reinterpret_cast<IPTR>(msg->ops_AttrList)},
  };
  obj = reinterpret_cast<Object*>(DoSuperMethod(cl, obj, OM_NEW, tags, msg->ops_GInfo));
  if (!obj) return 0;  // the window disposed its root
  auto* data = static_cast<AboutboxData*>(INST_DATA(cl, obj));
  data->text = text;
  data->contents = new std::string;
  return reinterpret_cast<IPTR>(obj);
}

IPTR aboutbox_set(struct IClass* cl, Object* obj, struct opSet* msg) {
  struct TagItem* open = FindTagItem(MUIA_Window_Open, msg->ops_AttrList);
  if (open && open->ti_Data) {
    auto* data = static_cast<AboutboxData*>(INST_DATA(cl, obj));
    *data->contents = about_text(ancestor_of_class(obj, class_of(APPLICATION_CLASS)));
    SetAttrs(data->text, MUIA_Text_Contents, data->contents->c_str(), TAG_DONE);
  }
  return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
}

IPTR aboutbox_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return aboutbox_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_DISPOSE: {
      // The text goes with the window's root; the contents it shows after it.
      std::string* contents = static_cast<AboutboxData*>(INST_DATA(cl, obj))->contents;
      IPTR result = DoSuperMethodA(cl, obj, msg);
      delete contents;
      return result;
    }
    case OM_SET: return aboutbox_set(cl, obj, reinterpret_cast<struct opSet*>(msg));
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor ABOUTBOX_CLASS = {MUIC_Aboutbox, &WINDOW_CLASS, sizeof(AboutboxData), aboutbox_dispatcher};

}  // namespace host::mui
