/* List nodes and the node types exec knows. */
#ifndef EXEC_NODES_H
#define EXEC_NODES_H

#include <exec/types.h>

struct Node {
  struct Node* ln_Succ;
  struct Node* ln_Pred;
  UBYTE ln_Type;
  BYTE ln_Pri;
  char* ln_Name;
};

struct MinNode {
  struct MinNode* mln_Succ;
  struct MinNode* mln_Pred;
};

#define NT_UNKNOWN 0
#define NT_TASK 1
#define NT_DEVICE 3
#define NT_RESOURCE 8
#define NT_LIBRARY 9
#define NT_SEMAPHORE 15

#endif
