#include "common/web_text.h"

namespace fw {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool Continues(std::string_view text, std::size_t at, unsigned char low = 0x80,
               unsigned char high = 0xBF) {
  if (at >= text.size()) return false;
  const auto b = static_cast<unsigned char>(text[at]);
  return b >= low && b <= high;
}

// Characters a relative URL path may carry as they are: the unreserved ones, the blank (a
// browser encodes it itself) and the sub-delimiters that mean nothing in a path.
bool KeptInUrl(unsigned char b) {
  if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9')) return true;
  return std::string_view("-._~ /!$()*+,;=@").find(static_cast<char>(b)) != std::string_view::npos;
}

unsigned CodePoint(std::string_view text, std::size_t at, std::size_t length) {
  static const unsigned kLead[] = {0, 0, 0x1F, 0x0F, 0x07};
  unsigned c = static_cast<unsigned char>(text[at]) & kLead[length];
  for (std::size_t i = 1; i < length; ++i)
    c = c << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  return c;
}

void AppendUnit(std::string& out, unsigned unit) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 15];
}

}  // namespace

std::size_t Utf8CharLength(std::string_view text, std::size_t at) {
  const auto b = static_cast<unsigned char>(text[at]);
  // Overlong forms, UTF-16 surrogates and code points past U+10FFFF are not valid.
  if (b >= 0xC2 && b <= 0xDF) return Continues(text, at + 1) ? 2 : 0;
  if (b >= 0xE0 && b <= 0xEF) {
    const unsigned char low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
    return Continues(text, at + 1, low, high) && Continues(text, at + 2) ? 3 : 0;
  }
  if (b >= 0xF0 && b <= 0xF4) {
    const unsigned char low = b == 0xF0 ? 0x90 : 0x80, high = b == 0xF4 ? 0x8F : 0xBF;
    return Continues(text, at + 1, low, high) && Continues(text, at + 2) && Continues(text, at + 3)
               ? 4
               : 0;
  }
  return 0;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t n = Utf8CharLength(text, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b >= 0x80) {
      const std::size_t n = Utf8CharLength(text, i);
      if (n > 0) {
        out.append(text.substr(i, n));
        i += n;
      } else {
        out += "&#" + std::to_string(b) + ";";
        ++i;
      }
      continue;
    }
    switch (b) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += static_cast<char>(b);
    }
    ++i;
  }
  return out;
}

std::string UrlPath(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t i = 0; i < path.size();) {
    const auto b = static_cast<unsigned char>(path[i]);
    const std::size_t n = b >= 0x80 ? Utf8CharLength(path, i) : 0;
    if (n > 0) {
      out.append(path.substr(i, n));
      i += n;
      continue;
    }
    if (KeptInUrl(b)) {
      out += static_cast<char>(b);
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
    ++i;
  }
  return out;
}

std::string AsciiScriptText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = static_cast<unsigned char>(text[i]) >= 0x80 ? Utf8CharLength(text, i) : 0;
    if (n == 0) {
      out += text[i++];
      continue;
    }
    const unsigned c = CodePoint(text, i, n);
    if (c > 0xFFFF) {
      AppendUnit(out, 0xD800 + ((c - 0x10000) >> 10));
      AppendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      AppendUnit(out, c);
    }
    i += n;
  }
  return out;
}

}  // namespace fw
