#ifndef EXEC_EXECBASE_H
#define EXEC_EXECBASE_H

#include <exec/lists.h>
#include <exec/libraries.h>

struct ExecBase {
  struct Library LibNode;
  struct List LibList; /* every library that can be opened by name */
};

#endif
