// Plain writes of the file layer: whole files, appended lines, renames and private new files.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

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

}  // namespace fw::fs
