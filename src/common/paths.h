// Paths and file names: the trailing separator, the extension, the size of a file.
#pragma once

#include <cstdint>
#include <string>

namespace fw {

// Appends the platform separator unless the path is empty or already ends in one.
std::string AddBackslash(const std::string& path);
// The name without the part from its last dot (after the last separator) on.
std::string StripExtension(const std::string& name);
// Size in bytes of the file at `path`; 0 when there is none.
std::int64_t FileSizeOf(const std::string& path);

}  // namespace fw
