#include "settings/textblock.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "common/error.h"
#include "common/fs.h"
#include "common/text.h"

namespace fw {

namespace {

constexpr const char* kTerminator = "####";

// Reads a text file line by line; CR LF, LF and a lone CR each end a line.
class LineReader {
 public:
  explicit LineReader(const std::string& path) : path_(path), f_(std::fopen(path.c_str(), "rb")) {
    if (!f_) ThrowFileError(path);
  }
  ~LineReader() { std::fclose(f_); }
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool next(std::string& line) {
    line.clear();
    int c = std::getc(f_);
    if (c == EOF) return check();
    while (c != EOF && c != '\n' && c != '\r') {
      line += static_cast<char>(c);
      c = std::getc(f_);
    }
    if (c == '\r') {
      int d = std::getc(f_);
      if (d != '\n' && d != EOF) std::ungetc(d, f_);
    }
    if (c == EOF) check();
    return true;
  }

  // Copies the rest of the file's bytes exactly as they are.
  void rewindTo(fs::AtomicWriter& out) {
    std::rewind(f_);
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f_)) > 0) out.write(std::string_view(buf, n));
    check();
  }

 private:
  bool check() {
    if (std::ferror(f_)) ThrowFileError(path_);
    return false;
  }
  std::string path_;
  std::FILE* f_;
};

bool IsHeader(const std::string& line, const std::string& lowerHeader) {
  return line.size() >= lowerHeader.size() &&
         LowerAscii(std::string_view(line).substr(0, lowerHeader.size())) == lowerHeader;
}

// Where the walk through a file stands: a line opens a section only between sections, and
// inside one only the terminator closes it, so content that looks like a header is content.
class Sections {
 public:
  explicit Sections(const std::string& section) : header_(LowerAscii("[" + section + "]")) {}
  // Takes the next line; true when it is the header of the section looked for.
  bool isHeader(const std::string& line) {
    if (inside_) {
      inside_ = line != kTerminator;
      return false;
    }
    inside_ = !line.empty() && line[0] == '[';
    return IsHeader(line, header_);
  }
  bool inside() const { return inside_; }

 private:
  std::string header_;
  bool inside_ = false;
};

void WriteLine(fs::AtomicWriter& out, std::string_view line) {
  out.write(line);
  out.write("\r\n");
}

// A content line equal to the terminator is stored with a blank after it, so that it cannot
// end its section.
void WriteContent(fs::AtomicWriter& out, const std::vector<std::string>& lines) {
  for (const auto& l : lines) WriteLine(out, l == kTerminator ? l + " " : l);
  WriteLine(out, "");
  WriteLine(out, kTerminator);
}

}  // namespace

std::string ReadSection(const std::string& file, const std::string& section) {
  if (!fs::IsFile(file)) return "";
  LineReader in(file);
  Sections walk(section);
  std::string line;
  bool found = false;
  while (in.next(line))
    if (walk.isHeader(line)) {
      found = true;
      break;
    }
  if (!found) return "";
  std::string acc;
  while (in.next(line) && line != kTerminator) {
    acc += line;
    acc += "\r\n";
  }
  return acc.size() > 2 ? acc.substr(0, acc.size() - 2) : "";
}

void WriteSection(const std::string& file, const std::string& section,
                  const std::vector<std::string>& lines) {
  const fs::FolderLock lock(fs::FolderOf(file));
  if (!fs::IsFile(file)) {
    fs::AtomicWriter out(file);
    WriteLine(out, "[" + section + "]");
    WriteContent(out, lines);
    out.commit();
    return;
  }
  LineReader in(file);
  Sections walk(section);
  std::string line;
  bool found = false;
  {
    fs::AtomicWriter out(file);
    while (in.next(line)) {
      WriteLine(out, line);
      if (walk.isHeader(line)) {
        found = true;
        break;
      }
    }
    if (found && in.next(line)) {
      // Replace the old content: skip through its terminator, keep everything after it.
      WriteContent(out, lines);
      while (line != kTerminator && in.next(line)) {
      }
      while (in.next(line)) WriteLine(out, line);
      out.commit();
      return;
    }
  }
  // No section of that name (or its header is the last line): the section goes at the end,
  // after the file's bytes exactly as they are. Another section that the file leaves open is
  // closed first, so that the new header stands between sections.
  fs::AtomicWriter out(file);
  in.rewindTo(out);
  WriteLine(out, "");
  if (walk.inside() && !found) {
    WriteLine(out, kTerminator);
    WriteLine(out, "");
  }
  WriteLine(out, "[" + section + "]");
  WriteContent(out, lines);
  out.commit();
}

void DeleteSection(const std::string& file, const std::string& section) {
  const fs::FolderLock lock(fs::FolderOf(file));
  if (!fs::IsFile(file)) return;
  LineReader in(file);
  Sections walk(section);
  std::string line;
  fs::AtomicWriter out(file);
  bool found = false;
  while (in.next(line)) {
    if (walk.isHeader(line)) {
      found = true;
      break;
    }
    WriteLine(out, line);
  }
  // Without the section the file stays exactly as it is.
  if (!found) return;
  while (in.next(line) && line != kTerminator) {
  }
  // The empty line that separated the section from the next one goes with it.
  if (in.next(line))
    while (in.next(line)) WriteLine(out, line);
  out.commit();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

}  // namespace fw
