#include "common/fs.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "common/error.h"
#include "common/fd.h"

namespace fw::fs {

using detail::Fd;
using detail::WriteAll;

namespace {

std::function<bool(const char*)>& FaultHook() {
  static std::function<bool(const char*)> hook;
  return hook;
}

// Fails the step with an I/O error when the test hook asks for it.
void Step(const char* step, const std::string& path) {
  if (FaultHook() && FaultHook()(step)) {
    errno = EIO;
    ThrowFileError(path);
  }
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// '*' and '?' wildcards, letters compared without regard to case.
bool MatchMask(const char* mask, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*mask == '*') {
      star = mask++;
      resume = name;
    } else if (*mask == '?' || (*mask && Lower(*mask) == Lower(*name))) {
      ++mask;
      ++name;
    } else if (star) {
      mask = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == '\0';
}

// The next entry of the folder, or null at its end or on a read error (errno tells which).
dirent* NextEntry(DIR* d) {
  errno = 0;
  return ::readdir(d);
}

}  // namespace

namespace detail {

void WriteAll(int fd, const char* data, std::size_t size, const std::string& path) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowFileError(path);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

}  // namespace detail

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void SetFaultHookForTesting(std::function<bool(const char* step)> hook) {
  FaultHook() = std::move(hook);
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool IsFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolders(const std::string& path) {
  if (path.empty()) return false;
  for (std::size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
    std::string part = path.substr(0, at);
    if (!part.empty() && ::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) break;
    if (at == std::string::npos) break;
  }
  return IsFolder(path);
}

std::vector<std::vector<std::string>> ListMasks(const std::string& folder,
                                                std::span<const char* const> masks) {
  std::vector<std::vector<std::string>> names(masks.size());
  std::string dir = folder.empty() ? "." : folder;
  std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.c_str()), ::closedir);
  if (!d) {
    if (errno == ENOENT || errno == ENOTDIR) return names;
    ThrowFileError(folder);
  }
  std::string base = dir.back() == '/' ? dir : dir + '/';
  while (dirent* e = NextEntry(d.get())) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    std::optional<bool> folderEntry;
    for (std::size_t m = 0; m < masks.size(); ++m) {
      // "*.*" stands for every name, with or without a dot.
      const std::string_view mask = masks[m];
      if (mask != "*.*" && mask != "*" && !MatchMask(masks[m], name.c_str())) continue;
      // Folders are never listed: every caller takes the names for files.
      if (!folderEntry)
        folderEntry = e->d_type == DT_DIR ||
                      ((e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) && IsFolder(base + name));
      if (!*folderEntry) names[m].push_back(name);
    }
  }
  if (errno != 0) ThrowFileError(folder);
  return names;
}

std::vector<std::string> ListMask(const std::string& folder, const std::string& mask) {
  const char* const masks[] = {mask.c_str()};
  return std::move(ListMasks(folder, masks).front());
}

std::optional<std::unordered_set<std::string>> ExistingNames(const std::string& folder) {
  std::string dir = folder.empty() ? "." : folder;
  std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.c_str()), ::closedir);
  if (!d) return std::nullopt;
  std::unordered_set<std::string> names;
  std::string base = dir.back() == '/' ? dir : dir + '/';
  while (dirent* e = NextEntry(d.get())) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    // A link exists only while what it points to does.
    if ((e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) && !Exists(base + name)) continue;
    names.insert(std::move(name));
  }
  if (errno != 0) return std::nullopt;
  return names;
}

void CopyFile(const std::string& from, const std::string& to) {
  Fd in;
  in.fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in.fd < 0) ThrowFileError(from);
  struct stat src;
  if (::fstat(in.fd, &src) != 0) ThrowFileError(from);
  struct stat dst;
  // Copying a file onto itself would truncate it before reading it.
  if (::stat(to.c_str(), &dst) == 0 && dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) return;
  const bool replacing = Exists(to);
  AtomicWriter out(to, src.st_mode & 0777);
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(in.fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowFileError(from);
    }
    if (n == 0) break;
    out.write(std::string_view(buf, static_cast<std::size_t>(n)));
  }
  out.commit(replacing);
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno == EEXIST) return false;
  if (errno != EINVAL && errno != ENOSYS) ThrowFileError(from);
  // File systems without the no-replace flag: a hard link fails on an existing target too.
  if (::link(from.c_str(), to.c_str()) != 0) {
    if (errno == EEXIST) return false;
    ThrowFileError(from);
  }
  if (::unlink(from.c_str()) != 0) ThrowFileError(from);
  return true;
}

