#include "tools/common/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <host/path.h>

namespace vellum::tools {
namespace {

// A regular file may be reached through a symbolic link; the temporary file
// then goes beside the file itself, so the rename replaces the file and the
// link stays a link.
std::string resolved(const std::string& path) {
  char real[PATH_MAX];
  return ::realpath(path.c_str(), real) ? std::string(real) : path;
}

std::string folder_of(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a fresh hidden file beside target. O_EXCL means a name already
// taken (by another thread or program) is never opened twice.
int create_beside(const std::string& target, std::string* temp) {
  static std::atomic<unsigned> counter{0};
  const std::string stem = folder_of(target) + "/." + name_of(target) + "." + std::to_string(::getpid()) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temp = stem + std::to_string(counter++) + ".tmp";
    const int fd = ::open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

OutputFile::~OutputFile() { discard(); }

bool OutputFile::fail(int error) {
  if (!failed_) reason_ = std::strerror(error);
  failed_ = true;
  return false;
}

void OutputFile::discard() {
  if (owns_fd_ && fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
  fd_ = -1;
  owns_fd_ = false;
  temp_.clear();
}

bool OutputFile::open(const std::string& name) {
  // Names on a volume (RAM:, assigns) go through the host's path road.
  const std::string target = name == "-" ? name : host_path_of(name.c_str());
  discard();
  failed_ = false;
  reason_.clear();
  target_ = target;
  if (target == "-") {
    fd_ = STDOUT_FILENO;
    return true;
  }
  if (target.empty()) return fail(ENOENT);  // a volume nobody assigned
  struct stat info;
  const bool exists = ::stat(target.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) return fail(EISDIR);
  owns_fd_ = true;
  if (exists && !S_ISREG(info.st_mode)) {
    fd_ = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    return fd_ >= 0 || fail(errno);
  }
  if (exists) target_ = resolved(target);
  fd_ = create_beside(target_, &temp_);
  if (fd_ < 0) {
    temp_.clear();
    return fail(errno);
  }
  // A replaced file keeps its permissions.
  if (exists && ::fchmod(fd_, info.st_mode & 07777) != 0) return fail(errno);
  return true;
}

bool OutputFile::write(const void* data, size_t size) {
  if (failed_ || fd_ < 0) return false;
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd_, bytes, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    bytes += n;
    size -= size_t(n);
  }
  return true;
}

bool OutputFile::commit() {
  if (failed_ || fd_ < 0) {
    discard();
    return false;
  }
  if (temp_.empty()) {
    // In place: a pipe or terminal cannot be synced, which is no failure.
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) fail(errno);
    if (owns_fd_ && ::close(fd_) != 0 && !failed_) fail(errno);
    owns_fd_ = false;
    fd_ = -1;
    return !failed_;
  }
  if (::fsync(fd_) != 0) fail(errno);
  const int closed = ::close(fd_);
  owns_fd_ = false;
  fd_ = -1;
  if (closed != 0) fail(errno);
  if (!failed_ && ::rename(temp_.c_str(), target_.c_str()) != 0) fail(errno);
  if (failed_) {
    discard();
    return false;
  }
  temp_.clear();
  return true;
}

}  // namespace vellum::tools
