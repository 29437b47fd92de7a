// What many tests share: a fresh temporary folder, and the message a call fails with.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>

#include "common/error.h"

namespace fw::test {

// A fresh folder under the system's temporary folder, removed with all it holds when the
// object goes.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fw-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The message of the fw::Error that `f` raises, or `otherwise` when it raises none.
inline std::string MessageOf(const std::function<void()>& f,
                             const std::string& otherwise = "(no error)") {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return otherwise;
}

}  // namespace fw::test
