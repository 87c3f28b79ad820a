#ifndef EXEC_MEMORY_H
#define EXEC_MEMORY_H

#include <exec/types.h>

#define MEMF_ANY 0UL
#define MEMF_PUBLIC (1UL << 0)
#define MEMF_CHIP (1UL << 1)
#define MEMF_FAST (1UL << 2)
#define MEMF_CLEAR (1UL << 16)

#endif
