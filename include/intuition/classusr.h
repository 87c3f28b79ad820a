/* Object messages: the layouts every class method receives. Message words
   are STACKED: each field takes one pointer-sized slot, so that DoMethod's
   list of words and the structures below describe the same memory. */
#ifndef INTUITION_CLASSUSR_H
#define INTUITION_CLASSUSR_H

#include <utility/tagitem.h>

#define STACKED __attribute__((aligned(sizeof(IPTR))))

typedef struct _Object Object;
typedef CONST_STRPTR ClassID;

/* Every message starts with the method identifier. The record is named
   so that C++ types holding a dispatcher have linkage. */
typedef struct _Msg {
  STACKED ULONG MethodID;
} *Msg;

#define OM_Dummy 0x100
#define OM_NEW 0x101
#define OM_DISPOSE 0x102
#define OM_SET 0x103
#define OM_GET 0x104
#define OM_ADDTAIL 0x105
#define OM_REMOVE 0x106
#define OM_NOTIFY 0x107
#define OM_UPDATE 0x108
#define OM_ADDMEMBER 0x109
#define OM_REMMEMBER 0x10A

struct GadgetInfo;

/* OM_NEW and OM_SET. For OM_NEW the object argument is the class to make. */
struct opSet {
  STACKED ULONG MethodID;
  STACKED struct TagItem* ops_AttrList;
  STACKED struct GadgetInfo* ops_GInfo;
};

/* OM_GET: the attribute's value goes into *opg_Storage. */
struct opGet {
  STACKED ULONG MethodID;
  STACKED ULONG opg_AttrID;
  STACKED IPTR* opg_Storage;
};

/* OM_ADDMEMBER and OM_REMMEMBER. */
struct opMember {
  STACKED ULONG MethodID;
  STACKED Object* opam_Object;
};

#endif
