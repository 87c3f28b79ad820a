#include "tools/common/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <host/path.h>

#include "tools/common/exit_codes.h"

namespace vellum::tools {
namespace {

InputRead failure(int code, std::string reason) { return {code, std::move(reason)}; }

InputRead failure_from_errno(int error) { return {EXIT_UNREADABLE, std::strerror(error)}; }

std::string too_large(size_t max_bytes) {
  return "larger than the limit of " + std::to_string(max_bytes) + " bytes";
}

// What a non-regular file is, for the refusal.
const char* kind_of(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a pipe (FIFO); give - to read standard input";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

// Reads fd to its end, failing once more than max_bytes arrive.
InputRead read_all(int fd, size_t max_bytes, std::vector<uint8_t>* bytes) {
  uint8_t chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) return {EXIT_OK, ""};
    if (n < 0) {
      if (errno == EINTR) continue;
      return failure_from_errno(errno);
    }
    if (size_t(n) > max_bytes - bytes->size()) return failure(EXIT_TOO_LARGE, too_large(max_bytes));
    bytes->insert(bytes->end(), chunk, chunk + n);
  }
}

InputRead read_standard_input(size_t max_bytes, std::vector<uint8_t>* bytes) {
  struct stat info;
  if (::fstat(STDIN_FILENO, &info) != 0) return failure_from_errno(errno);
  if (S_ISDIR(info.st_mode)) return failure(EXIT_UNREADABLE, "standard input is a folder");
  if (S_ISREG(info.st_mode) && uint64_t(info.st_size) > max_bytes)
    return failure(EXIT_TOO_LARGE, too_large(max_bytes));
  return read_all(STDIN_FILENO, max_bytes, bytes);
}

}  // namespace

InputRead read_input(const std::string& name, size_t max_bytes, std::vector<uint8_t>* bytes) {
  bytes->clear();
  if (name == "-") return read_standard_input(max_bytes, bytes);
  // Non-blocking, so opening a FIFO without a writer returns at once and
  // the type check below can refuse it.
  const int fd = ::open(host_path_of(name.c_str()).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return failure_from_errno(errno);
  struct stat info;
  InputRead result{EXIT_OK, ""};
  if (::fstat(fd, &info) != 0) result = failure_from_errno(errno);
  else if (!S_ISREG(info.st_mode)) result = failure(EXIT_UNREADABLE, kind_of(info.st_mode));
  else if (uint64_t(info.st_size) > max_bytes) result = failure(EXIT_TOO_LARGE, too_large(max_bytes));
  else {
    bytes->reserve(size_t(info.st_size));
    result = read_all(fd, max_bytes, bytes);
  }
  ::close(fd);
  if (result.code != EXIT_OK) bytes->clear();
  return result;
}

}  // namespace vellum::tools
