// What muimaster's class files share: the runtime's bookkeeping behind
// the public Notify and Area slices, the built-in classes, and the Qt
// application every widget lives in.
#pragma once

#include <QMenuBar>
#include <QPointer>
#include <QWidget>
#include <vector>

#include <proto/muimaster.h>

namespace host::mui {

class AreaWidget;

// One MUIM_Notify request: when TrigAttr is set to TrigVal (or to anything,
// for MUIV_EveryTime), send `words` to the destination.
struct Notification {
  ULONG attr;
  IPTR value;
  APTR destination;  // an object or one of the MUIV_Notify_ values
  std::vector<IPTR> words;
};

// Behind MUI_NotifyData::mnd_Host.
struct NotifyHost {
  Object* parent = nullptr;
  std::vector<Notification> notifications;
};

// Behind MUI_AreaData::mad_Host.
struct AreaHost {
  QPointer<QWidget> widget;      // the widget that shows the object
  AreaWidget* hosted = nullptr;  // set when that widget is the generic one
  std::vector<Object*> children; // for classes that hold others (Group)
  IPTR background = MUII_WindowBack;
  ULONG frame = MUIV_Frame_None;
  bool fill_area = true;
  ULONG background_argb = 0xFFD4D0C8;  // resolved at setup from the palette
};

// The Qt application, made on first use with the platform Qt picks
// (QT_QPA_PLATFORM decides, as for any Qt program).
void ensure_qt_application();

// A built-in class as its file declares it: name, superclass (NULL for
// rootclass), instance size and dispatcher.
struct ClassDescriptor {
  const char* name;
  const ClassDescriptor* super;
  ULONG instanceSize;
  ClassDispatcher dispatcher;
};

// The built-in classes, one word each; class NAME is NAME_CLASS, defined
// in its class file.
#define MUI_BUILTIN_CLASSES(CLASS)                                                                  \
  CLASS(NOTIFY) CLASS(AREA) CLASS(GROUP) CLASS(WINDOW) CLASS(APPLICATION) CLASS(TEXT) CLASS(STRING) \
  CLASS(IMAGE) CLASS(POPASL) CLASS(VIRTGROUP) CLASS(SCROLLGROUP) CLASS(GAUGE) CLASS(NUMERIC)         \
  CLASS(SLIDER) CLASS(MENUSTRIP) CLASS(MENU) CLASS(MENUITEM) CLASS(ABOUTBOX)
#define MUI_DECLARE_CLASS(NAME) extern const ClassDescriptor NAME##_CLASS;
MUI_BUILTIN_CLASSES(MUI_DECLARE_CLASS)
#undef MUI_DECLARE_CLASS

// The class of a descriptor, made on first use below its superclass and
// kept for the process.
struct IClass* class_of(const ClassDescriptor& descriptor);

// The built-in class of that name ("Group.mui"), or NULL.
struct IClass* builtin_class(CONST_STRPTR name);

// Passes OM_SET on to the superclass of cl with the value of `attr`
// replaced by `value`, so that notifications see what the object kept
// (its own copy of a text, a value clamped to its range) rather than what
// the caller handed in.
IPTR set_super_with_value(struct IClass* cl, Object* obj, struct opSet* msg, ULONG attr, IPTR value);

// Menus: the menu bar a window shows for a Menustrip object (owned by the
// caller), and the menus of a strip or items of a menu, in order.
QMenuBar* make_menu_bar(Object* strip);

// The small windows of MUIM_Application_AboutMUI and _OpenConfigWindow.
void show_about_mui(Object* app, Object* refwindow);
void show_config_window(Object* app);

// Whether obj's class is cl or derives from it.
bool is_a(Object* obj, struct IClass* cl);

inline NotifyHost* notify_host(Object* obj) {
  return static_cast<NotifyHost*>(muiNotifyData(obj)->mnd_Host);
}
inline AreaHost* area_host(Object* obj) {
  return static_cast<AreaHost*>(muiAreaData(obj)->mad_Host);
}

// Family links: the object that holds obj, and the nearest enclosing
// object of a class (the window, the application).
void set_parent(Object* child, Object* parent);
Object* parent_of(Object* obj);
Object* ancestor_of_class(Object* obj, struct IClass* cl);

// The widget that shows an area; classes backed by a Qt widget of their
// own replace the generic one after their superclass made the object.
QWidget* widget_of(Object* area);
void replace_widget(Object* area, QWidget* widget);

// The top-level widget of a Window object, or NULL for any other object.
QWidget* window_widget(Object* window);

// Asks every generic widget in the tree below obj for its size range.
void apply_min_max(Object* obj);

}  // namespace host::mui
