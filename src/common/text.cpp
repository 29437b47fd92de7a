#include "common/text.h"

namespace fw {

int FindFrom(int start, std::string_view text, std::string_view pattern) {
  if (text.empty() || start < 1 || static_cast<std::size_t>(start) > text.size()) return 0;
  if (pattern.empty()) return start;
  std::size_t at = text.find(pattern, static_cast<std::size_t>(start - 1));
  return at == std::string_view::npos ? 0 : static_cast<int>(at + 1);
}

std::string ReplaceAll(std::string text, std::string_view pattern, std::string_view replacement) {
  if (pattern.empty()) return text;
  std::size_t at = text.find(pattern);
  while (at != std::string::npos) {
    text.replace(at, pattern.size(), replacement);
    // The inserted replacement is never searched again.
    at = text.find(pattern, at + replacement.size());
  }
  return text;
}

std::string RightPart(const std::string& text, int n) {
  if (n <= 0) return "";
  if (static_cast<std::size_t>(n) >= text.size()) return text;
  return text.substr(text.size() - static_cast<std::size_t>(n));
}

int SplitFields(const std::string& text, std::string_view delimiter,
                std::vector<std::string>& fields) {
  if (delimiter.empty()) return -1;
  fields.assign(2, std::string());
  fields[1] = text;
  int count = 1;
  int pos = 1;
  int at;
  while ((at = FindFrom(pos, text, delimiter)) != 0) {
    fields[count] = text.substr(pos - 1, at - pos);
    fields.push_back(text.substr(at - 1 + delimiter.size()));
    ++count;
    pos = at + static_cast<int>(delimiter.size());
  }
  return count;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace fw
