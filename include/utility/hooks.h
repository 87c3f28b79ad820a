/* Hooks: a callback with its data, called as h_Entry(hook, object, message). */
#ifndef UTILITY_HOOKS_H
#define UTILITY_HOOKS_H

#include <exec/nodes.h>

struct Hook;
typedef IPTR (*HOOKFUNC)(struct Hook* hook, APTR object, APTR message);

struct Hook {
  struct MinNode h_MinNode;
  HOOKFUNC h_Entry;   /* called first */
  APTR h_SubEntry;    /* the real function, when h_Entry is a trampoline */
  APTR h_Data;        /* owner's data */
};

#endif
