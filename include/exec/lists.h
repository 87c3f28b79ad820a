/* Doubly linked lists with head and tail sentinels folded into the header:
   an empty list has lh_Head pointing at lh_Tail and lh_TailPred at itself. */
#ifndef EXEC_LISTS_H
#define EXEC_LISTS_H

#include <exec/nodes.h>

struct List {
  struct Node* lh_Head;
  struct Node* lh_Tail; /* always NULL */
  struct Node* lh_TailPred;
  UBYTE lh_Type;
  UBYTE l_pad;
};

struct MinList {
  struct MinNode* mlh_Head;
  struct MinNode* mlh_Tail;
  struct MinNode* mlh_TailPred;
};

#define IsListEmpty(l) ((l)->lh_TailPred == (struct Node*)(l))

#endif
