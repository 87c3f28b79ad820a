#include "tools/vellum-render/commit_queue.h"

namespace vellum::render_tool {
namespace {

constexpr size_t MAX_WAITING = 64;

}  // namespace

CommitQueue::CommitQueue(unsigned threads) {
  for (unsigned i = 0; i < threads; ++i) threads_.emplace_back([this] { run(); });
}

CommitQueue::~CommitQueue() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  ready_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void CommitQueue::submit(std::unique_ptr<tools::OutputFile> output, Done done) {
  if (threads_.empty()) {
    const bool committed = output->commit();
    done(committed, output->reason());
    return;
  }
  std::unique_lock<std::mutex> lock(mutex_);
  room_.wait(lock, [this] { return jobs_.size() < MAX_WAITING; });
  jobs_.push_back(Job{std::move(output), std::move(done)});
  ready_.notify_one();
}

void CommitQueue::run() {
  for (;;) {
    Job job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      ready_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (jobs_.empty()) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    room_.notify_one();
    const bool committed = job.output->commit();
    job.done(committed, job.output->reason());
  }
}

}  // namespace vellum::render_tool
