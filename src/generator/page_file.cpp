#include "generator/page_file.h"

#include <algorithm>
#include <utility>

#include "common/text.h"
#include "common/web_text.h"

namespace fw {
namespace {

// Pages are written in many small pieces; this many bytes go to the file at a time.
constexpr std::size_t kBuffer = 64 * 1024;

}  // namespace

PageFile::PageFile(std::string path, Kind kind)
    : file_(std::move(path)), held_(kind == Kind::Page) {
  buffer_.reserve(kBuffer);
}

// Dropped without close(): an error is on its way; the file keeps what was written.
PageFile::~PageFile() {
  if (file_.isOpen() && held_) (void)file_.write(buffer_);
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
  if (!file_.isOpen()) return;
  if (held_) declareCharset();
  flush();
  file_.close();
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
  if (!file_.write(bytes)) file_.fail();
}

}  // namespace fw
