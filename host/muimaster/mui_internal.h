// What muimaster's class files share: the runtime's bookkeeping behind
// the public Notify and Area slices, the built-in classes, and the Qt
// application every widget lives in.
#pragma once

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

// The built-in class of that name ("Group.mui"), or NULL.
struct IClass* builtin_class(CONST_STRPTR name);

// Class constructors, one per class file.
struct IClass* make_notify_class();
struct IClass* make_area_class(struct IClass* super);
struct IClass* make_group_class(struct IClass* super);
struct IClass* make_window_class(struct IClass* super);
struct IClass* make_application_class(struct IClass* super);

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
