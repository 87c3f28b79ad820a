/* Signal semaphores: recursive locks, shared obtains treated as exclusive. */
#ifndef EXEC_SEMAPHORES_H
#define EXEC_SEMAPHORES_H

#include <pthread.h>
#include <exec/nodes.h>

struct Task;

struct SignalSemaphore {
  struct Node ss_Link;
  WORD ss_NestCount;
  struct Task* ss_Owner;
  pthread_mutex_t ss_Lock; /* host lock behind the semaphore, set by InitSemaphore */
};

#endif
