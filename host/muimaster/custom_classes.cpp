// Custom classes, external classes and the object calls of muimaster.
// An external class is the class library LIBS:MUI/<name>; it is opened on
// first use, asked for its class with ClassQuery(0), and closed again when
// its last object made through MUI_NewObjectA has been disposed.
#include <cstring>
#include <string>
#include <vector>

#include <emul/emulinterface.h>
#include <proto/exec.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

// The query function at offset -30 of a class library.
constexpr int CLASS_QUERY_OFFSET = -30;
using ClassQueryFunc = struct MUI_CustomClass* (*)(LONG which);

struct ExternalClass {
  std::string name;
  struct Library* module;
  struct MUI_CustomClass* mcc;
  ULONG users;  // MUI_GetClass calls not yet matched by MUI_FreeClass
};

std::vector<ExternalClass>& external_classes() {
  static std::vector<ExternalClass> classes;
  return classes;
}

struct IClass* open_external(CONST_STRPTR name) {
  for (ExternalClass& entry : external_classes()) {
    if (entry.name == name) {
      entry.users++;
      return entry.mcc->mcc_Class;
    }
  }
  // Class names are plain names; anything with a path in it is refused.
  if (std::strchr(name, '/') || std::strchr(name, ':')) return nullptr;
  std::string path = std::string("MUI/") + name;
  struct Library* module = OpenLibrary(path.c_str(), 0);
  if (!module) return nullptr;
  auto query = reinterpret_cast<ClassQueryFunc>(LIB_VECTOR(module, CLASS_QUERY_OFFSET));
  struct MUI_CustomClass* mcc = query ? query(0) : nullptr;
  if (!mcc || !mcc->mcc_Class) {
    CloseLibrary(module);
    return nullptr;
  }
  external_classes().push_back({name, module, mcc, 1});
  return mcc->mcc_Class;
}

struct Library* open_any(CONST_STRPTR name) { return OpenLibrary(name, 0); }
}  // namespace

}  // namespace host::mui

using namespace host::mui;

extern "C" struct IClass* MUI_GetClass(CONST_STRPTR className) {
  if (!className || !*className) return nullptr;
  if (struct IClass* cl = builtin_class(className)) return cl;
  return open_external(className);
}

extern "C" void MUI_FreeClass(struct IClass* cl) {
  auto& classes = external_classes();
  for (auto entry = classes.begin(); entry != classes.end(); ++entry) {
    if (entry->mcc->mcc_Class != cl) continue;
    if (--entry->users == 0) {
      struct Library* module = entry->module;
      classes.erase(entry);
      CloseLibrary(module);
    }
    return;
  }
}

extern "C" Object* MUI_NewObjectA(CONST_STRPTR className, struct TagItem* tags) {
  struct IClass* cl = MUI_GetClass(className);
  if (!cl) return nullptr;
  Object* obj = NewObjectA(cl, nullptr, tags);
  if (!obj) MUI_FreeClass(cl);
  return obj;
}

extern "C" void MUI_DisposeObject(Object* obj) {
  if (!obj) return;
  struct IClass* cl = OCLASS(obj);
  DisposeObject(obj);
  MUI_FreeClass(cl);
}

extern "C" struct MUI_CustomClass* MUI_CreateCustomClass(struct Library* base,
                                                         CONST_STRPTR supername,
                                                         struct MUI_CustomClass* supermcc,
                                                         ULONG dataSize, APTR dispatcher) {
  // The dispatcher is a gate to a native function, as on the real system.
  auto* gate = static_cast<const struct EmulLibEntry*>(dispatcher);
  if (!gate || gate->Trap != TRAP_LIB || !gate->Func) return nullptr;
  struct IClass* super = supermcc ? supermcc->mcc_Class : MUI_GetClass(supername);
  if (!super) return nullptr;
  struct IClass* cl = MakeClass(nullptr, nullptr, super, dataSize, 0);
  auto* mcc = static_cast<struct MUI_CustomClass*>(AllocVec(sizeof(struct MUI_CustomClass), MEMF_CLEAR));
  if (!cl || !mcc) {
    FreeClass(cl);
    FreeVec(mcc);
    if (!supermcc) MUI_FreeClass(super);
    return nullptr;
  }
  SetClassDispatcher(cl, reinterpret_cast<ClassDispatcher>(gate->Func));
  cl->cl_UserData = reinterpret_cast<IPTR>(mcc);
  mcc->mcc_Class = cl;
  mcc->mcc_Super = super;
  mcc->mcc_Module = base;
  mcc->mcc_UtilityBase = open_any("utility.library");
  mcc->mcc_DOSBase = open_any("dos.library");
  mcc->mcc_GfxBase = open_any("graphics.library");
  mcc->mcc_IntuitionBase = open_any("intuition.library");
  mcc->mcc_NamedSuper = supermcc ? nullptr : super;
  return mcc;
}

extern "C" BOOL MUI_DeleteCustomClass(struct MUI_CustomClass* mcc) {
  if (!mcc) return FALSE;
  if (!FreeClass(mcc->mcc_Class)) return FALSE;  // objects or subclasses remain
  CloseLibrary(mcc->mcc_IntuitionBase);
  CloseLibrary(mcc->mcc_GfxBase);
  CloseLibrary(mcc->mcc_DOSBase);
  CloseLibrary(mcc->mcc_UtilityBase);
  if (mcc->mcc_NamedSuper) MUI_FreeClass(mcc->mcc_NamedSuper);
  FreeVec(mcc);
  return TRUE;
}
