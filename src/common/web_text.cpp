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

// The code point of one valid UTF-8 character of 2 to 4 bytes.
unsigned CodePoint(std::string_view ch) {
  static const unsigned kLead[] = {0, 0, 0x1F, 0x0F, 0x07};
  unsigned c = static_cast<unsigned char>(ch[0]) & kLead[ch.size()];
  for (std::size_t i = 1; i < ch.size(); ++i)
    c = c << 6 | (static_cast<unsigned char>(ch[i]) & 0x3F);
  return c;
}

void AppendUnit(std::string& out, unsigned unit) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 15];
}

void Keep(std::string& out, std::string_view ch) { out.append(ch); }

// `text` rewritten character by character: each valid UTF-8 character beyond ASCII goes to
// `character`, each other byte (ASCII or a stray byte from 0x80 up) to `byte`.
template <class Character, class Byte>
std::string Recode(std::string_view text, Character&& character, Byte&& byte) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = static_cast<unsigned char>(text[i]) >= 0x80 ? Utf8CharLength(text, i) : 0;
    if (n > 0) {
      character(out, text.substr(i, n));
      i += n;
    } else {
      byte(out, static_cast<unsigned char>(text[i++]));
    }
  }
  return out;
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
  return Recode(text, Keep, [](std::string& out, unsigned char b) {
    if (b >= 0x80) {
      out += "&#" + std::to_string(b) + ";";
      return;
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
  });
}

std::string UrlPath(std::string_view path) {
  return Recode(path, Keep, [](std::string& out, unsigned char b) {
    if (KeptInUrl(b)) {
      out += static_cast<char>(b);
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  });
}

std::string AsciiScriptText(std::string_view text) {
  const auto escape = [](std::string& out, std::string_view ch) {
    const unsigned c = CodePoint(ch);
    if (c > 0xFFFF) {
      AppendUnit(out, 0xD800 + ((c - 0x10000) >> 10));
      AppendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      AppendUnit(out, c);
    }
  };
  return Recode(text, escape,
                [](std::string& out, unsigned char b) { out += static_cast<char>(b); });
}

}  // namespace fw
