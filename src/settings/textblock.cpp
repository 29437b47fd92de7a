#include "settings/textblock.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "common/error.h"
#include "common/subs.h"

namespace fw {
namespace {

constexpr const char* kTerminator = "####";
constexpr const char* kTempName = "temp$$$$.$$$";

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

File OpenFile(const std::string& path, const char* mode) {
  File f(std::fopen(path.c_str(), mode), std::fclose);
  if (!f && !(errno == ENOENT && mode[0] == 'r')) ThrowFileError(path);
  return f;
}

// One line without its CR LF (or LF); false at the end of the file.
bool ReadLine(FILE* f, std::string& line) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::getc(f)) != EOF) {
    any = true;
    if (c == '\n') break;
    line.push_back(char(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

bool IsHeader(const std::string& line, const std::string& lowerHeader) {
  return LowerAscii(line).compare(0, lowerHeader.size(), lowerHeader) == 0;
}

std::string LowerHeader(const std::string& section) { return "[" + LowerAscii(section) + "]"; }

// The rewritten file, built beside the text-block file and put in its place in one rename
// once it is complete and on disk.
class Rewrite {
 public:
  explicit Rewrite(const std::string& file)
      : file_(file), temp_(Folder(file) + kTempName), out_(OpenFile(temp_, "wb")) {}
  ~Rewrite() {
    if (out_) {
      out_.reset();
      std::remove(temp_.c_str());
    }
  }
  void line(const std::string& text) {
    if (std::fputs(text.c_str(), out_.get()) < 0 || std::fputs("\r\n", out_.get()) < 0)
      ThrowFileError(temp_);
  }
  void commit() {
    if (std::fflush(out_.get()) != 0 || fsync(fileno(out_.get())) != 0) ThrowFileError(temp_);
    if (std::fclose(out_.release()) != 0) ThrowFileError(temp_);
    if (std::rename(temp_.c_str(), file_.c_str()) != 0) {
      int e = errno;
      std::remove(temp_.c_str());
      errno = e;
      ThrowFileError(file_);
    }
  }

 private:
  static std::string Folder(const std::string& file) {
    std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
  }
  std::string file_, temp_;
  File out_;
};

void WriteBody(Rewrite& out, const std::string& section, const std::vector<std::string>& lines) {
  out.line("[" + section + "]");
  for (const std::string& l : lines) out.line(l);
  out.line("");
  out.line(kTerminator);
}

}  // namespace

std::string ReadSection(const std::string& file, const std::string& section) {
  File in = OpenFile(file, "rb");
  if (!in) return "";
  std::string header = LowerHeader(section), line, acc;
  bool found = false;
  while (ReadLine(in.get(), line))
    if (IsHeader(line, header)) {
      found = true;
      break;
    }
  if (!found) return "";
  while (ReadLine(in.get(), line) && line != kTerminator) acc += line + "\r\n";
  return acc.size() > 2 ? acc.substr(0, acc.size() - 2) : "";
}

void WriteSection(const std::string& file, const std::string& section,
                  const std::vector<std::string>& lines) {
  File in = OpenFile(file, "rb");
  Rewrite out(file);
  if (!in) {
    WriteBody(out, section, lines);
    out.commit();
    return;
  }
  std::string header = LowerHeader(section), line;
  bool found = false;
  while (ReadLine(in.get(), line)) {
    out.line(line);
    if (IsHeader(line, header)) {
      found = true;
      break;
    }
  }
  bool more = found && ReadLine(in.get(), line);
  if (more) {
    for (const std::string& l : lines) out.line(l);
    out.line("");
    out.line(kTerminator);
    while (line != kTerminator && ReadLine(in.get(), line)) {
    }
    while (ReadLine(in.get(), line)) out.line(line);
  } else {
    out.line("");
    WriteBody(out, section, lines);
  }
  if (std::ferror(in.get())) ThrowFileError(file);
  out.commit();
}

void DeleteSection(const std::string& file, const std::string& section) {
  File in = OpenFile(file, "rb");
  if (!in) return;
  Rewrite out(file);
  std::string header = LowerHeader(section), line;
  bool found = false;
  while (ReadLine(in.get(), line)) {
    if (IsHeader(line, header)) {
      found = true;
      break;
    }
    out.line(line);
  }
  if (!found) return;  // nothing to change: the file stays as it is
  while (ReadLine(in.get(), line) && line != kTerminator) {
  }
  if (ReadLine(in.get(), line))  // the empty line before the next section
    while (ReadLine(in.get(), line)) out.line(line);
  if (std::ferror(in.get())) ThrowFileError(file);
  out.commit();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t lf = text.find('\n', start);
    std::size_t end = lf == std::string::npos ? text.size() : lf;
    std::string l = text.substr(start, end - start);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lines.push_back(l);
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  return lines;
}

}  // namespace fw
