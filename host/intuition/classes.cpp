// Classes: making, publishing and freeing them, and rootclass, the class
// at the top of every chain, which allocates and frees objects.
#include <cstring>
#include <mutex>

#include <proto/exec.h>
#include <proto/intuition.h>

#include "class_list.h"

namespace {

// Slices start pointer-aligned so every class can keep pointers in its data.
constexpr ULONG SLICE_ALIGN = sizeof(IPTR);

std::recursive_mutex& class_lock() {
  static std::recursive_mutex lock;
  return lock;
}

struct List& public_classes() {
  static struct List list = [] {
    struct List l;
    NewList(&l);
    return l;
  }();
  return list;
}

IPTR root_new(struct IClass* trueClass) {
  ULONG size = SIZEOF_INSTANCE(trueClass);
  auto* header = static_cast<struct _Object*>(AllocVec(size, MEMF_PUBLIC | MEMF_CLEAR));
  if (!header) return 0;
  header->o_Class = trueClass;
  {
    std::lock_guard<std::recursive_mutex> guard(class_lock());
    trueClass->cl_ObjectCount++;
  }
  return reinterpret_cast<IPTR>(BASEOBJECT(header));
}

void root_dispose(Object* obj) {
  struct IClass* trueClass = OCLASS(obj);
  {
    std::lock_guard<std::recursive_mutex> guard(class_lock());
    trueClass->cl_ObjectCount--;
  }
  FreeVec(_OBJECT(obj));
}

IPTR root_dispatcher(struct IClass*, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    // For OM_NEW the "object" is the class the caller asked for.
    case OM_NEW: return root_new(reinterpret_cast<struct IClass*>(obj));
    case OM_DISPOSE: root_dispose(obj); return 0;
    default: return 0;  // OM_SET, OM_GET and unknown methods: nothing recognised
  }
}

IPTR class_hook_entry(struct Hook* hook, APTR object, APTR message) {
  auto dispatcher = reinterpret_cast<ClassDispatcher>(hook->h_SubEntry);
  return dispatcher(reinterpret_cast<struct IClass*>(hook), static_cast<Object*>(object),
                    static_cast<Msg>(message));
}

struct IClass* root_class() {
  static struct IClass* root = [] {
    auto* cl = static_cast<struct IClass*>(AllocVec(sizeof(struct IClass), MEMF_CLEAR));
    cl->cl_ID = ROOTCLASS;
    SetClassDispatcher(cl, root_dispatcher);
    AddClass(cl);
    return cl;
  }();
  return root;
}

struct IClass* find_public_class(ClassID id) {
  if (!id) return nullptr;
  if (std::strcmp(id, ROOTCLASS) == 0) return root_class();
  std::lock_guard<std::recursive_mutex> guard(class_lock());
  for (struct Node* node = public_classes().lh_Head; node->ln_Succ; node = node->ln_Succ) {
    auto* cl = reinterpret_cast<struct IClass*>(node);  // the hook's MinNode starts the class
    if (cl->cl_ID && std::strcmp(cl->cl_ID, id) == 0) return cl;
  }
  return nullptr;
}

}  // namespace

namespace host {
struct IClass* public_class(ClassID id) { return find_public_class(id); }
}  // namespace host

extern "C" void SetClassDispatcher(struct IClass* cl, ClassDispatcher dispatcher) {
  cl->cl_Dispatcher.h_Entry = class_hook_entry;
  cl->cl_Dispatcher.h_SubEntry = reinterpret_cast<APTR>(dispatcher);
}

extern "C" struct IClass* MakeClass(ClassID classID, ClassID superID, struct IClass* superPtr,
                                   ULONG instSize, ULONG) {
  struct IClass* super = superPtr ? superPtr : find_public_class(superID);
  if (!super) return nullptr;
  ULONG offset = super->cl_InstOffset + super->cl_InstSize;
  offset = (offset + SLICE_ALIGN - 1) / SLICE_ALIGN * SLICE_ALIGN;
  // Both fields are 16-bit; the whole object must stay addressable by them.
  if (instSize > 0xFFFF || offset + instSize > 0xFFFF) return nullptr;
  auto* cl = static_cast<struct IClass*>(AllocVec(sizeof(struct IClass), MEMF_PUBLIC | MEMF_CLEAR));
  if (!cl) return nullptr;
  cl->cl_Super = super;
  cl->cl_ID = classID;
  cl->cl_InstOffset = UWORD(offset);
  cl->cl_InstSize = UWORD(instSize);
  std::lock_guard<std::recursive_mutex> guard(class_lock());
  super->cl_SubclassCount++;
  return cl;
}

extern "C" void AddClass(struct IClass* cl) {
  if (!cl || (cl->cl_Flags & CLF_INLIST)) return;
  std::lock_guard<std::recursive_mutex> guard(class_lock());
  AddTail(&public_classes(), reinterpret_cast<struct Node*>(&cl->cl_Dispatcher.h_MinNode));
  cl->cl_Flags |= CLF_INLIST;
}

extern "C" void RemoveClass(struct IClass* cl) {
  if (!cl || !(cl->cl_Flags & CLF_INLIST)) return;
  std::lock_guard<std::recursive_mutex> guard(class_lock());
  Remove(reinterpret_cast<struct Node*>(&cl->cl_Dispatcher.h_MinNode));
  cl->cl_Flags &= ~CLF_INLIST;
}

extern "C" BOOL FreeClass(struct IClass* cl) {
  if (!cl) return FALSE;
  std::lock_guard<std::recursive_mutex> guard(class_lock());
  if (cl->cl_ObjectCount || cl->cl_SubclassCount || cl == root_class()) return FALSE;
  RemoveClass(cl);
  if (cl->cl_Super) cl->cl_Super->cl_SubclassCount--;
  FreeVec(cl);
  return TRUE;
}
