#include "common/subs.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>

#include "common/error.h"

namespace fw {

std::string ColorToHtml(std::int32_t colour) {
  auto c = static_cast<std::uint32_t>(colour);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buf;
}

std::string AddBackslash(const std::string& path) {
  if (path.empty() || path.back() == '/') return path;
  return path + '/';
}

int FindFrom(int start, std::string_view text, std::string_view pattern) {
  if (text.empty() || start < 1 || start > int(text.size())) return 0;
  if (pattern.empty()) return start;
  std::size_t at = text.find(pattern, std::size_t(start - 1));
  return at == std::string_view::npos ? 0 : int(at) + 1;
}

std::string ReplaceAll(std::string text, std::string_view pattern, std::string_view replacement) {
  if (pattern.empty()) return text;
  std::size_t at = text.find(pattern);
  while (at != std::string::npos) {
    text.replace(at, pattern.size(), replacement);
    at = text.find(pattern, at + replacement.size());
  }
  return text;
}

std::string RightPart(const std::string& text, int n) {
  if (n <= 0) return "";
  if (std::size_t(n) >= text.size()) return text;
  return text.substr(text.size() - std::size_t(n));
}

std::string StripExtension(const std::string& name) {
  std::size_t dot = name.rfind('.');
  std::size_t sep = name.find_last_of("/\\:");
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return name;
  return name.substr(0, dot);
}

std::int64_t FileSizeOf(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return 0;
    ThrowFileError(path);
  }
  return S_ISREG(st.st_mode) ? std::int64_t(st.st_size) : 0;
}

int SplitFields(const std::string& text, std::string_view delimiter,
                std::vector<std::string>& fields) {
  if (delimiter.empty()) return -1;
  fields.assign(2, "");
  fields[1] = text;
  int count = 1;
  int pos = 1;
  int at;
  while ((at = FindFrom(pos, text, delimiter)) > 0) {
    fields.resize(std::size_t(count) + 2);
    fields[std::size_t(count)] = text.substr(std::size_t(pos - 1), std::size_t(at - pos));
    fields[std::size_t(count) + 1] = text.substr(std::size_t(at - 1) + delimiter.size());
    ++count;
    pos = at + int(delimiter.size());
  }
  return count;
}

long long RoundHalfEven(long double value) { return static_cast<long long>(std::nearbyint(value)); }

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& ch : out)
    if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace fw
