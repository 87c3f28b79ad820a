// dos locks and files over host file descriptors. A lock and a file handle
// are records of this file; the BPTR a caller holds points at one.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <new>
#include <cstring>
#include <string>

#include <proto/dos.h>

#include "../exec/internal.h"

namespace {

thread_local LONG last_error = 0;

struct HostLock {
  std::string path;
  LONG mode;
};

struct HostFile {
  int fd;
};

LONG error_from_errno(int error) {
  switch (error) {
    case ENOENT: return ERROR_OBJECT_NOT_FOUND;
    case ENOTDIR: return ERROR_DIR_NOT_FOUND;
    case EACCES:
    case EPERM: return ERROR_READ_PROTECTED;
    case EISDIR: return ERROR_OBJECT_WRONG_TYPE;
    case EROFS: return ERROR_WRITE_PROTECTED;
    case ENOSPC: return ERROR_DISK_FULL;
    case ENOMEM: return ERROR_NO_FREE_STORE;
    case EEXIST: return ERROR_OBJECT_EXISTS;
    default: return ERROR_OBJECT_NOT_FOUND;
  }
}

LONG fail(LONG error) {
  last_error = error;
  return 0;
}

// The host path for name, or empty with the error set.
std::string resolve(CONST_STRPTR name) {
  if (!name) {
    last_error = ERROR_OBJECT_NOT_FOUND;
    return {};
  }
  std::string path = host::host_path(name);
  if (path.empty()) last_error = ERROR_DEVICE_NOT_MOUNTED;
  return path;
}

HostFile* file_of(BPTR file) { return reinterpret_cast<HostFile*>(file); }

// Transfers `total` bytes in chunks the host accepts; the count moved, or
// -1 on an error before anything moved.
template <typename Step>
long long transfer(size_t total, Step step) {
  size_t done = 0;
  while (done < total) {
    ssize_t n = step(done, total - done > size_t(SSIZE_MAX) ? size_t(SSIZE_MAX) : total - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      last_error = error_from_errno(errno);
      return done ? (long long)done : -1;
    }
    if (n == 0) break;
    done += size_t(n);
  }
  return (long long)done;
}

}  // namespace

extern "C" LONG IoErr(void) { return last_error; }

extern "C" LONG SetIoErr(LONG result) {
  LONG old = last_error;
  last_error = result;
  return old;
}

extern "C" CONST_STRPTR FilePart(CONST_STRPTR path) { return path ? host::file_part(path) : nullptr; }

extern "C" BPTR Lock(CONST_STRPTR name, LONG accessMode) {
  std::string path = resolve(name);
  if (path.empty()) return 0;
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return fail(error_from_errno(errno));
  auto* lock = new (std::nothrow) HostLock{path, accessMode};
  if (!lock) return fail(ERROR_NO_FREE_STORE);
  return reinterpret_cast<BPTR>(lock);
}

extern "C" void UnLock(BPTR lock) { delete reinterpret_cast<HostLock*>(lock); }

extern "C" LONG Examine(BPTR lock, struct FileInfoBlock* fib) {
  auto* held = reinterpret_cast<HostLock*>(lock);
  if (!held || !fib) return fail(ERROR_OBJECT_NOT_FOUND);
  struct stat info;
  if (stat(held->path.c_str(), &info) != 0) return fail(error_from_errno(errno));
  // fib_Size is 32-bit: a larger file cannot be described, so it is refused
  // instead of reported with a wrong size.
  if (S_ISREG(info.st_mode) && info.st_size > INT32_MAX) return fail(ERROR_OBJECT_TOO_LARGE);
  std::memset(fib, 0, sizeof *fib);
  bool folder = S_ISDIR(info.st_mode);
  fib->fib_DirEntryType = folder ? ST_USERDIR : ST_FILE;
  fib->fib_EntryType = fib->fib_DirEntryType;
  fib->fib_Size = folder ? 0 : LONG(info.st_size);
  fib->fib_NumBlocks = LONG((info.st_size + 511) / 512);
  const char* part = host::file_part(held->path.c_str());
  std::strncpy(fib->fib_FileName, part, sizeof fib->fib_FileName - 1);
  return DOSTRUE;
}

