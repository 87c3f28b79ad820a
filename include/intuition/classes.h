/* Classes and objects. An object is a block of instance data preceded by
   a small header naming its class; each class in the chain owns a slice
   of the block at cl_InstOffset, superclass slices first. */
#ifndef INTUITION_CLASSES_H
#define INTUITION_CLASSES_H

#include <intuition/classusr.h>
#include <utility/hooks.h>

struct IClass;
typedef IPTR (*ClassDispatcher)(struct IClass* cl, Object* obj, Msg msg);

typedef struct IClass {
  struct Hook cl_Dispatcher; /* first: a class is its own hook */
  ULONG cl_Reserved;
  struct IClass* cl_Super;
  ClassID cl_ID;             /* public name, or NULL for a private class */
  UWORD cl_InstOffset;       /* where this class's slice starts */
  UWORD cl_InstSize;         /* size of the slice */
  IPTR cl_UserData;
  ULONG cl_SubclassCount;
  ULONG cl_ObjectCount;
  ULONG cl_Flags;
} Class;

#define CLF_INLIST 0x00000001 /* on the public class list */

/* The header in front of every object's instance data. */
struct _Object {
  struct MinNode o_Node;
  struct IClass* o_Class;
};

#define _OBJ(o) ((struct _Object*)(o))
#define BASEOBJECT(o) ((Object*)(_OBJ(o) + 1))
#define _OBJECT(o) (_OBJ(o) - 1)
#define OCLASS(o) (_OBJECT(o)->o_Class)
#define INST_DATA(cl, o) ((APTR)(((UBYTE*)(o)) + (cl)->cl_InstOffset))
#define SIZEOF_INSTANCE(cl) ((cl)->cl_InstOffset + (cl)->cl_InstSize + sizeof(struct _Object))

#define ROOTCLASS "rootclass"

#endif
