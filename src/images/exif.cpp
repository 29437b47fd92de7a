#include "images/exif.h"

#include <cstdint>
#include <fstream>

#include "images/tiff_bytes.h"

namespace fw {
namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShort = 3;
// Enough for every real file's leading segments (ICC profiles come in at most 255 pieces);
// a file that goes on past it is taken as having no tag.
constexpr int kMaxSegments = 1024;
constexpr int kMaxFillBytes = 1024;

// The bytes of a JPEG, read in order; both sources fail rather than read past their end.
class MemoryBytes {
 public:
  explicit MemoryBytes(std::string_view data) : data_(data) {}
  bool read(char* out, std::size_t n) {
    if (n > data_.size() - at_) return false;
    data_.copy(out, n, at_);
    at_ += n;
    return true;
  }
  bool skip(std::size_t n) {
    if (n > data_.size() - at_) return false;
    at_ += n;
    return true;
  }

 private:
  std::string_view data_;
  std::size_t at_ = 0;
};

class FileBytes {
 public:
  explicit FileBytes(const std::string& path) : in_(path, std::ios::binary) {}
  bool read(char* out, std::size_t n) {
    return bool(in_.read(out, std::streamsize(n))) && std::size_t(in_.gcount()) == n;
  }
  bool skip(std::size_t n) { return bool(in_.seekg(std::streamoff(n), std::ios::cur)); }

 private:
  std::ifstream in_;
};

int OrientationOfTiff(std::string_view data) {
  const std::optional<TiffBytes> tiff = TiffBytes::Of(data);
  if (!tiff) return 1;
  const std::optional<std::size_t> ifd = tiff->firstIfd();
  const std::optional<std::size_t> count = ifd ? tiff->entries(*ifd) : std::nullopt;
  if (!count) return 1;
  for (std::size_t i = 0; i < *count; ++i) {
    const std::size_t entry = *ifd + 2 + 12 * i;
    if (tiff->u16(entry) != kOrientationTag) continue;
    if (tiff->u16(entry + 2) != kShort || tiff->u32(entry + 4) != 1) return 1;
    const std::uint32_t value = tiff->u16(entry + 8);
    return value >= 1 && value <= 8 ? int(value) : 1;
  }
  return 1;
}

// Walks the segments from the start of image to the first scan (or the end of image) and reads
// the first APP1 segment that carries Exif data.
template <typename Bytes>
int OrientationFromMarkers(Bytes& bytes) {
  unsigned char b[2];
  char* raw = reinterpret_cast<char*>(b);
  if (!bytes.read(raw, 2) || b[0] != 0xFF || b[1] != 0xD8) return 1;
  for (int segment = 0; segment < kMaxSegments; ++segment) {
    if (!bytes.read(raw, 1) || b[0] != 0xFF) return 1;
    int fill = 0;
    do {
      if (!bytes.read(raw, 1) || ++fill > kMaxFillBytes) return 1;
    } while (b[0] == 0xFF);
    const unsigned code = b[0];
    if (code == 0xDA || code == 0xD9 || code == 0x00) return 1;    // scan, end, or no marker
    if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) continue;  // markers without length
    if (!bytes.read(raw, 2)) return 1;
    const unsigned length = unsigned(b[0]) << 8 | b[1];
    if (length < 2) return 1;
    const std::size_t payload = length - 2;
    if (code == 0xE1 && payload >= 6) {
      std::string data(payload, '\0');
      if (!bytes.read(data.data(), payload)) return 1;
      if (data.compare(0, 6, std::string_view("Exif\0\0", 6)) == 0) return ExifOrientation(data);
    } else if (!bytes.skip(payload)) {
      return 1;
    }
  }
  return 1;
}

}  // namespace

int ExifOrientation(std::string_view app1Payload) {
  if (app1Payload.size() < 6 || app1Payload.substr(0, 6) != std::string_view("Exif\0\0", 6))
    return 1;
  return OrientationOfTiff(app1Payload.substr(6));
}

int TiffOrientation(std::string_view exif) {
  if (exif.substr(0, 6) == std::string_view("Exif\0\0", 6)) exif.remove_prefix(6);
  return OrientationOfTiff(exif);
}

int JpegOrientationFromBytes(std::string_view jpeg) {
  MemoryBytes bytes(jpeg);
  return OrientationFromMarkers(bytes);
}

int ReadJpegOrientation(const std::string& path) {
  FileBytes bytes(path);
  return OrientationFromMarkers(bytes);
}

}  // namespace fw