extern "C" BPTR Open(CONST_STRPTR name, LONG accessMode) {
  std::string path = resolve(name);
  if (path.empty()) return 0;
  int flags = accessMode == MODE_NEWFILE     ? O_RDWR | O_CREAT | O_TRUNC
              : accessMode == MODE_READWRITE ? O_RDWR | O_CREAT
                                             : O_RDONLY;
  int fd = open(path.c_str(), flags | O_CLOEXEC, 0644);
  // An existing file opened for reading and writing may still be read
  // when the caller lacks write access.
  if (fd < 0 && accessMode == MODE_OLDFILE && errno == EACCES) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(error_from_errno(errno));
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    close(fd);
    return fail(ERROR_OBJECT_WRONG_TYPE);
  }
  auto* file = new (std::nothrow) HostFile{fd};
  if (!file) {
    close(fd);
    return fail(ERROR_NO_FREE_STORE);
  }
  return reinterpret_cast<BPTR>(file);
}

extern "C" LONG Close(BPTR file) {
  HostFile* handle = file_of(file);
  if (!handle) return DOSTRUE;
  int result = close(handle->fd);
  delete handle;
  return result == 0 ? DOSTRUE : fail(error_from_errno(errno));
}

extern "C" LONG Read(BPTR file, APTR buffer, LONG length) {
  HostFile* handle = file_of(file);
  if (!handle || !buffer || length < 0) return -1;
  long long got = transfer(size_t(length), [&](size_t at, size_t n) {
    return read(handle->fd, static_cast<char*>(buffer) + at, n);
  });
  return LONG(got);
}

extern "C" LONG Write(BPTR file, CONST_APTR buffer, LONG length) {
  HostFile* handle = file_of(file);
  if (!handle || !buffer || length < 0) return -1;
  long long put = transfer(size_t(length), [&](size_t at, size_t n) {
    return write(handle->fd, static_cast<const char*>(buffer) + at, n);
  });
  return LONG(put);
}

extern "C" LONG FRead(BPTR file, APTR block, ULONG blockLength, ULONG number) {
  HostFile* handle = file_of(file);
  if (!handle || !block || blockLength == 0) return 0;
  if (number > ULONG(INT32_MAX) || size_t(number) > SIZE_MAX / blockLength) return 0;
  long long got = transfer(size_t(blockLength) * number, [&](size_t at, size_t n) {
    return read(handle->fd, static_cast<char*>(block) + at, n);
  });
  return got < 0 ? 0 : LONG(size_t(got) / blockLength);
}

extern "C" LONG FWrite(BPTR file, CONST_APTR block, ULONG blockLength, ULONG number) {
  HostFile* handle = file_of(file);
  if (!handle || !block || blockLength == 0) return 0;
  if (number > ULONG(INT32_MAX) || size_t(number) > SIZE_MAX / blockLength) return 0;
  long long put = transfer(size_t(blockLength) * number, [&](size_t at, size_t n) {
    return write(handle->fd, static_cast<const char*>(block) + at, n);
  });
  return put < 0 ? 0 : LONG(size_t(put) / blockLength);
}

extern "C" LONG Seek(BPTR file, LONG position, LONG mode) {
  HostFile* handle = file_of(file);
  if (!handle) return -1;
  off_t old = lseek(handle->fd, 0, SEEK_CUR);
  int whence = mode == OFFSET_BEGINNING ? SEEK_SET : mode == OFFSET_END ? SEEK_END : SEEK_CUR;
  if (old < 0 || lseek(handle->fd, position, whence) < 0) {
    last_error = ERROR_SEEK_ERROR;
    return -1;
  }
  return old > INT32_MAX ? -1 : LONG(old);
}

extern "C" LONG DeleteFile(CONST_STRPTR name) {
  std::string path = resolve(name);
  if (path.empty()) return DOSFALSE;
  if (unlink(path.c_str()) != 0 && rmdir(path.c_str()) != 0) return fail(error_from_errno(errno));
  return DOSTRUE;
}
