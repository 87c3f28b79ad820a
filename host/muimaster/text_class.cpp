// Text.mui: a line of text on a QLabel. MUI's escape sequences choose the
// alignment (ESC r, ESC c, ESC l); the other style escapes are dropped.
// The label keeps the caller's contents as MUI does: the text must stay
// valid while the object shows it.
#include <QLabel>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

constexpr char ESCAPE = '\033';

struct TextData {
  CONST_STRPTR contents;
  CONST_STRPTR preparse;
};

// The visible text of `text` and the alignment its escapes ask for.
QString parse_text(const char* text, Qt::Alignment* alignment) {
  QString visible;
  if (!text) return visible;
  for (const char* p = text; *p; p++) {
    if (*p != ESCAPE) {
      visible += QChar::fromLatin1(*p);
      continue;
    }
    if (!p[1]) break;
    switch (*++p) {
      case 'r': *alignment = Qt::AlignRight | Qt::AlignVCenter; break;
      case 'c': *alignment = Qt::AlignHCenter | Qt::AlignVCenter; break;
      case 'l': *alignment = Qt::AlignLeft | Qt::AlignVCenter; break;
      default: break;  // bold, italic, pens: not shown
    }
  }
  return visible;
}

void show_text(Object* obj, const TextData* data) {
  auto* label = static_cast<QLabel*>(widget_of(obj));
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
  QString text = parse_text(data->preparse, &alignment);
  text += parse_text(data->contents, &alignment);
  label->setAlignment(alignment);
  label->setText(text);
}

IPTR text_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) return 0;
  auto* data = static_cast<TextData*>(INST_DATA(cl, obj));
  data->contents = reinterpret_cast<CONST_STRPTR>(GetTagData(MUIA_Text_Contents, 0, msg->ops_AttrList));
  data->preparse = reinterpret_cast<CONST_STRPTR>(GetTagData(MUIA_Text_PreParse, 0, msg->ops_AttrList));
  auto* label = new QLabel;
  label->setTextFormat(Qt::PlainText);
  if (area_host(obj)->frame != MUIV_Frame_None) {
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setAutoFillBackground(area_host(obj)->background == MUII_TextBack);
    label->setBackgroundRole(QPalette::Base);
  }
  replace_widget(obj, label);
  show_text(obj, data);
  return reinterpret_cast<IPTR>(obj);
}

IPTR text_set(struct IClass* cl, Object* obj, struct opSet* msg) {
  auto* data = static_cast<TextData*>(INST_DATA(cl, obj));
  bool changed = false;
  struct TagItem* state = msg->ops_AttrList;
  while (struct TagItem* tag = NextTagItem(&state)) {
    if (tag->ti_Tag == MUIA_Text_Contents) {
      data->contents = reinterpret_cast<CONST_STRPTR>(tag->ti_Data);
      changed = true;
    } else if (tag->ti_Tag == MUIA_Text_PreParse) {
      data->preparse = reinterpret_cast<CONST_STRPTR>(tag->ti_Data);
      changed = true;
    }
  }
  if (changed) show_text(obj, data);
  return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
}

IPTR text_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  auto* data = static_cast<TextData*>(INST_DATA(cl, obj));
  switch (msg->opg_AttrID) {
    case MUIA_Text_Contents: *msg->opg_Storage = reinterpret_cast<IPTR>(data->contents); return TRUE;
    case MUIA_Text_PreParse: *msg->opg_Storage = reinterpret_cast<IPTR>(data->preparse); return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

IPTR text_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return text_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_SET: return text_set(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_GET: return text_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor TEXT_CLASS = {MUIC_Text, &AREA_CLASS, sizeof(TextData), text_dispatcher};

}  // namespace host::mui
