// A page file: plain 8-bit text, created or overwritten whole, one fragment and CR LF per write.
// Open, write and close failures raise the platform's file error with the file's path.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace fw {

class PageFile {
 public:
  explicit PageFile(std::string path);
  ~PageFile();
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;

  // Writes `fragment` as it stands, then CR LF. A multi-line text keeps its own line breaks.
  void line(std::string_view fragment);
  // Flushes and closes; a failure here is raised too (the destructor would swallow it).
  void close();

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

}  // namespace fw
