/* The library base every shared library starts with. The vector table lies
   just below the base: the function at offset -6k is ((APTR*)base)[-k]. */
#ifndef EXEC_LIBRARIES_H
#define EXEC_LIBRARIES_H

#include <exec/nodes.h>

#define LIB_VECTSIZE 6 /* bytes per vector in offset arithmetic */
#define LIB_RESERVED 4 /* open, close, expunge, reserved */
#define LIB_BASE (-LIB_VECTSIZE)
#define LIB_USERDEF (LIB_BASE - (LIB_RESERVED * LIB_VECTSIZE)) /* -30 */

/* Offsets of the four standard vectors. */
#define LIB_OPEN (-6)
#define LIB_CLOSE (-12)
#define LIB_EXPUNGE (-18)
#define LIB_EXTFUNC (-24)

struct Library {
  struct Node lib_Node;
  UBYTE lib_Flags;
  UBYTE lib_pad;
  UWORD lib_NegSize;  /* bytes of vector table below the base */
  UWORD lib_PosSize;  /* bytes of the base itself */
  UWORD lib_Version;
  UWORD lib_Revision;
  APTR lib_IdString;
  ULONG lib_Sum;
  UWORD lib_OpenCnt;
};

#define LIBF_SUMMING 0x01
#define LIBF_CHANGED 0x02
#define LIBF_SUMUSED 0x04
#define LIBF_DELEXP 0x08

/* Function arrays handed to MakeLibrary: a marker, the pointers in offset
   order from -6 downwards, and the end word. */
#define FUNCARRAY_32BIT_NATIVE ((APTR)(IPTR)0xFFFEFFFE)
#define FUNCARRAY_END ((APTR)(IPTR)0xFFFFFFFF)

/* The function behind offset `offset` (a negative multiple of 6). */
#define LIB_VECTOR(base, offset) (((APTR*)(base))[(offset) / LIB_VECTSIZE])

#endif
