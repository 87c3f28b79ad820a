/* The gate that lets a native function stand where 68k code is expected:
   a trap word, an extension word and the function. On this host the
   "registers" the function reads arrive as plain arguments. */
#ifndef EMUL_EMULINTERFACE_H
#define EMUL_EMULINTERFACE_H

#include <exec/types.h>

#define TRAP_LIB 0xFF00   /* native function with 68k register arguments */
#define TRAP_LIBNR 0xFF05 /* the same, result not used */

struct EmulLibEntry {
  UWORD Trap;
  UWORD Extension;
  void (*Func)(void);
};

#endif
