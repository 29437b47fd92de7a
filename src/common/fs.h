// The file-system layer: every file operation of the core goes through here.
// Failures raise fw::Error with the platform's message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fw::fs {

bool Exists(const std::string& path);        // a file or folder
bool IsFile(const std::string& path);
bool IsFolder(const std::string& path);
// Creates the folder and every missing folder above it; true when it exists afterwards.
bool MakeFolders(const std::string& path);
// Bare names in `folder` whose extension matches `mask` ("*.jpg") without regard to case,
// hidden files included, in the directory's own order. A missing folder gives none.
std::vector<std::string> ListMask(const std::string& folder, const std::string& mask);
// Copies, replacing an existing target.
void CopyFile(const std::string& from, const std::string& to);
// Renames unless `to` exists; returns false (and changes nothing) when it does.
bool RenameNoReplace(const std::string& from, const std::string& to);
// Deletes a file; true when it is gone afterwards.
bool Delete(const std::string& path);
std::int64_t Size(const std::string& path);  // -1 when missing
std::string ReadFile(const std::string& path);
// Writes `data` to a temporary file beside `path`, flushes it, then renames it over `path`.
void ReplaceAtomically(const std::string& path, const std::string& data);
// The canonical absolute path (symlinks resolved); the input when it cannot be resolved.
std::string RealPath(const std::string& path);

}  // namespace fw::fs
