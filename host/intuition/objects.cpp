// Objects and method calls: every call goes through the class hook of the
// object's class, its superclass, or a given class.
#include <proto/exec.h>
#include <proto/intuition.h>

#include "class_list.h"

extern "C" IPTR CallHookPkt(struct Hook* hook, APTR object, APTR message) {
  if (!hook || !hook->h_Entry) return 0;
  return hook->h_Entry(hook, object, message);
}

extern "C" IPTR DoMethodA(Object* obj, Msg msg) {
  if (!obj || !msg) return 0;
  return CallHookPkt(&OCLASS(obj)->cl_Dispatcher, obj, msg);
}

extern "C" IPTR DoSuperMethodA(struct IClass* cl, Object* obj, Msg msg) {
  if (!cl || !obj || !msg || !cl->cl_Super) return 0;
  return CallHookPkt(&cl->cl_Super->cl_Dispatcher, obj, msg);
}

extern "C" IPTR CoerceMethodA(struct IClass* cl, Object* obj, Msg msg) {
  if (!cl || !obj || !msg) return 0;
  return CallHookPkt(&cl->cl_Dispatcher, obj, msg);
}

extern "C" Object* NewObjectA(struct IClass* cl, ClassID classID, struct TagItem* tags) {
  if (!cl) cl = host::public_class(classID);
  if (!cl) return nullptr;
  struct opSet msg = {OM_NEW, tags, nullptr};
  // OM_NEW travels up the chain with the class itself as the object, so
  // rootclass knows how much instance data to allocate.
  return reinterpret_cast<Object*>(
      CoerceMethodA(cl, reinterpret_cast<Object*>(cl), reinterpret_cast<Msg>(&msg)));
}

extern "C" void DisposeObject(Object* obj) {
  if (!obj) return;
  DoMethod(obj, OM_DISPOSE);
}

extern "C" ULONG SetAttrsA(Object* obj, struct TagItem* tags) {
  if (!obj) return 0;
  struct opSet msg = {OM_SET, tags, nullptr};
  return ULONG(DoMethodA(obj, reinterpret_cast<Msg>(&msg)));
}

extern "C" ULONG GetAttr(ULONG attrID, Object* obj, IPTR* storage) {
  if (!obj || !storage) return 0;
  struct opGet msg = {OM_GET, attrID, storage};
  return ULONG(DoMethodA(obj, reinterpret_cast<Msg>(&msg)));
}
