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
struct IClass* area_class() {
  static struct IClass* cl = make_area_class(notify_class());
  return cl;
}
struct IClass* group_class() {
  static struct IClass* cl = make_group_class(area_class());
  return cl;
}
struct IClass* window_class() {
  static struct IClass* cl = make_window_class(notify_class());
  return cl;
}
struct IClass* application_class() {
  static struct IClass* cl = make_application_class(notify_class());
  return cl;
}

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
  };
  for (const auto& entry : BUILTIN)
    if (std::strcmp(entry.name, name) == 0) return entry.get();
  return nullptr;
}

}  // namespace host::mui
