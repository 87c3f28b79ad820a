// The built-in classes by name, and the Qt application behind them. Each
// class is made on first use, below its superclass, and kept for the process.
#include <QApplication>
#include <cstring>

#include "mui_internal.h"

namespace host::mui {

void ensure_qt_application() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "vellum";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
}

struct IClass* notify_class() {
  static struct IClass* cl = make_notify_class();
  return cl;
}
// Every other class is made below its superclass.
#define BUILTIN_CLASS(getter, maker, super)      \
  struct IClass* getter() {                      \
    static struct IClass* cl = maker(super());   \
    return cl;                                   \
  }
BUILTIN_CLASS(area_class, make_area_class, notify_class)
BUILTIN_CLASS(group_class, make_group_class, area_class)
BUILTIN_CLASS(window_class, make_window_class, notify_class)
BUILTIN_CLASS(application_class, make_application_class, notify_class)
BUILTIN_CLASS(text_class, make_text_class, area_class)
BUILTIN_CLASS(string_class, make_string_class, area_class)
BUILTIN_CLASS(image_class, make_image_class, area_class)
BUILTIN_CLASS(popasl_class, make_popasl_class, group_class)
BUILTIN_CLASS(virtgroup_class, make_virtgroup_class, group_class)
BUILTIN_CLASS(scrollgroup_class, make_scrollgroup_class, group_class)
BUILTIN_CLASS(gauge_class, make_gauge_class, area_class)
BUILTIN_CLASS(numeric_class, make_numeric_class, area_class)
BUILTIN_CLASS(slider_class, make_slider_class, numeric_class)
BUILTIN_CLASS(menustrip_class, make_menustrip_class, notify_class)
BUILTIN_CLASS(menu_class, make_menu_class, notify_class)
BUILTIN_CLASS(menuitem_class, make_menuitem_class, notify_class)
BUILTIN_CLASS(aboutbox_class, make_aboutbox_class, window_class)
#undef BUILTIN_CLASS

struct IClass* builtin_class(CONST_STRPTR name) {
  static const struct {
    const char* name;
    struct IClass* (*get)();
  } BUILTIN[] = {
      {MUIC_Notify, notify_class},
      {MUIC_Area, area_class},
      {MUIC_Group, group_class},
      {MUIC_Window, window_class},
      {MUIC_Application, application_class},
      {MUIC_Text, text_class},
      {MUIC_String, string_class},
      {MUIC_Image, image_class},
      {MUIC_Popasl, popasl_class},
      {MUIC_Virtgroup, virtgroup_class},
      {MUIC_Scrollgroup, scrollgroup_class},
      {MUIC_Gauge, gauge_class},
      {MUIC_Numeric, numeric_class},
      {MUIC_Slider, slider_class},
      {MUIC_Menustrip, menustrip_class},
      {MUIC_Menu, menu_class},
      {MUIC_Menuitem, menuitem_class},
      {MUIC_Aboutbox, aboutbox_class},
  };
  for (const auto& entry : BUILTIN)
    if (std::strcmp(entry.name, name) == 0) return entry.get();
  return nullptr;
}

}  // namespace host::mui
