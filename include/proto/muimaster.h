/* muimaster.library: making MUI objects and classes. */
#ifndef PROTO_MUIMASTER_H
#define PROTO_MUIMASTER_H

#include <libraries/mui.h>
#include <proto/intuition.h>

EXEC_C_BEGIN

/* An object of the built-in class `className`, or of the external class
   of that name loaded from LIBS:MUI/. NULL when the class is unknown or
   refuses the tags. */
Object* MUI_NewObjectA(CONST_STRPTR className, struct TagItem* tags);
void MUI_DisposeObject(Object* obj);

/* A class below the MUI class supername (or supermcc) with dataSize bytes
   of instance data, dispatched through the gate `dispatcher` (a struct
   EmulLibEntry). base is the class library, or NULL. */
struct MUI_CustomClass* MUI_CreateCustomClass(struct Library* base, CONST_STRPTR supername,
                                              struct MUI_CustomClass* supermcc, ULONG dataSize,
                                              APTR dispatcher);
BOOL MUI_DeleteCustomClass(struct MUI_CustomClass* mcc);

/* The class behind a built-in or external class name; pair with MUI_FreeClass. */
struct IClass* MUI_GetClass(CONST_STRPTR className);
void MUI_FreeClass(struct IClass* cl);

EXEC_C_END

#ifdef __cplusplus
template <typename... Args>
inline Object* MUI_NewObject(CONST_STRPTR className, Args... tags) {
  auto list = MakeTagList(tags...);
  return MUI_NewObjectA(className, list.items);
}
#endif

#endif
