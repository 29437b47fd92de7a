// What the backup module's tests share: the settings root and plain file helpers.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fw::testing {

inline const std::string kRoot = "Software\\Ombrix Software\\Framewright";

// The file's bytes; "" when it is missing.
inline std::string Read(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

inline void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The names in a folder, sorted.
inline std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    out.push_back(e.path().filename());
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace fw::testing
