// Puts written outputs in place on threads of their own. Syncing a file
// waits on the disk, not the processor; with several syncs in flight the
// file system commits them together, so a batch is not held to one disk
// flush per picture while the renderers wait.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "tools/common/output_file.h"

namespace vellum::render_tool {

class CommitQueue {
 public:
  // Called on a committing thread with the output's commit() result.
  using Done = std::function<void(bool committed, const std::string& reason)>;

  // With no threads, submit() commits at once on the caller's thread.
  explicit CommitQueue(unsigned threads);
  ~CommitQueue();  // commits everything submitted, then stops

  // Blocks while too many outputs wait, so open files stay bounded.
  void submit(std::unique_ptr<tools::OutputFile> output, Done done);

 private:
  struct Job {
    std::unique_ptr<tools::OutputFile> output;
    Done done;
  };
  void run();

  std::mutex mutex_;
  std::condition_variable ready_, room_;
  std::deque<Job> jobs_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace vellum::render_tool
