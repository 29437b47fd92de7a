// Plain writes of the file layer: whole files, appended lines, renames, private new files and
// files written over in place.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "common/error.h"
#include "common/fd.h"
#include "common/fs.h"

namespace fw::fs {

using detail::Fd;

namespace {

// Closes the descriptor and raises the platform's file error when that fails.
void Close(Fd& f, const std::string& path) {
  const int fd = f.fd;
  f.fd = -1;
  if (::close(fd) != 0) ThrowFileError(path);
}

}  // namespace

void WriteFile(const std::string& path, std::string_view data) {
  Fd f(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (f.fd < 0) ThrowFileError(path);
  detail::WriteAll(f.fd, data.data(), data.size(), path);
  Close(f, path);
}

bool AppendFile(const std::string& path, std::string_view data) {
  try {
    Fd f(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
    if (f.fd < 0) return false;
    detail::WriteAll(f.fd, data.data(), data.size(), path);
    Close(f, path);
    return true;
  } catch (const Error&) {
    return false;  // errno still tells why
  }
}

void Rename(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) ThrowFileError(to);
}

NewFile::NewFile(std::string path) : path_(std::move(path)) {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd_ < 0) ThrowFileError(path_);
}

NewFile::~NewFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool NewFile::write(std::string_view data) {
  try {
    detail::WriteAll(fd_, data.data(), data.size(), path_);
    return true;
  } catch (const Error&) {
    return false;
  }
}

OverwriteFile::OverwriteFile(std::string path) : path_(std::move(path)) {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) ThrowFileError(path_);
}

OverwriteFile::~OverwriteFile() {
  if (fd_ >= 0) cutAndClose();
}

bool OverwriteFile::write(std::string_view bytes) noexcept {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    written_ += n;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void OverwriteFile::close() {
  if (::ftruncate(fd_, written_) != 0) fail();
  Fd f(fd_);
  fd_ = -1;
  Close(f, path_);
}

void OverwriteFile::fail() {
  const int error = errno;
  cutAndClose();
  errno = error;
  ThrowFileError(path_);
}

void OverwriteFile::cutAndClose() noexcept {
  if (::ftruncate(fd_, written_) != 0) {
  }
  ::close(fd_);
  fd_ = -1;
}

}  // namespace fw::fs
