#include "generator/page_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "common/error.h"
#include "common/subs.h"
#include "common/web_text.h"

namespace fw {
namespace {

// Pages are written in many small pieces; this many bytes go to the file at a time.
constexpr std::size_t kBuffer = 64 * 1024;

}  // namespace

PageFile::PageFile(std::string path, Kind kind)
    : path_(std::move(path)), held_(kind == Kind::Page) {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) ThrowFileError(path_);
  buffer_.reserve(kBuffer);
}

PageFile::~PageFile() {
  if (fd_ < 0) return;
  // Dropped without close(): an error is on its way; the file keeps what was written.
  if (held_) put(buffer_);
  if (::ftruncate(fd_, written_) != 0) {
  }
  ::close(fd_);
}

void PageFile::line(std::string_view fragment) {
  write(fragment);
  write("\r\n");
}

void PageFile::write(std::string_view text) {
  if (held_) {
    buffer_.append(text);
    return;
  }
  if (buffer_.size() + text.size() > kBuffer) flush();
  if (text.size() >= kBuffer)
    writeOut(text);
  else
    buffer_.append(text);
}

void PageFile::close() {
  if (fd_ < 0) return;
  if (held_) declareCharset();
  flush();
  if (::ftruncate(fd_, written_) != 0) fail();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) ThrowFileError(path_);
}

void PageFile::declareCharset() {
  held_ = false;
  const bool ascii = std::none_of(buffer_.begin(), buffer_.end(),
                                  [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; });
  if (ascii || !IsValidUtf8(buffer_)) return;
  constexpr std::string_view kHead = "<HTML>\r\n<HEAD>\r\n";
  if (buffer_.compare(0, kHead.size(), kHead) != 0) return;
  const std::size_t headEnd = buffer_.find("</HEAD>");
  if (LowerAscii(buffer_.substr(0, headEnd)).find("charset") != std::string::npos) return;
  buffer_.insert(kHead.size(), std::string(kUtf8Declaration) + "\r\n");
}

void PageFile::flush() {
  writeOut(buffer_);
  buffer_.clear();
}

void PageFile::writeOut(std::string_view bytes) {
  if (!put(bytes)) fail();
}

bool PageFile::put(std::string_view bytes) noexcept {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    written_ += n;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void PageFile::fail() {
  const int error = errno;
  // The new text stops here: nothing of an older, longer page may follow it.
  if (::ftruncate(fd_, written_) != 0) {
  }
  ::close(fd_);
  fd_ = -1;
  errno = error;
  ThrowFileError(path_);
}

}  // namespace fw
