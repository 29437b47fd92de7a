#include "common/subs.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <limits>

#include "common/error.h"

namespace fw {

namespace {

// A colour value that names a system colour carries the colour's index in its low byte. The
// core has no desktop to ask, so it resolves them to a fixed, neutral light palette (RGB as
// written in pages, 0xRRGGBB). A front end may install a resolver of its own.
constexpr std::uint32_t kSystemPalette[] = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0xB5B5B5, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0,
};

SystemColourResolver& Resolver() {
  static SystemColourResolver resolver;
  return resolver;
}

}  // namespace

void SetSystemColourResolver(SystemColourResolver resolver) { Resolver() = std::move(resolver); }

std::uint32_t SystemColourRgb(std::int32_t colour) {
  int index = static_cast<int>(static_cast<std::uint32_t>(colour) & 0xFFu);
  if (Resolver()) return Resolver()(index) & 0xFFFFFFu;
  constexpr int count = sizeof(kSystemPalette) / sizeof(kSystemPalette[0]);
  return index < count ? kSystemPalette[index] : 0;
}

std::string ColorToHtml(std::int32_t colour) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::uint32_t rgb;
  if (colour < 0) {
    rgb = SystemColourRgb(colour);
  } else {
    // Red sits in the low byte of a stored colour; palette-relative values (a non-zero top
    // byte) lose that byte.
    std::uint32_t v = static_cast<std::uint32_t>(colour);
    rgb = ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
  }
  std::string out = "#";
  for (int shift = 20; shift >= 0; shift -= 4) out += kDigits[(rgb >> shift) & 0xFu];
  return out;
}

std::string AddBackslash(const std::string& path) {
  if (path.empty() || path.back() == '/') return path;
  return path + '/';
}

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

std::string StripExtension(const std::string& name) {
  std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return name;
  std::size_t sep = name.find_last_of("/\\");
  if (sep != std::string::npos && sep > dot) return name;
  return name.substr(0, dot);
}

std::int64_t FileSizeOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return 0;
    ThrowFileError(path);
  }
  if (!S_ISREG(st.st_mode)) return 0;
  return static_cast<std::int64_t>(st.st_size);
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

long long RoundHalfEven(long double value) {
  if (std::isnan(value)) return 0;
  long double r = std::nearbyint(value);  // the default rounding mode: halves go to even
  if (r >= static_cast<long double>(std::numeric_limits<long long>::max()))
    return std::numeric_limits<long long>::max();
  if (r <= static_cast<long double>(std::numeric_limits<long long>::min()))
    return std::numeric_limits<long long>::min();
  return static_cast<long long>(r);
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
