// String.mui: a one-line text field on a QLineEdit. The object keeps its
// own copy of the contents; every change, typed or set, notifies with a
// pointer to that copy, which stays valid until the next change. Contents
// are in the locale's encoding, since they usually name host files.
#include <QLineEdit>
#include <QSignalBlocker>
#include <string>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

// MUI's default of 80 characters cuts real paths short; a field that was
// not given a limit takes this one.
constexpr ULONG DEFAULT_MAX_LEN = 1024;

struct StringData {
  std::string* contents;
  ULONG max_len;  // including the terminator, as MUI counts
};

StringData* string_data(struct IClass* cl, Object* obj) { return static_cast<StringData*>(INST_DATA(cl, obj)); }

// Keeps at most max_len - 1 bytes of text; the new contents.
const char* store(StringData* data, const char* text) {
  std::string value = text ? text : "";
  if (value.size() >= data->max_len) value.resize(data->max_len - 1);
  *data->contents = std::move(value);
  return data->contents->c_str();
}

IPTR string_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) return 0;
  StringData* data = string_data(cl, obj);
  data->contents = new std::string;
  data->max_len = ULONG(GetTagData(MUIA_String_MaxLen, DEFAULT_MAX_LEN, msg->ops_AttrList));
  if (data->max_len < 1) data->max_len = 1;
  auto* edit = new QLineEdit;
  edit->setMaxLength(int(std::min<ULONG>(data->max_len - 1, 32767)));
  edit->setText(QString::fromLocal8Bit(
      store(data, reinterpret_cast<const char*>(GetTagData(MUIA_String_Contents, 0, msg->ops_AttrList)))));
  // Each keystroke is a change of MUIA_String_Contents, as in MUI.
  QObject::connect(edit, &QLineEdit::textEdited, edit, [obj](const QString& text) {
    QByteArray bytes = text.toLocal8Bit();
    SetAttrs(obj, MUIA_String_Contents, bytes.constData(), TAG_DONE);
  });
  replace_widget(obj, edit);
  return reinterpret_cast<IPTR>(obj);
}

IPTR string_dispose(struct IClass* cl, Object* obj, Msg msg) {
  delete string_data(cl, obj)->contents;
  return DoSuperMethodA(cl, obj, msg);
}

IPTR string_set(struct IClass* cl, Object* obj, struct opSet* msg) {
  StringData* data = string_data(cl, obj);
  struct TagItem* tag = FindTagItem(MUIA_String_Contents, msg->ops_AttrList);
  if (!tag) return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  const char* kept = store(data, reinterpret_cast<const char*>(tag->ti_Data));
  auto* edit = static_cast<QLineEdit*>(widget_of(obj));
  QString shown = QString::fromLocal8Bit(kept);
  if (edit->text() != shown) {
    QSignalBlocker quiet(edit);
    edit->setText(shown);
  }
  return set_super_with_value(cl, obj, msg, MUIA_String_Contents, reinterpret_cast<IPTR>(kept));
}

IPTR string_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  StringData* data = string_data(cl, obj);
  switch (msg->opg_AttrID) {
    case MUIA_String_Contents: *msg->opg_Storage = reinterpret_cast<IPTR>(data->contents->c_str()); return TRUE;
    case MUIA_String_MaxLen: *msg->opg_Storage = data->max_len; return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

IPTR string_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return string_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_DISPOSE: return string_dispose(cl, obj, msg);
    case OM_SET: return string_set(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_GET: return string_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor STRING_CLASS = {MUIC_String, &AREA_CLASS, sizeof(StringData), string_dispatcher};

}  // namespace host::mui
