// A page file: plain 8-bit text, created or rewritten whole, one fragment and CR LF per write.
// An existing file is written over in place and cut to its new length when it is closed
// (cutting a file to nothing first makes some file systems write it out at once, which costs
// far more than the page itself). When a write fails, the file is cut where the new text
// stops, so it holds the part of the new page that got written and nothing of the old one.
// Open, write and close failures raise the platform's file error with the file's path.
//
// A page of ours declares no character set as long as it is plain ASCII. One that holds other
// bytes, all of them UTF-8 (names of files and the texts the window stores are), says so in
// its head, or a browser would guess; a page that declares a character set of its own in its
// head, or holds bytes that are not UTF-8, is left as written.
#pragma once

#include <string>
#include <string_view>

#include "common/fs.h"

namespace fw {

inline constexpr const char* kUtf8Declaration =
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">";

class PageFile {
 public:
  // AsWritten: the bytes go out as they are written. Page: a page that opens with "<HTML>"
  // and "<HEAD>" lines; it is held until close(), which puts kUtf8Declaration on a line of its
  // own after "<HEAD>" when the page needs it.
  enum class Kind { AsWritten, Page };

  explicit PageFile(std::string path, Kind kind = Kind::AsWritten);
  ~PageFile();
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;

  // Writes `fragment` as it stands, then CR LF. A multi-line text keeps its own line breaks.
  void line(std::string_view fragment);
  // Writes `text` as it stands: whole lines put together beforehand, CR LF included.
  void write(std::string_view text);
  // Writes what is buffered, cuts the file to its length and closes it; a failure here is
  // raised too (the destructor would swallow it).
  void close();

  const std::string& path() const { return file_.path(); }

 private:
  void flush();
  void writeOut(std::string_view bytes);
  void declareCharset();

  fs::OverwriteFile file_;
  bool held_ = false;
  std::string buffer_;
};

}  // namespace fw
