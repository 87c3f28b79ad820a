// Reads one input whole: a regular file by name, or standard input for "-".
// Anything else given by name (a folder, a FIFO, a device) is refused at
// once, without blocking on it, and every refusal carries its reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vellum::tools {

struct InputRead {
  int code;            // EXIT_OK, EXIT_UNREADABLE or EXIT_TOO_LARGE
  std::string reason;  // why not, for the user; empty on success
};

// Fills *bytes with the input's contents, at most max_bytes of them. A file
// whose size passes the limit is refused before anything is read.
InputRead read_input(const std::string& name, size_t max_bytes, std::vector<uint8_t>* bytes);

}  // namespace vellum::tools
