#include "common/fs.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "common/error.h"
#include "common/subs.h"

namespace fw::fs {
namespace {

struct Fd {
  int fd = -1;
  explicit Fd(int f) : fd(f) {}
  ~Fd() {
    if (fd >= 0) close(fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
};

void WriteAllTo(int fd, const char* data, std::size_t size, const std::string& path) {
  while (size > 0) {
    ssize_t n = write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowFileError(path);
    }
    data += n;
    size -= std::size_t(n);
  }
}

std::string StripTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The extension a mask asks for ("*.jpg" gives ".jpg"; "*.*" and "*" give "").
std::string MaskExtension(const std::string& mask) {
  std::size_t dot = mask.rfind('.');
  if (dot == std::string::npos) return "";
  std::string ext = mask.substr(dot);
  return ext == ".*" ? "" : LowerAscii(ext);
}

}  // namespace

bool Exists(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(path.c_str(), &st) == 0;
}

bool IsFile(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolders(const std::string& path) {
  std::string p = StripTrailingSeparators(path);
  if (p.empty()) return false;
  if (IsFolder(p)) return true;
  std::size_t slash = p.rfind('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(p.substr(0, slash))) return false;
  if (mkdir(p.c_str(), 0777) != 0 && errno != EEXIST) return false;
  return IsFolder(p);
}

std::vector<std::string> ListMask(const std::string& folder, const std::string& mask) {
  std::vector<std::string> names;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "." : folder.c_str()),
                                          closedir);
  if (!dir) return names;
  std::string ext = MaskExtension(mask);
  std::string base = AddBackslash(folder);
  while (dirent* e = readdir(dir.get())) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (!ext.empty() &&
        (name.size() < ext.size() || LowerAscii(name.substr(name.size() - ext.size())) != ext))
      continue;
    if (!IsFile(base + name)) continue;
    names.push_back(name);
  }
  return names;
}

void CopyFile(const std::string& from, const std::string& to) {
  ReplaceAtomically(to, ReadFile(from));
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno == EEXIST) return false;
  if (errno != EINVAL && errno != ENOSYS) ThrowFileError(from);
  // A file system without RENAME_NOREPLACE: a hard link fails on an existing target.
  if (link(from.c_str(), to.c_str()) != 0) {
    if (errno == EEXIST) return false;
    ThrowFileError(from);
  }
  unlink(from.c_str());
  return true;
}

bool Delete(const std::string& path) {
  if (unlink(path.c_str()) == 0) return true;
  return !Exists(path);
}

std::int64_t Size(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return -1;
  return std::int64_t(st.st_size);
}

std::string ReadFile(const std::string& path) {
  Fd f(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (f.fd < 0) ThrowFileError(path);
  std::string data;
  char buf[65536];
  for (;;) {
    ssize_t n = read(f.fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowFileError(path);
    }
    if (n == 0) break;
    data.append(buf, std::size_t(n));
  }
  return data;
}

void ReplaceAtomically(const std::string& path, const std::string& data) {
  std::string temp = path + ".fwtmp";
  {
    Fd f(open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (f.fd < 0) ThrowFileError(path);
    try {
      WriteAllTo(f.fd, data.data(), data.size(), path);
      if (fsync(f.fd) != 0) ThrowFileError(path);
    } catch (...) {
      unlink(temp.c_str());
      throw;
    }
  }
  if (rename(temp.c_str(), path.c_str()) != 0) {
    int e = errno;
    unlink(temp.c_str());
    errno = e;
    ThrowFileError(path);
  }
}

std::string RealPath(const std::string& path) {
  char buf[PATH_MAX];
  if (!path.empty() && realpath(path.c_str(), buf)) return buf;
  return path;
}

}  // namespace fw::fs
