// The built-in classes by name, and the Qt application behind them. Each
// class is made on first use, below its superclass, and kept for the process.
#include <QApplication>
#include <cstring>
#include <map>
#include <mutex>

#include "mui_internal.h"

namespace host::mui {

namespace {

#define MUI_CLASS_ENTRY(NAME) &NAME##_CLASS,
const ClassDescriptor* const BUILTIN[] = {MUI_BUILTIN_CLASSES(MUI_CLASS_ENTRY)};
#undef MUI_CLASS_ENTRY

}  // namespace

void ensure_qt_application() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "vellum";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
}

struct IClass* class_of(const ClassDescriptor& descriptor) {
  static std::recursive_mutex lock;
  // Kept for the whole process, like the classes themselves.
  static auto& made = *new std::map<const ClassDescriptor*, struct IClass*>;
  std::lock_guard<std::recursive_mutex> guard(lock);
  auto found = made.find(&descriptor);
  if (found != made.end()) return found->second;
  struct IClass* super = descriptor.super ? class_of(*descriptor.super) : nullptr;
  struct IClass* cl = MakeClass(nullptr, super ? nullptr : ROOTCLASS, super, descriptor.instanceSize, 0);
  if (cl) SetClassDispatcher(cl, descriptor.dispatcher);
  made[&descriptor] = cl;
  return cl;
}

struct IClass* builtin_class(CONST_STRPTR name) {
  for (const ClassDescriptor* descriptor : BUILTIN)
    if (std::strcmp(descriptor->name, name) == 0) return class_of(*descriptor);
  return nullptr;
}

}  // namespace host::mui
