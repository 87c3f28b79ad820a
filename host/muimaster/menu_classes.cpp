// Menustrip.mui, Menu.mui and Menuitem.mui: a family of objects that a
// window shows as its QMenuBar. Choosing an item sets its
// MUIA_Menuitem_Trigger (to the item) and hands the item's user data to
// the application as a return id, as MUI does with menu choices.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <vector>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

// The three classes share one record: the children (menus of a strip,
// items of a menu) and, for menus and items, the title and shortcut.
struct FamilyData {
  std::vector<Object*>* children;
  CONST_STRPTR title;     // an item's NM_BARLABEL makes it a separator
  CONST_STRPTR shortcut;  // first character, Latin-1; NULL for none
  BOOL enabled;
};

// The record of a menu object of the given class, or NULL for any other
// object (a family may be handed children of the wrong kind).
FamilyData* family_data(Object* obj, struct IClass* cl) {
  return is_a(obj, cl) ? static_cast<FamilyData*>(INST_DATA(cl, obj)) : nullptr;
}

void add_child(struct IClass* cl, Object* obj, Object* child) {
  static_cast<FamilyData*>(INST_DATA(cl, obj))->children->push_back(child);
  set_parent(child, obj);
}

void take_tags(FamilyData* data, struct TagItem* tags) {
  struct TagItem* state = tags;
  while (struct TagItem* tag = NextTagItem(&state)) {
    switch (tag->ti_Tag) {
      case MUIA_Menu_Title:
      case MUIA_Menuitem_Title: data->title = reinterpret_cast<CONST_STRPTR>(tag->ti_Data); break;
      case MUIA_Menuitem_Shortcut: data->shortcut = reinterpret_cast<CONST_STRPTR>(tag->ti_Data); break;
      case MUIA_Menuitem_Enabled: data->enabled = tag->ti_Data != FALSE; break;
    }
  }
}

IPTR family_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  struct TagItem* tags = msg->ops_AttrList;
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) {
    struct TagItem* state = tags;
    while (struct TagItem* tag = NextTagItem(&state))
      if (tag->ti_Tag == MUIA_Family_Child) MUI_DisposeObject(reinterpret_cast<Object*>(tag->ti_Data));
    return 0;
  }
  auto* data = static_cast<FamilyData*>(INST_DATA(cl, obj));
  data->children = new std::vector<Object*>;
  data->enabled = TRUE;
  take_tags(data, tags);
  bool missing = false;
  struct TagItem* state = tags;
  while (struct TagItem* tag = NextTagItem(&state)) {
    if (tag->ti_Tag != MUIA_Family_Child) continue;
    if (tag->ti_Data)
      add_child(cl, obj, reinterpret_cast<Object*>(tag->ti_Data));
    else
      missing = true;
  }
  if (missing) {
    CoerceMethod(cl, obj, OM_DISPOSE);
    return 0;
  }
  return reinterpret_cast<IPTR>(obj);
}

IPTR family_dispose(struct IClass* cl, Object* obj, Msg msg) {
  auto* data = static_cast<FamilyData*>(INST_DATA(cl, obj));
  while (!data->children->empty()) {
    Object* child = data->children->back();
    data->children->pop_back();
    MUI_DisposeObject(child);
  }
  delete data->children;
  return DoSuperMethodA(cl, obj, msg);
}

IPTR family_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  auto* data = static_cast<FamilyData*>(INST_DATA(cl, obj));
  switch (msg->opg_AttrID) {
    case MUIA_Menu_Title:
    case MUIA_Menuitem_Title: *msg->opg_Storage = reinterpret_cast<IPTR>(data->title); return TRUE;
    case MUIA_Menuitem_Shortcut: *msg->opg_Storage = reinterpret_cast<IPTR>(data->shortcut); return TRUE;
    case MUIA_Menuitem_Enabled: *msg->opg_Storage = data->enabled; return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

IPTR family_find(struct IClass* cl, Object* obj, Msg msg) {
  if (IPTR found = DoSuperMethodA(cl, obj, msg)) return found;
  for (Object* child : *static_cast<FamilyData*>(INST_DATA(cl, obj))->children)
    if (IPTR found = DoMethodA(child, msg)) return found;
  return 0;
}

IPTR family_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return family_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_DISPOSE: return family_dispose(cl, obj, msg);
    case OM_SET:
      take_tags(static_cast<FamilyData*>(INST_DATA(cl, obj)), reinterpret_cast<struct opSet*>(msg)->ops_AttrList);
      return DoSuperMethodA(cl, obj, msg);
    case OM_GET: return family_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    case OM_ADDMEMBER: {
      Object* child = reinterpret_cast<struct opMember*>(msg)->opam_Object;
      if (!child) return FALSE;
      add_child(cl, obj, child);
      return TRUE;
    }
    case MUIM_FindUData: return family_find(cl, obj, msg);
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

// Amiga menu shortcuts are the Amiga key with a character; here that key
// is Ctrl. The character is Latin-1, as menu tables are.
QKeySequence shortcut_of(CONST_STRPTR shortcut) {
  if (!shortcut || !*shortcut) return {};
  QChar key = QChar::fromLatin1(shortcut[0]).toUpper();
  return QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key(key.unicode())));
}

void choose(Object* item) {
  SetAttrs(item, MUIA_Menuitem_Trigger, item, TAG_DONE);
  ULONG user_data = muiNotifyData(item)->mnd_UserData;
  Object* app = ancestor_of_class(item, class_of(APPLICATION_CLASS));
  if (app && user_data) DoMethod(app, MUIM_Application_ReturnID, user_data);
}

void add_items(QMenu* menu, const FamilyData* menu_data) {
  for (Object* item : *menu_data->children) {
    FamilyData* data = family_data(item, class_of(MENUITEM_CLASS));
    if (!data) continue;
    if (data->title == NM_BARLABEL) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromLatin1(data->title ? data->title : ""));
    action->setShortcut(shortcut_of(data->shortcut));
    action->setEnabled(data->enabled);
    QObject::connect(action, &QAction::triggered, action, [item] { choose(item); });
  }
}

}  // namespace

const ClassDescriptor MENUSTRIP_CLASS = {MUIC_Menustrip, &NOTIFY_CLASS, sizeof(FamilyData), family_dispatcher};
const ClassDescriptor MENU_CLASS = {MUIC_Menu, &NOTIFY_CLASS, sizeof(FamilyData), family_dispatcher};
const ClassDescriptor MENUITEM_CLASS = {MUIC_Menuitem, &NOTIFY_CLASS, sizeof(FamilyData), family_dispatcher};

QMenuBar* make_menu_bar(Object* strip) {
  auto* bar = new QMenuBar;
  FamilyData* strip_data = family_data(strip, class_of(MENUSTRIP_CLASS));
  if (!strip_data) return bar;
  for (Object* menu_obj : *strip_data->children) {
    FamilyData* data = family_data(menu_obj, class_of(MENU_CLASS));
    if (!data) continue;
    QMenu* menu = bar->addMenu(QString::fromLatin1(data->title ? data->title : ""));
    menu->setEnabled(data->enabled);
    add_items(menu, data);
  }
  return bar;
}

}  // namespace host::mui
