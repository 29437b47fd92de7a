// Writer and reader of the settings dump file. Every line goes through AppendTextLine, which
// opens and closes the file for each line; dumps are a few hundred lines.
#include "backup/dump.h"

#include <cerrno>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "common/gallery_name.h"
#include "common/text.h"
#include "settings/gallery_keys.h"
#include "settings/store.h"

namespace fw {

namespace {

constexpr std::array<std::string_view, 7> kRootNames = {
    "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

// Where the keys of a root name live in the store: the current user's hive is the store
// itself; the other roots are top-level keys of their own name. False for an unknown name.
bool RootPrefix(std::string_view rootName, std::string& prefix) {
  std::string upper = UpperAscii(rootName);
  for (auto known : kRootNames) {
    if (upper == known) {
      prefix = upper == "HKEY_CURRENT_USER" ? std::string() : upper;
      return true;
    }
  }
  return false;
}

std::string Join(const std::string& prefix, const std::string& path) {
  return prefix.empty() ? path : path.empty() ? prefix : prefix + "\\" + path;
}

// Splits "ROOT\rest" at the first backslash; a path without one is all root name.
void SplitRoot(const std::string& path, std::string& root, std::string& rest) {
  std::size_t cut = path.find('\\');
  root = path.substr(0, cut);
  rest = cut == std::string::npos ? std::string() : path.substr(cut + 1);
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Two digits per byte; a trailing odd digit is dropped. False on a character that is no
// hexadecimal digit.
bool Unhex(std::string_view text, std::string& bytes) {
  bytes.clear();
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes += static_cast<char>(hi * 16 + lo);
  }
  return true;
}

// The names of a key path's keys; empty names (doubled backslashes) name no key.
std::vector<std::string> KeyParts(const std::string& path) {
  std::vector<std::string> parts;
  for (std::size_t i = 0; i <= path.size();) {
    std::size_t j = std::min(path.find('\\', i), path.size());
    if (j > i) parts.push_back(path.substr(i, j - i));
    i = j + 1;
  }
  return parts;
}

// The gallery a key path of the current user's hive belongs to: the key below "Galleries" of
// either settings root. False for every other key.
bool GalleryOfKey(const std::string& path, std::string& gallery) {
  const std::vector<std::string> parts = KeyParts(path);
  for (const char* root : {kSettingsRoot, kTestSettingsRoot}) {
    const std::vector<std::string> galleries = KeyParts(GalleriesKey(root));
    if (parts.size() <= galleries.size() ||
        !std::equal(galleries.begin(), galleries.end(), parts.begin(), EqualsNoCase))
      continue;
    gallery = parts[galleries.size()];
    return true;
  }
  return false;
}

std::int32_t ParseInt(const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long v = 0;
  bool digits = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    digits = true;
    if (v > 2147483648LL) break;
  }
  if (negative) v = -v;
  if (!digits || i != text.size() || v > 2147483647LL || v < -2147483648LL)
    throw Error("'" + text + "' is not a valid integer value");
  return static_cast<std::int32_t>(v);
}

std::string Trimmed(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

// Lines end at CR LF, at a lone LF or at a lone CR.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      out.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) out.push_back(line);
  return out;
}

// Where the value lines after a section header of a dump go.
struct DumpSection {
  bool accepting = true;
  std::string prefix;  // the store's key of the header's root
  std::string path;

