#include "images/picture_location.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "common/error.h"
#include "images/jpeg_location.h"

namespace fw {
namespace {

constexpr std::string_view kExifStart("Exif\0\0", 6);  // some writers keep the JPEG's prefix

std::uint32_t U32(const std::string& b, std::size_t at) {
  return std::uint32_t(static_cast<unsigned char>(b[at])) |
         std::uint32_t(static_cast<unsigned char>(b[at + 1])) << 8 |
         std::uint32_t(static_cast<unsigned char>(b[at + 2])) << 16 |
         std::uint32_t(static_cast<unsigned char>(b[at + 3])) << 24;
}

// A metadata chunk's payload with its location data blanked; true when it changed.
bool Clean(std::string_view fourcc, std::string& payload) {
  if (fourcc == "XMP ") return RemoveXmpGps(payload);
  const std::size_t skip = payload.compare(0, kExifStart.size(), kExifStart) == 0 ? 6 : 0;
  std::string tiff = payload.substr(skip);
  if (!RemoveExifGps(tiff)) return false;
  payload.replace(skip, tiff.size(), tiff);
  return true;
}

}  // namespace

bool RemoveWebpLocation(std::string& webp) {
  if (webp.size() < 12 || webp.compare(0, 4, "RIFF") != 0 || webp.compare(8, 4, "WEBP") != 0)
    throw Error("Not a WebP file");
  const std::size_t end = std::min<std::size_t>(webp.size(), std::size_t(U32(webp, 4)) + 8);
  std::string out = webp;
  bool changed = false;
  for (std::size_t at = 12; at < end;) {
    if (end - at < 8) throw Error("The WebP file is damaged");
    const std::size_t length = U32(webp, at + 4);
    if (length > end - at - 8) throw Error("The WebP file is damaged");
    const std::string_view fourcc = std::string_view(webp).substr(at, 4);
    std::string payload;
    if ((fourcc == "EXIF" || fourcc == "XMP ") &&
        Clean(fourcc, payload = webp.substr(at + 8, length))) {
      out.replace(at + 8, length, payload);
      changed = true;
    }
    at += 8 + length + (length & 1);
  }
  if (changed) webp.swap(out);
  return changed;
}

bool RemovePictureLocation(std::string& file, PictureKind kind) {
  if (kind == PictureKind::Jpeg) return RemoveJpegLocation(file);
  if (kind == PictureKind::Webp) return RemoveWebpLocation(file);
  return false;
}

}  // namespace fw
