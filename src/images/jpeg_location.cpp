#include "images/jpeg_location.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "images/tiff_bytes.h"

namespace fw {
namespace {

constexpr std::uint16_t kGpsPointerTag = 0x8825;
constexpr std::string_view kExifStart("Exif\0\0", 6);
constexpr std::string_view kXmpStart("http://ns.adobe.com/xap/1.0/\0", 29);

std::uint64_t TypeSize(std::uint32_t type) {
  switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
      return 1;
    case 3:
    case 8:
      return 2;
    case 4:
    case 9:
    case 11:
    case 13:
      return 4;
    case 5:
    case 10:
    case 12:
      return 8;
    default:
      return 0;
  }
}

void Blank(std::string& data, std::uint64_t at, std::uint64_t length) {
  if (at > data.size() || length > data.size() - at) return;
  std::memset(data.data() + at, 0, std::size_t(length));
}

// The GPS IFD's entries, the values they keep outside the table, and the table itself.
void BlankGpsIfd(std::string& data, const TiffBytes& tiff, std::size_t ifd) {
  const std::optional<std::size_t> count = tiff.entries(ifd);
  if (!count) return;
  for (std::size_t i = 0; i < *count; ++i) {
    const std::size_t entry = ifd + 2 + 12 * i;
    const std::uint64_t size = TypeSize(tiff.u16(entry + 2)) * tiff.u32(entry + 4);
    if (size > 4) Blank(data, tiff.u32(entry + 8), size);
  }
  const std::uint64_t table = 2 + 12 * std::uint64_t(*count);
  Blank(data, ifd, table + (data.size() - ifd - table >= 4 ? 4 : 0));
}

void Put16(std::string& data, std::size_t at, std::uint32_t v, bool little) {
  data[at + (little ? 0 : 1)] = char(v & 0xFF);
  data[at + (little ? 1 : 0)] = char(v >> 8 & 0xFF);
}

// The end of an XML name that starts at `at`.
std::size_t NameEnd(std::string_view xml, std::size_t at) {
  while (at < xml.size() && !std::strchr(" \t\r\n=/>", xml[at])) ++at;
  return at;
}

// The character after a quoted value that opens at `at`, or npos.
std::size_t AfterQuoted(std::string_view xml, std::size_t at) {
  if (at >= xml.size() || (xml[at] != '"' && xml[at] != '\'')) return std::string_view::npos;
  const std::size_t close = xml.find(xml[at], at + 1);
  return close == std::string_view::npos ? close : close + 1;
}

std::size_t SkipBlanks(std::string_view xml, std::size_t at) {
  while (at < xml.size() && std::strchr(" \t\r\n", xml[at])) ++at;
  return at;
}

// The prefixes the packet binds to the Exif namespace, where the GPS properties live.
std::vector<std::string> ExifPrefixes(std::string_view xml) {
  std::vector<std::string> prefixes;
  for (std::size_t at = xml.find("xmlns:"); at != std::string_view::npos;
       at = xml.find("xmlns:", at + 6)) {
    const std::size_t name = at + 6, end = NameEnd(xml, name);
    std::size_t value = SkipBlanks(xml, end);
    if (value >= xml.size() || xml[value] != '=') continue;
    value = SkipBlanks(xml, value + 1);
    const std::size_t after = AfterQuoted(xml, value);
    if (after == std::string_view::npos) continue;
    if (xml.substr(value + 1, after - value - 2) == "http://ns.adobe.com/exif/1.0/")
      prefixes.emplace_back(xml.substr(name, end - name));
  }
  return prefixes;
}

// Where the element whose start tag opens at `at` ends (after its end tag), or npos.
std::size_t ElementEnd(std::string_view xml, std::size_t at) {
  const std::size_t nameEnd = NameEnd(xml, at + 1);
  const std::string_view name = xml.substr(at + 1, nameEnd - at - 1);
  std::size_t i = nameEnd;
  while (i < xml.size() && xml[i] != '>') {
    if (xml[i] == '"' || xml[i] == '\'') {
      i = AfterQuoted(xml, i);
      if (i == std::string_view::npos) return i;
    } else {
      ++i;
    }
  }
  if (i >= xml.size()) return std::string_view::npos;
  if (xml[i - 1] == '/') return i + 1;
  const std::string close = "</" + std::string(name);
  const std::size_t end = xml.find(close, i);
  if (end == std::string_view::npos) return end;
  const std::size_t gt = SkipBlanks(xml, end + close.size());
  return gt < xml.size() && xml[gt] == '>' ? gt + 1 : std::string_view::npos;
}

void Spaces(std::string& xml, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i)
    if (!std::strchr("\r\n", xml[i])) xml[i] = ' ';  // line ends kept: the layout stays
}