  // Takes a header line: "[" + key path + "]", the path beginning with a root name or not.
  void read(const std::string& line) {
    path = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string();
    if (LowerAscii(path.substr(0, 4)) == "hkey") {
      accepting = false;
      std::string rootName;
      SplitRoot(path, rootName, path);
      if (RootPrefix(rootName, prefix)) accepting = true;
    }
  }
  std::string key() const { return Join(prefix, path); }
  // The gallery whose key (or a key below it) the section names.
  bool gallery(std::string& name) const {
    return accepting && prefix.empty() && GalleryOfKey(path, name);
  }
};

}  // namespace

bool AppendTextLine(const std::string& file, const std::string& line) {
  return fs::AppendFile(file, line + "\r\n");
}

void ExportSettingsTree(const Store& store, const std::string& file, const std::string& keyPath) {
  std::string rootName, path = keyPath, prefix;
  if (LowerAscii(keyPath.substr(0, 5)) == "hkey_") {
    SplitRoot(keyPath, rootName, path);
    if (!RootPrefix(rootName, prefix)) return;
  }
  int lost = 0;  // errno of the first line that could not be appended
  auto append = [&](const std::string& line) {
    if (!AppendTextLine(file, line) && lost == 0) lost = errno ? errno : EIO;
  };
  std::vector<std::string> work{path};
  for (std::size_t i = 0; i < work.size(); ++i) {
    const std::string entry = work[i];
    const std::string stored = Join(prefix, entry);
    if (store.KeyExists(stored)) {
      append("[" + rootName + "\\" + entry + "]");
      for (const auto& v : store.Values(stored)) {
        switch (v.kind) {
          case ValueKind::Integer:
            append(v.name + "int=" + std::to_string(v.integer));
            break;
          case ValueKind::String:
          case ValueKind::ExpandString:
            append(v.name + "str=" + ReplaceAll(v.data, "\r\n", "qqqq"));
            break;
          case ValueKind::Binary:
            append(v.name + "bin=" + Hex(v.data));
            break;
        }
      }
      for (const auto& sub : store.Subkeys(stored)) work.push_back(entry + "\\" + sub);
    }
    append("");
  }
  if (lost != 0) {
    errno = lost;
    ThrowFileError(file);
  }
}

std::string LeftOutMessage(const std::vector<std::string>& leftOut) {
  std::string text = "These values were left out, because their data are not hexadecimal digits:";
  for (const std::string& line : leftOut) text += "\r\n" + line;
  return text;
}

std::vector<std::string> ImportSettingsTree(Store& store, const std::string& file) {
  std::vector<std::string> leftOut;
  if (!fs::IsFile(file)) return leftOut;
  // The whole file is read and checked first, then applied in one transaction: a file that
  // fails changes nothing, and its message names the line.
  DumpSection at;
  std::vector<KeyedValue> values;
  std::size_t number = 0;
  for (const std::string& line : Lines(fs::ReadFile(file))) {
    ++number;
    auto failed = [&](const Error& e) {
      return Error(std::string(e.what()) + " (line " + std::to_string(number) + ": " + line + ")");
    };
    if (Trimmed(line).empty()) continue;
    if (line[0] == '[') {
      at.read(line);
      std::string gallery;
      try {
        if (at.gallery(gallery)) CheckGalleryName(gallery);
      } catch (const Error& e) {
        throw failed(e);
      }
      continue;
    }
    if (!at.accepting) continue;
    std::size_t eq = line.find('=');
    // The writer always puts a three-letter tag before the first "="; anything else is no
    // value line of a dump.
    if (eq == std::string::npos || eq < 3) continue;
    KeyedValue v{at.key(), {line.substr(0, eq - 3), ValueKind::String, {}, 0}};
    const std::string tag = line.substr(eq - 3, 3);
    const std::string text = line.substr(eq + 1);
    if (tag == "int") {
      v.value.kind = ValueKind::Integer;
      try {
        v.value.integer = ParseInt(text);
      } catch (const Error& e) {
        throw failed(e);
      }
    } else if (tag == "str") {
      v.value.data = ReplaceAll(text, "qqqq", "\r\n");
    } else {
      v.value.kind = ValueKind::Binary;
      if (!Unhex(text, v.value.data)) {
        leftOut.push_back("line " + std::to_string(number) + ": " + line);
        continue;
      }
    }
    values.push_back(std::move(v));
  }
  store.WriteValues(values);
  return leftOut;
}

std::vector<std::string> GalleriesInDump(const std::string& file) {
  std::vector<std::string> names;
  if (!fs::IsFile(file)) return names;
  DumpSection at;
  for (const std::string& line : Lines(fs::ReadFile(file))) {
    if (line.empty() || line[0] != '[') continue;
    at.read(line);
    std::string gallery;
    if (at.gallery(gallery) && std::find(names.begin(), names.end(), gallery) == names.end())
      names.push_back(gallery);
  }
  return names;
}

}  // namespace fw
