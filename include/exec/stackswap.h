/* Running a function on a stack the caller provides. */
#ifndef EXEC_STACKSWAP_H
#define EXEC_STACKSWAP_H

#include <exec/types.h>

struct StackSwapStruct {
  APTR stk_Lower;   /* lowest byte of the block */
  IPTR stk_Upper;   /* first byte above the block */
  APTR stk_Pointer; /* initial stack pointer; the stack grows down from here */
};

struct PPCStackSwapArgs {
  IPTR Args[8];
};

/* The worker: it reads its arguments from the array it is handed. */
typedef IPTR (*StackSwapFunc)(const struct PPCStackSwapArgs* args);

#endif
