/* Tasks as far as signals go: every thread that asks gets a task record. */
#ifndef EXEC_TASKS_H
#define EXEC_TASKS_H

#include <exec/nodes.h>

struct Task {
  struct Node tc_Node;
  ULONG tc_SigAlloc;
  ULONG tc_SigWait;
  ULONG tc_SigRecvd;
  APTR tc_UserData;
};

#define SIGB_ABORT 0
#define SIGB_CHILD 1
#define SIGB_SINGLE 4
#define SIGB_DOS 8
#define SIGBREAKB_CTRL_C 12
#define SIGBREAKB_CTRL_D 13
#define SIGBREAKB_CTRL_E 14
#define SIGBREAKB_CTRL_F 15

#define SIGF_SINGLE (1UL << SIGB_SINGLE)
#define SIGBREAKF_CTRL_C (1UL << SIGBREAKB_CTRL_C)
#define SIGBREAKF_CTRL_D (1UL << SIGBREAKB_CTRL_D)
#define SIGBREAKF_CTRL_E (1UL << SIGBREAKB_CTRL_E)
#define SIGBREAKF_CTRL_F (1UL << SIGBREAKB_CTRL_F)

/* Signals 0-15 belong to the system; AllocSignal hands out 16-31. */
#define SYS_SIGALLOC 0xFFFFUL

#endif
