// Signal semaphores over recursive host mutexes. Shared obtains are taken
// exclusively: slower under contention, never wrong.
#include "internal.h"

extern "C" void InitSemaphore(struct SignalSemaphore* sem) {
  sem->ss_Link.ln_Type = NT_SEMAPHORE;
  sem->ss_NestCount = 0;
  sem->ss_Owner = nullptr;
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(&sem->ss_Lock, &attr);
  pthread_mutexattr_destroy(&attr);
}

extern "C" void ObtainSemaphore(struct SignalSemaphore* sem) {
  pthread_mutex_lock(&sem->ss_Lock);
  sem->ss_Owner = FindTask(nullptr);
  sem->ss_NestCount++;
}

extern "C" void ObtainSemaphoreShared(struct SignalSemaphore* sem) { ObtainSemaphore(sem); }

extern "C" ULONG AttemptSemaphore(struct SignalSemaphore* sem) {
  if (pthread_mutex_trylock(&sem->ss_Lock) != 0) return 0;
  sem->ss_Owner = FindTask(nullptr);
  sem->ss_NestCount++;
  return 1;
}

extern "C" void ReleaseSemaphore(struct SignalSemaphore* sem) {
  if (--sem->ss_NestCount == 0) sem->ss_Owner = nullptr;
  pthread_mutex_unlock(&sem->ss_Lock);
}
