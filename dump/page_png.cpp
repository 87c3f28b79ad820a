#include "page_png.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace quiredump {
namespace {

cairo_status_t write_to_file(void* closure, const unsigned char* data, unsigned int length) {
  return std::fwrite(data, 1, length, static_cast<std::FILE*>(closure)) == length ? CAIRO_STATUS_SUCCESS
                                                                                 : CAIRO_STATUS_WRITE_ERROR;
}

std::string folder_of(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string write_png_replacing(cairo_surface_t* surface, const std::string& path) {
  std::string temporary = folder_of(path) + "/.quiredump-XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return std::string("cannot create a file beside it: ") + std::strerror(errno);
  // mkstemp makes the file private; the PNG gets the usual permissions.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  std::FILE* file = fdopen(fd, "wb");
  if (!file) {
    close(fd);
    unlink(temporary.c_str());
    return std::string("cannot write: ") + std::strerror(errno);
  }
  const cairo_status_t status = cairo_surface_write_to_png_stream(surface, write_to_file, file);
  const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  const int saved_errno = errno;
  const bool closed = std::fclose(file) == 0;
  std::string problem;
  if (status != CAIRO_STATUS_SUCCESS)
    problem = cairo_status_to_string(status);
  else if (!flushed || !closed)
    problem = std::string("cannot write: ") + std::strerror(saved_errno);
  else if (std::rename(temporary.c_str(), path.c_str()) != 0)
    problem = std::string("cannot replace it: ") + std::strerror(errno);
  if (!problem.empty()) unlink(temporary.c_str());
  return problem;
}

}  // namespace quiredump
