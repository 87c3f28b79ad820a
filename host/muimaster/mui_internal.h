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

// The built-in classes, made on first use and kept for the process.
struct IClass* notify_class();
struct IClass* area_class();
struct IClass* group_class();
struct IClass* window_class();
struct IClass* application_class();
struct IClass* text_class();
struct IClass* string_class();
struct IClass* image_class();
struct IClass* popasl_class();
struct IClass* virtgroup_class();
struct IClass* scrollgroup_class();
struct IClass* gauge_class();
struct IClass* numeric_class();
struct IClass* slider_class();
struct IClass* menustrip_class();
struct IClass* menu_class();
struct IClass* menuitem_class();
struct IClass* aboutbox_class();

// The built-in class of that name ("Group.mui"), or NULL.
struct IClass* builtin_class(CONST_STRPTR name);

// Class constructors, one per class file.
struct IClass* make_notify_class();
struct IClass* make_area_class(struct IClass* super);
struct IClass* make_group_class(struct IClass* super);
struct IClass* make_window_class(struct IClass* super);
struct IClass* make_application_class(struct IClass* super);
struct IClass* make_text_class(struct IClass* super);
struct IClass* make_string_class(struct IClass* super);
struct IClass* make_image_class(struct IClass* super);
struct IClass* make_popasl_class(struct IClass* super);
struct IClass* make_virtgroup_class(struct IClass* super);
struct IClass* make_scrollgroup_class(struct IClass* super);
struct IClass* make_gauge_class(struct IClass* super);
struct IClass* make_numeric_class(struct IClass* super);
struct IClass* make_slider_class(struct IClass* super);
struct IClass* make_menustrip_class(struct IClass* super);
struct IClass* make_menu_class(struct IClass* super);
struct IClass* make_menuitem_class(struct IClass* super);
struct IClass* make_aboutbox_class(struct IClass* super);

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