bool RemoveGpsOfPrefix(std::string& xml, const std::string& prefix) {
  bool changed = false;
  const std::string property = prefix + ":GPS";
  for (std::size_t at = xml.find(property); at != std::string::npos;
       at = xml.find(property, at + 1)) {
    if (at > 0 && xml[at - 1] == '<') {  // a property element
      const std::size_t end = ElementEnd(xml, at - 1);
      if (end == std::string::npos) continue;
      Spaces(xml, at - 1, end);
      changed = true;
    } else if (at > 0 && std::strchr(" \t\r\n", xml[at - 1])) {  // a property attribute
      std::size_t eq = SkipBlanks(xml, NameEnd(xml, at));
      if (eq >= xml.size() || xml[eq] != '=') continue;
      const std::size_t end = AfterQuoted(xml, SkipBlanks(xml, eq + 1));
      if (end == std::string::npos) continue;
      Spaces(xml, at, end);
      changed = true;
    }
  }
  return changed;
}

}  // namespace

bool RemoveExifGps(std::string& data) {
  const std::optional<TiffBytes> tiff = TiffBytes::Of(data);
  const std::optional<std::size_t> ifd = tiff ? tiff->firstIfd() : std::nullopt;
  std::optional<std::size_t> count = ifd ? tiff->entries(*ifd) : std::nullopt;
  if (!count || data.size() - *ifd - 2 - 12 * *count < 4) return false;
  bool changed = false;
  for (std::size_t i = 0; i < *count;) {
    const std::size_t entry = *ifd + 2 + 12 * i;
    if (tiff->u16(entry) != kGpsPointerTag) {
      ++i;
      continue;
    }
    BlankGpsIfd(data, *tiff, tiff->u32(entry + 8));
    // The later entries and the next-IFD offset move up by one entry; IFD0 keeps its place,
    // so no offset anywhere changes.
    const std::size_t tail = *ifd + 2 + 12 * *count + 4;
    std::memmove(data.data() + entry, data.data() + entry + 12, tail - entry - 12);
    std::memset(data.data() + tail - 12, 0, 12);
    Put16(data, *ifd, std::uint32_t(--*count), tiff->little());
    changed = true;
  }
  return changed;
}

bool RemoveXmpGps(std::string& xml) {
  bool changed = false;
  for (const std::string& prefix : ExifPrefixes(xml)) changed |= RemoveGpsOfPrefix(xml, prefix);
  return changed;
}

bool RemoveJpegLocation(std::string& jpeg) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(jpeg[at]); };
  if (jpeg.size() < 2 || byte(0) != 0xFF || byte(1) != 0xD8) throw Error("Not a JPEG file");
  struct Segment {
    std::size_t at, length;
  };
  std::vector<Segment> edits;
  std::size_t at = 2;
  for (;;) {
    if (at >= jpeg.size() || byte(at) != 0xFF)
      throw Error("The JPEG file is damaged before its image data");
    while (at < jpeg.size() && byte(at) == 0xFF) ++at;
    if (at >= jpeg.size()) throw Error("The JPEG file is damaged before its image data");
    const unsigned code = byte(at++);
    if (code == 0xDA || code == 0xD9) break;  // the image data, or an end without any
    if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) continue;
    if (code == 0x00 || jpeg.size() - at < 2)
      throw Error("The JPEG file is damaged before its image data");
    const std::size_t length = std::size_t(byte(at)) << 8 | byte(at + 1);
    if (length < 2 || length > jpeg.size() - at)
      throw Error("The JPEG file is damaged before its image data");
    if (code == 0xE1) edits.push_back({at + 2, length - 2});
    at += length;
  }
  bool changed = false;
  for (const Segment& s : edits) {
    const std::string_view payload(jpeg.data() + s.at, s.length);
    const bool exif = payload.substr(0, kExifStart.size()) == kExifStart;
    const bool xmp = payload.substr(0, kXmpStart.size()) == kXmpStart;
    if (!exif && !xmp) continue;
    const std::size_t skip = exif ? kExifStart.size() : kXmpStart.size();
    std::string data(payload.substr(skip));
    if (!(exif ? RemoveExifGps(data) : RemoveXmpGps(data))) continue;
    jpeg.replace(s.at + skip, data.size(), data);
    changed = true;
  }
  return changed;
}

}  // namespace fw
