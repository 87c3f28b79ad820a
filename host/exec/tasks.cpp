// Tasks and signals. Each thread gets a task record on first use; a thread
// started by NewPPCStackSwap runs as its caller's task. The terminal's
// Ctrl-C (SIGINT) raises SIGBREAKF_CTRL_C in the main task once any task
// has asked about signals; until then Ctrl-C ends the program as usual.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>

#include "internal.h"

namespace {

struct HostTask {
  struct Task task;  // first, so a Task pointer is the HostTask pointer
  std::mutex lock;
  std::condition_variable wake;
};

HostTask main_task;
thread_local HostTask* current_task = nullptr;
std::atomic<bool> break_pending{false};
std::once_flag break_handler_installed;

void on_sigint(int) { break_pending.store(true); }

void install_break_handler() {
  std::call_once(break_handler_installed, [] {
    struct sigaction action = {};
    action.sa_handler = on_sigint;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
  });
}

HostTask* self() {
  if (!current_task) {
    if (gettid() == getpid()) {
      current_task = &main_task;
    } else {
      static thread_local HostTask thread_task;
      current_task = &thread_task;
    }
    current_task->task.tc_Node.ln_Type = NT_TASK;
    current_task->task.tc_SigAlloc = SYS_SIGALLOC;
  }
  return current_task;
}

HostTask* host_task(struct Task* task) { return reinterpret_cast<HostTask*>(task); }

// Moves a pending Ctrl-C into the main task's received signals. Caller
// holds the main task's lock.
void collect_break(HostTask* task) {
  if (task == &main_task && break_pending.exchange(false)) task->task.tc_SigRecvd |= SIGBREAKF_CTRL_C;
}

}  // namespace

namespace host {
void adopt_task(struct Task* task) { current_task = host_task(task); }
}  // namespace host

extern "C" struct Task* FindTask(CONST_STRPTR name) {
  // Only the caller's own task can be looked up here.
  return name ? nullptr : &self()->task;
}

extern "C" BYTE AllocSignal(BYTE signalNum) {
  HostTask* task = self();
  std::lock_guard<std::mutex> guard(task->lock);
  ULONG& allocated = task->task.tc_SigAlloc;
  if (signalNum >= 0) {
    if (signalNum > 31 || (allocated & (1UL << signalNum))) return -1;
    allocated |= 1UL << signalNum;
    task->task.tc_SigRecvd &= ~(1UL << signalNum);
    return signalNum;
  }
  for (int bit = 31; bit >= 16; bit--) {
    if (!(allocated & (1UL << bit))) {
      allocated |= 1UL << bit;
      task->task.tc_SigRecvd &= ~(1UL << bit);
      return BYTE(bit);
    }
  }
  return -1;
}

extern "C" void FreeSignal(BYTE signalNum) {
  if (signalNum < 16 || signalNum > 31) return;
  HostTask* task = self();
  std::lock_guard<std::mutex> guard(task->lock);
  task->task.tc_SigAlloc &= ~(1UL << signalNum);
}

extern "C" void Signal(struct Task* task, ULONG signals) {
  if (!task) return;
  HostTask* target = host_task(task);
  {
    std::lock_guard<std::mutex> guard(target->lock);
    target->task.tc_SigRecvd |= signals;
  }
  target->wake.notify_all();
}

extern "C" ULONG SetSignal(ULONG newSignals, ULONG signalMask) {
  install_break_handler();
  HostTask* task = self();
  std::lock_guard<std::mutex> guard(task->lock);
  collect_break(task);
  ULONG old = task->task.tc_SigRecvd;
  task->task.tc_SigRecvd = (old & ~signalMask) | (newSignals & signalMask);
  return old;
}

extern "C" ULONG Wait(ULONG signalSet) {
  install_break_handler();
  if (signalSet == 0) return 0;  // would never return on exec
  HostTask* task = self();
  std::unique_lock<std::mutex> guard(task->lock);
  task->task.tc_SigWait = signalSet;
  for (;;) {
    collect_break(task);
    ULONG got = task->task.tc_SigRecvd & signalSet;
    if (got) {
      task->task.tc_SigRecvd &= ~got;
      task->task.tc_SigWait = 0;
      return got;
    }
    // A signal handler cannot take the lock to wake us, so the main task
    // looks for a pending Ctrl-C a few times a second.
    if (task == &main_task)
      task->wake.wait_for(guard, std::chrono::milliseconds(50));
    else
      task->wake.wait(guard);
  }
}
