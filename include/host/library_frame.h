/* The library frame every module of this system shares: the open count,
   the delayed expunge, the release of the base with its vector table, and
   the debug lines a module asks for. A module keeps only its own function
   table, its base fields and the hooks below. */
#ifndef HOST_LIBRARY_FRAME_H
#define HOST_LIBRARY_FRAME_H

#include <exec/libraries.h>
#include <exec/resident.h>

/* Every framed base starts with these two fields, in this order; a module
   declares them itself (its base layout is public) and the frame checks. */
struct LibraryFrameHead {
  struct Library LibNode;
  BPTR SegList;
};

/* Asks the frame for the entry points' debug lines on the serial port. */
#define LIBRARY_FRAME_DEBUG_LINES 0x1

/* What a module tells the frame. Every hook may be NULL, and every hook
   runs under Forbid. */
struct LibraryFrame {
  const char* Name;
  const char* IdString;
  UWORD Version;
  ULONG BaseSize;
  ULONG Flags;
  /* The base is made, its segment list stored; FALSE gives the base back
     and the library does not come up. */
  BOOL (*Init)(struct Library* base, struct ExecBase* sysbase);
  /* An open that takes the count from 0 to 1; FALSE refuses the open. */
  BOOL (*FirstOpen)(struct Library* base);
  /* A close that takes the count to 0. */
  void (*LastClose)(struct Library* base);
  /* An expunge with nobody holding the library, before it leaves the list;
     FALSE keeps it loaded, to go at a later last close. */
  BOOL (*Expunge)(struct Library* base);
};

EXEC_C_BEGIN

/* The frame's entry points for a module described by frame. */
struct Library* LibInit(struct Library* base, BPTR seglist, struct ExecBase* sysbase,
                        const struct LibraryFrame* frame);
struct Library* LibMake(const APTR* functions, BPTR seglist, struct ExecBase* sysbase,
                        const struct LibraryFrame* frame);
struct Library* LibOpen(struct Library* base, const struct LibraryFrame* frame);
BPTR LibClose(struct Library* base, const struct LibraryFrame* frame);
BPTR LibExpunge(struct Library* base, const struct LibraryFrame* frame);
IPTR LibReserved(const struct LibraryFrame* frame);

EXEC_C_END

#ifdef __cplusplus
#include <cstddef>

/* The vectors of one module, bound to its frame: the four standard entry
   points, the auto-init routine and the direct init. */
template <const struct LibraryFrame& Frame>
struct LibraryVectors {
  static struct Library* Open(struct Library* base) { return LibOpen(base, &Frame); }
  static BPTR Close(struct Library* base) { return LibClose(base, &Frame); }
  static BPTR Expunge(struct Library* base) { return LibExpunge(base, &Frame); }
  static IPTR Reserved() { return LibReserved(&Frame); }
  static struct Library* Init(struct Library* base, BPTR seglist, struct ExecBase* sysbase) {
    return LibInit(base, seglist, sysbase, &Frame);
  }
};

/* The first four slots of a framed module's function array, after the marker. */
#define LIBRARY_FRAME_VECTORS(frame)                                                     \
  FUNCARRAY_32BIT_NATIVE, function_slot(LibraryVectors<frame>::Open),                    \
      function_slot(LibraryVectors<frame>::Close), function_slot(LibraryVectors<frame>::Expunge), \
      function_slot(LibraryVectors<frame>::Reserved)

/* The auto-init table and the exported resident tag of a framed module;
   at file scope, after the frame and the function array. */
#define LIBRARY_FRAME_RESIDENT(frame, functions)                                                        \
  static const struct InitTable ModuleInitTable = {(frame).BaseSize, functions, nullptr,                \
                                                   LibraryVectors<frame>::Init};                         \
  extern "C" MODULE_EXPORT const struct Resident ModuleResident =                                        \
      auto_init_resident(&ModuleResident, functions, (frame).Name, (frame).IdString, &ModuleInitTable)

/* Whether Base starts with the frame's head. */
template <typename Base>
constexpr bool starts_with_frame_head() {
  return offsetof(Base, LibNode) == 0 && offsetof(Base, SegList) == offsetof(LibraryFrameHead, SegList);
}
#endif

#endif
