/* Resident tags: how a module describes itself to the loader. A loadable
   module exports its tag under RESIDENT_SYMBOL. */
#ifndef EXEC_RESIDENT_H
#define EXEC_RESIDENT_H

#include <exec/nodes.h>
#include <exec/types.h>

struct TagItem;
struct Library;
struct ExecBase;

struct Resident {
  UWORD rt_MatchWord;             /* RTC_MATCHWORD */
  const struct Resident* rt_MatchTag; /* points at the tag itself */
  APTR rt_EndSkip;
  UBYTE rt_Flags;
  UBYTE rt_Version;
  UBYTE rt_Type;
  BYTE rt_Pri;
  const char* rt_Name;
  const char* rt_IdString;
  APTR rt_Init;                   /* InitTable with RTF_AUTOINIT, else ResidentInitFunc */
  /* Present with RTF_EXTENDED only. */
  UWORD rt_Revision;
  const struct TagItem* rt_Tags;
};

#define RTC_MATCHWORD 0x4AFC

#define RTF_COLDSTART 0x01
#define RTF_SINGLETASK 0x02
#define RTF_AFTERDOS 0x04
#define RTF_PPC 0x08       /* native code taking arguments from the 68k registers */
#define RTF_EXTENDED 0x40  /* rt_Revision and rt_Tags are valid */
#define RTF_AUTOINIT 0x80

/* The init routine. With RTF_AUTOINIT it is called on the freshly made base;
   without it, base is NULL and the routine makes and adds its library itself.
   Returns the library, or NULL when it could not come up. */
typedef struct Library* (*ResidentInitFunc)(struct Library* base, BPTR seglist,
                                            struct ExecBase* sysbase);

/* The auto-init table that rt_Init points at with RTF_AUTOINIT. */
struct InitTable {
  IPTR it_DataSize;            /* size of the library base */
  const APTR* it_FuncTable;    /* function array */
  const APTR it_DataInit;      /* structure initialisation; must be NULL here */
  ResidentInitFunc it_InitRoutine;
};

#define RESIDENT_SYMBOL "ModuleResident"

#ifdef __cplusplus
/* One slot of a function array, from any function. */
template <typename Function>
inline APTR function_slot(Function function) {
  return reinterpret_cast<APTR>(function);
}

/* The resident tag of an auto-initialising library module, version 1,
   priority 0; `self` is the address of the tag being defined. */
constexpr struct Resident auto_init_resident(const struct Resident* self, const APTR* functions,
                                             const char* name, const char* id,
                                             const struct InitTable* init) {
  return {RTC_MATCHWORD, self, const_cast<APTR*>(functions), RTF_AUTOINIT | RTF_PPC, 1,
          NT_LIBRARY, 0, name, id, const_cast<struct InitTable*>(init), 0, nullptr};
}
#endif

#endif
