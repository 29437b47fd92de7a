// The file-system layer: every file operation of the core (and of framewright-cli) goes
// through here.
// Failures raise fw::Error with the platform's message.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace fw::fs {

bool Exists(const std::string& path);  // a file or folder
bool IsFile(const std::string& path);
bool IsFolder(const std::string& path);
// Creates the folder and every missing folder above it; true when it exists afterwards.
bool MakeFolders(const std::string& path);
// Bare names in `folder` whose extension matches `mask` ("*.jpg") without regard to case,
// hidden files included, in the directory's own order. A missing folder gives none.
std::vector<std::string> ListMask(const std::string& folder, const std::string& mask);
// ListMask for each of `masks` from one reading of the folder: one list per mask.
std::vector<std::vector<std::string>> ListMasks(const std::string& folder,
                                                std::span<const char* const> masks);
// The names in `folder` that Exists() would find (links to nothing left out), from one
// reading of the folder; nullopt when it cannot be read.
std::optional<std::unordered_set<std::string>> ExistingNames(const std::string& folder);
// Copies, replacing an existing target in one rename (waiting for the disk then), so a failed
// copy leaves the old target or none, never a part of the new one. A new target takes the
// source's permissions.
void CopyFile(const std::string& from, const std::string& to);
// Renames unless `to` exists; returns false (and changes nothing) when it does.
bool RenameNoReplace(const std::string& from, const std::string& to);
// Deletes a file; true when it is gone afterwards.
bool Delete(const std::string& path);
std::int64_t Size(const std::string& path);  // -1 when missing
// The time of the last change of the file's content, in nanoseconds; nullopt when missing.
std::optional<std::int64_t> ModifiedTime(const std::string& path);
std::string ReadFile(const std::string& path);
// Writes `data` as the whole file (made, or cut to nothing first); raises on failure.
void WriteFile(const std::string& path, std::string_view data);
// Appends `data` to the file, made when missing; false on failure, errno telling why.
bool AppendFile(const std::string& path, std::string_view data);
// Renames, replacing an existing `to`; raises the platform's error with `to`.
void Rename(const std::string& from, const std::string& to);
// Writes `data` to a temporary file beside `path`, flushes it, then renames it over `path`.
// `durable` also waits until the content is on disk; files that can be made again (a new
// thumbnail) skip that wait, which costs far more than the write itself.
void ReplaceAtomically(const std::string& path, const std::string& data, bool durable = true);
// The canonical absolute path (symlinks resolved); the input when it cannot be resolved.
std::string RealPath(const std::string& path);
// Whether names in `folder` that differ only in ASCII letter case name one file (FAT, exFAT
// and case-folding folders), told by looking up an entry of the folder with its letters'
// case swapped (or the folder itself, when it has none); false when there is nothing to ask.
bool FoldsCase(const std::string& folder);

// A file written whole to a temporary file beside `target`, then flushed to disk and moved
// over `target` in one rename. Until commit() the target is untouched; a writer dropped
// without commit() removes its temporary file, so an error on any path leaves the old file.
class AtomicWriter {
 public:
  // The temporary file takes a fresh short name of its own, so that neither another writer
  // nor a target name near the length limit can make it fail. A new target gets
  // `newFileMode` (less the umask); a replaced one keeps its own mode.
  explicit AtomicWriter(const std::string& target, unsigned newFileMode = 0666);
  ~AtomicWriter();
  AtomicWriter(const AtomicWriter&) = delete;
  AtomicWriter& operator=(const AtomicWriter&) = delete;

  void write(std::string_view data);
  void commit(bool durable = true);
  const std::string& tempPath() const { return temp_; }

 private:
  void flushBuffer();
  std::string target_;
  std::string temp_;
  std::string buffer_;
  int fd_ = -1;
  bool committed_ = false;
};

// An exclusive lock on a folder, held until the object goes; other processes and threads that
// take it wait. Writers that read a file, change it and replace it take it around all three,
// so that no change of another writer is lost in between. A folder that cannot be opened is
// not locked (the write that follows fails on its own).
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

// A file made anew for this process alone (mode 0600), never through a link at its path:
// raises when anything is there already. Closed when the object goes.
class NewFile {
 public:
  explicit NewFile(std::string path);
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  // Writes every byte; false on failure, errno telling why.
  bool write(std::string_view data);

 private:
  std::string path_;
  int fd_ = -1;
};

// A file written over from its start in place, made when missing. The old bytes past the new
// text stay until close() cuts the file to what was written (cutting a file to nothing first
// makes some file systems write it out at once). Dropped without close(), or after fail(),
// the file is cut where the new text stops: it never holds the new text and then old bytes.
class OverwriteFile {
 public:
  explicit OverwriteFile(std::string path);  // raises the platform's file error
  ~OverwriteFile();
  OverwriteFile(const OverwriteFile&) = delete;
  OverwriteFile& operator=(const OverwriteFile&) = delete;

  // Writes every byte; false on failure, errno telling why.
  bool write(std::string_view bytes) noexcept;
  // Cuts the file to what was written and closes it; raises on failure.
  void close();
  // Cuts and closes the file, then raises the file error errno tells.
  [[noreturn]] void fail();
  bool isOpen() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

 private:
  void cutAndClose() noexcept;
  std::string path_;
  int fd_ = -1;
  std::int64_t written_ = 0;
};

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);

// Test hook: when set, every step of an AtomicWriter ("open", "write", "sync", "rename")
// asks it first and fails with an I/O error when it answers true. Empty removes it.
void SetFaultHookForTesting(std::function<bool(const char* step)> hook);

}  // namespace fw::fs
