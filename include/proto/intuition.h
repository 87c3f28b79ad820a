/* intuition.library: the object system, plus the method calls of amiga.lib
   (DoMethod and friends) that programs and classes use with it. */
#ifndef PROTO_INTUITION_H
#define PROTO_INTUITION_H

#include <intuition/classes.h>

EXEC_C_BEGIN

/* Classes. MakeClass makes a class below the public class superID or the
   class superPtr, with instSize bytes of instance data; NULL when the
   superclass is unknown or the size does not fit. FreeClass refuses
   (FALSE) while objects or subclasses exist. */
struct IClass* MakeClass(ClassID classID, ClassID superID, struct IClass* superPtr,
                         ULONG instSize, ULONG flags);
void AddClass(struct IClass* cl);
void RemoveClass(struct IClass* cl);
BOOL FreeClass(struct IClass* cl);

/* Points the class hook at a dispatcher written as (class, object, message). */
void SetClassDispatcher(struct IClass* cl, ClassDispatcher dispatcher);

/* Objects. NewObjectA sends OM_NEW to cl, or to the public class classID
   when cl is NULL; the new object or NULL. */
Object* NewObjectA(struct IClass* cl, ClassID classID, struct TagItem* tags);
void DisposeObject(Object* obj);
ULONG SetAttrsA(Object* obj, struct TagItem* tags);
ULONG GetAttr(ULONG attrID, Object* obj, IPTR* storage);

/* Method calls: to the object's class, to the superclass of cl, or to cl. */
IPTR CallHookPkt(struct Hook* hook, APTR object, APTR message);
IPTR DoMethodA(Object* obj, Msg msg);
IPTR DoSuperMethodA(struct IClass* cl, Object* obj, Msg msg);
IPTR CoerceMethodA(struct IClass* cl, Object* obj, Msg msg);

EXEC_C_END

#ifdef __cplusplus
/* The list forms: each argument becomes one message word or tag word. */
template <typename... Args>
inline IPTR DoMethod(Object* obj, ULONG methodID, Args... args) {
  IPTR words[] = {IPTR(methodID), (IPTR)(args)...};
  return DoMethodA(obj, reinterpret_cast<Msg>(words));
}

template <typename... Args>
inline IPTR DoSuperMethod(struct IClass* cl, Object* obj, ULONG methodID, Args... args) {
  IPTR words[] = {IPTR(methodID), (IPTR)(args)...};
  return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(words));
}

template <typename... Args>
inline IPTR CoerceMethod(struct IClass* cl, Object* obj, ULONG methodID, Args... args) {
  IPTR words[] = {IPTR(methodID), (IPTR)(args)...};
  return CoerceMethodA(cl, obj, reinterpret_cast<Msg>(words));
}

/* Tag, value, tag, value ..., ended by TAG_DONE, as a TagItem array. */
template <size_t N>
struct TagList {
  struct TagItem items[N / 2 + 1];
};
template <typename... Args>
inline auto MakeTagList(Args... args) {
  static_assert(sizeof...(Args) % 2 == 1, "tags come in pairs and end with TAG_DONE");
  IPTR words[] = {(IPTR)(args)...};
  TagList<sizeof...(Args)> list{};
  for (size_t i = 0; i + 1 < sizeof...(Args); i += 2) {
    list.items[i / 2].ti_Tag = Tag(words[i]);
    list.items[i / 2].ti_Data = words[i + 1];
  }
  list.items[sizeof...(Args) / 2].ti_Tag = TAG_DONE;
  return list;
}

template <typename... Args>
inline Object* NewObject(struct IClass* cl, ClassID classID, Args... tags) {
  auto list = MakeTagList(tags...);
  return NewObjectA(cl, classID, list.items);
}

template <typename... Args>
inline ULONG SetAttrs(Object* obj, Args... tags) {
  auto list = MakeTagList(tags...);
  return SetAttrsA(obj, list.items);
}
#endif

#endif
