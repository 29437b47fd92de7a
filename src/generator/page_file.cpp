#include "generator/page_file.h"

#include "common/error.h"

namespace fw {

PageFile::PageFile(std::string path) : path_(std::move(path)) {
  file_ = std::fopen(path_.c_str(), "wb");
  if (!file_) ThrowFileError(path_);
}

PageFile::~PageFile() {
  if (file_) std::fclose(file_);
}

void PageFile::line(std::string_view fragment) {
  if (std::fwrite(fragment.data(), 1, fragment.size(), file_) != fragment.size() ||
      std::fwrite("\r\n", 1, 2, file_) != 2)
    ThrowFileError(path_);
}

void PageFile::close() {
  if (!file_) return;
  std::FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0) ThrowFileError(path_);
}

}  // namespace fw
