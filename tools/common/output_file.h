// Writes one output so that it is replaced whole or not at all. The bytes
// go to a temporary file in the target's folder, which is synced and then
// renamed over the target; a failure removes the temporary file and leaves
// an existing target as it was. "-" writes standard output, and an existing
// device or FIFO (/dev/null, /dev/stdout) is written in place, since there
// is nothing to rename over it.
#pragma once

#include <cstddef>
#include <string>

namespace vellum::tools {

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();  // an output not committed is discarded
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Starts the output; false (see reason()) when it cannot be created.
  bool open(const std::string& target);
  // Appends bytes; after the first failure every call fails.
  bool write(const void* data, size_t size);
  // Syncs and puts the output in place; false when any step failed, in
  // which case the target is untouched.
  bool commit();
  // Why the output failed: "No space left on device", ...
  const std::string& reason() const { return reason_; }

 private:
  bool fail(int error);
  void discard();

  std::string target_;   // where the output ends up
  std::string temp_;     // the temporary file beside it; empty when writing in place
  int fd_ = -1;
  bool owns_fd_ = false; // false for standard output
  bool failed_ = false;
  std::string reason_;
};

}  // namespace vellum::tools
