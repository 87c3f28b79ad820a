// exec lists: the header doubles as the head and tail sentinel nodes.
#include <cstring>

#include "internal.h"

extern "C" void NewList(struct List* list) {
  list->lh_Head = reinterpret_cast<struct Node*>(&list->lh_Tail);
  list->lh_Tail = nullptr;
  list->lh_TailPred = reinterpret_cast<struct Node*>(&list->lh_Head);
}

extern "C" void AddHead(struct List* list, struct Node* node) {
  node->ln_Succ = list->lh_Head;
  node->ln_Pred = reinterpret_cast<struct Node*>(&list->lh_Head);
  list->lh_Head->ln_Pred = node;
  list->lh_Head = node;
}

extern "C" void AddTail(struct List* list, struct Node* node) {
  node->ln_Succ = reinterpret_cast<struct Node*>(&list->lh_Tail);
  node->ln_Pred = list->lh_TailPred;
  list->lh_TailPred->ln_Succ = node;
  list->lh_TailPred = node;
}

extern "C" void Remove(struct Node* node) {
  node->ln_Pred->ln_Succ = node->ln_Succ;
  node->ln_Succ->ln_Pred = node->ln_Pred;
  node->ln_Succ = nullptr;
  node->ln_Pred = nullptr;
}

extern "C" struct Node* FindName(struct List* list, CONST_STRPTR name) {
  if (!list || !name) return nullptr;
  for (struct Node* node = list->lh_Head; node->ln_Succ; node = node->ln_Succ)
    if (node->ln_Name && std::strcmp(node->ln_Name, name) == 0) return node;
  return nullptr;
}
