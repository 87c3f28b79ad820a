// NewPPCStackSwap: the worker runs on a thread whose stack is the caller's
// block, and the caller waits for it, so the call blocks as a stack swap
// does and the worker gets every byte of the block.
#include <pthread.h>

#include <climits>

#include "internal.h"

namespace {

struct SwapCall {
  StackSwapFunc func;
  const struct PPCStackSwapArgs* args;
  struct Task* task;
  IPTR result;
};

void* run_swapped(void* data) {
  auto* call = static_cast<SwapCall*>(data);
  host::adopt_task(call->task);
  call->result = call->func(call->args);
  return nullptr;
}

}  // namespace

extern "C" IPTR NewPPCStackSwap(struct StackSwapStruct* sss, StackSwapFunc func,
                                const struct PPCStackSwapArgs* args) {
  if (!func) return 0;
  SwapCall call{func, args, FindTask(nullptr), 0};
  // The stack must be 16-byte aligned at both ends; the pointer given is
  // the top the worker starts from.
  IPTR lower = sss ? (reinterpret_cast<IPTR>(sss->stk_Lower) + 15) & ~IPTR{15} : 0;
  IPTR top = sss ? reinterpret_cast<IPTR>(sss->stk_Pointer) & ~IPTR{15} : 0;
  pthread_attr_t attr;
  pthread_t thread;
  bool started = false;
  // A block too small for a thread is not usable as a stack; the worker
  // then runs on the caller's own stack, which is no smaller.
  if (sss && top > lower && size_t(top - lower) >= size_t(PTHREAD_STACK_MIN) &&
      top <= sss->stk_Upper && pthread_attr_init(&attr) == 0) {
    if (pthread_attr_setstack(&attr, reinterpret_cast<void*>(lower), size_t(top - lower)) == 0)
      started = pthread_create(&thread, &attr, run_swapped, &call) == 0;
    pthread_attr_destroy(&attr);
  }
  if (started)
    pthread_join(thread, nullptr);
  else
    call.result = func(args);
  return call.result;
}