bool Delete(const std::string& path) {
  if (::unlink(path.c_str()) == 0) return true;
  return errno == ENOENT;
}

std::int64_t Size(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::int64_t> ModifiedTime(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

std::string ReadFile(const std::string& path) {
  Fd in;
  in.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in.fd < 0) ThrowFileError(path);
  std::string data;
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(in.fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowFileError(path);
    }
    if (n == 0) break;
    data.append(buf, static_cast<std::size_t>(n));
  }
  return data;
}

void ReplaceAtomically(const std::string& path, const std::string& data, bool durable) {
  AtomicWriter w(path);
  w.write(data);
  w.commit(durable);
}

std::string RealPath(const std::string& path) {
  char buf[PATH_MAX];
  if (::realpath(path.c_str(), buf) == nullptr) return path;
  return buf;
}

namespace {

bool HasLetter(const std::string& name) {
  return std::any_of(name.begin(), name.end(), [](char c) { return Lower(c) != Upper(c); });
}

// Whether `name` in `base` and the same name with its letters' case swapped are one file.
bool SameUnderSwappedCase(const std::string& base, const std::string& name) {
  std::string swapped = name;
  for (char& c : swapped) c = Lower(c) == c ? Upper(c) : Lower(c);
  struct stat a, b;
  return ::lstat((base + name).c_str(), &a) == 0 && ::lstat((base + swapped).c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

bool FoldsCase(const std::string& folder) {
  const std::string dir = folder.empty() ? "." : folder;
  const std::string base = dir.back() == '/' ? dir : dir + '/';
  if (std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.c_str()), ::closedir); d) {
    while (dirent* e = ::readdir(d.get())) {
      const std::string name = e->d_name;
      if (HasLetter(name)) return SameUnderSwappedCase(base, name);
    }
  }
  const std::string real = RealPath(dir);
  const std::size_t slash = real.find_last_of('/');
  if (slash == std::string::npos || !HasLetter(real.substr(slash + 1))) return false;
  return SameUnderSwappedCase(real.substr(0, slash + 1), real.substr(slash + 1));
}

AtomicWriter::AtomicWriter(const std::string& target, unsigned newFileMode) : target_(target) {
  std::string folder = FolderOf(target);
  std::string prefix = folder == "/" ? "/" : folder + "/";
  struct stat st;
  // The new file keeps the mode of the file it replaces.
  const bool replacing = ::stat(target.c_str(), &st) == 0;
  mode_t mode = replacing ? (st.st_mode & 07777) : newFileMode;
  static std::atomic<unsigned> counter{0};
  for (int tries = 0; tries < 100 && fd_ < 0; ++tries) {
    temp_ = prefix + ".fw" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    Step("open", target_);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, newFileMode);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) ThrowFileError(target_);
  // A replaced file's mode is set as it stands; a new file's goes through the umask.
  if (replacing && ::fchmod(fd_, mode) != 0) {
    const int error = errno;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temp_.c_str());
    errno = error;
    ThrowFileError(target_);
  }
}

AtomicWriter::~AtomicWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_) ::unlink(temp_.c_str());
}

void AtomicWriter::write(std::string_view data) {
  buffer_.append(data);
  if (buffer_.size() >= 65536) flushBuffer();
}

void AtomicWriter::flushBuffer() {
  if (buffer_.empty()) return;
  Step("write", target_);
  WriteAll(fd_, buffer_.data(), buffer_.size(), target_);
  buffer_.clear();
}

void AtomicWriter::commit(bool durable) {
  flushBuffer();
  Step("sync", target_);
  if (durable && ::fsync(fd_) != 0) ThrowFileError(target_);
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) ThrowFileError(target_);
  Step("rename", target_);
  if (::rename(temp_.c_str(), target_.c_str()) != 0) ThrowFileError(target_);
  committed_ = true;
  if (!durable) return;
  // Makes the rename itself durable; the new content is in place either way.
  Fd dir;
  dir.fd = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir.fd >= 0) (void)::fsync(dir.fd);
}

FolderLock::FolderLock(const std::string& folder) {
  fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace fw::fs
