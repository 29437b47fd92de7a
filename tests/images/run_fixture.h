// What the picture-run tests share: a gallery held in maps over a real folder, picture files
// of the four kinds written in code, and a snapshot of a folder's files for loss checks.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/paths.h"
#include "common/text.h"
#include "images/image_io.h"
#include "images/image_list.h"
#include "images/jpeg_writer.h"
#include "images/pictures.h"
#include "settings/catalogue.h"
#include "settings/gallery_snapshot.h"
#include "support/map_gallery.h"

namespace fw::testing {

// Gallery values with catalogue defaults; the image list is scanned from the image folder
// on reloadImages() unless a test sets `list` itself (a manual order).
class FolderGallery : public MapGallery {
 public:
  int reloads = 0;

  explicit FolderGallery(const std::string& baseDir) { set("BaseDir", baseDir); }
  FolderGallery& set(const std::string& name, const std::string& v) {
    MapGallery::set(name, v);
    return *this;
  }
  FolderGallery& set(const std::string& name, int v) {
    MapGallery::set(name, v);
    return *this;
  }
  std::string imageFolder() const {
    return AddBackslash(AddBackslash(text("BaseDir")) + text("ImageDir"));
  }
  std::string thumbFolder() const {
    return AddBackslash(AddBackslash(text("BaseDir")) + text("ThumbsDir"));
  }
  // Scans the folder as the profile loader would.
  void scan() { list = ScanImageList(ReadSettings(*this)); }
  void reloadImages() override {
    ++reloads;
    scan();
  }
};

inline std::string JpegBytes(int w, int h) { return EncodeJpeg(SmoothRaster(w, h), 85, false); }

// A JPEG of exactly `total` bytes: comment segments after the start marker fill it up.
inline std::string JpegOfSize(int w, int h, std::size_t total) {
  const std::string jpeg = JpegBytes(w, h);
  EXPECT_GE(total, jpeg.size() + 4);
  std::string fill;
  for (std::size_t need = total - jpeg.size(); need > 0;) {
    std::size_t body = need - 4;
    if (body > 60000) body = need < 60008 ? 59990 : 60000;  // never leave less than a segment
    const std::size_t len = body + 2;
    fill += '\xFF', fill += '\xFE', fill += char(len >> 8), fill += char(len & 255);
    fill.append(body, 'x');
    need -= body + 4;
  }
  return jpeg.substr(0, 2) + fill + jpeg.substr(2);
}

inline void Put16(std::string& s, unsigned v) { s += char(v & 255), s += char(v >> 8 & 255); }
inline void Put32(std::string& s, unsigned v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }
inline void Put32Be(std::string& s, unsigned v) {
  for (int k = 3; k >= 0; --k) s += char(v >> (8 * k) & 255);
}

// 24-bit, bottom-up.
inline std::string BmpBytes(int w, int h) {
  const Raster r = SmoothRaster(w, h);
  const unsigned stride = (unsigned(w) * 3 + 3) & ~3u;
  std::string s = "BM";
  Put32(s, 54 + stride * h), Put32(s, 0), Put32(s, 54);
  Put32(s, 40), Put32(s, w), Put32(s, h), Put16(s, 1), Put16(s, 24);
  Put32(s, 0), Put32(s, stride * h), Put32(s, 2835), Put32(s, 2835), Put32(s, 0), Put32(s, 0);
  for (int y = h - 1; y >= 0; --y) {
    const std::uint8_t* p = r.row(y);
    for (int x = 0; x < w; ++x)
      s += char(p[x * 3 + 2]), s += char(p[x * 3 + 1]), s += char(p[x * 3]);
    s.append(stride - unsigned(w) * 3, '\0');
  }
  return s;
}

// 8-bit RGB, not interlaced.
inline std::string PngBytes(int w, int h) {
  const Raster r = SmoothRaster(w, h);
  std::string raw;
  for (int y = 0; y < h; ++y) {
    raw += '\0';
    raw.append(reinterpret_cast<const char*>(r.row(y)), std::size_t(w) * 3);
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  std::string packed(packedSize, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
           reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()));
  packed.resize(packedSize);
  auto chunk = [](std::string& out, const char* type, const std::string& data) {
    Put32Be(out, unsigned(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    Put32Be(out,
            unsigned(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
  };
  std::string ihdr;
  Put32Be(ihdr, w), Put32Be(ihdr, h);
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);
  std::string s = "\x89PNG\r\n\x1a\n";
  chunk(s, "IHDR", ihdr);
  chunk(s, "IDAT", packed);
  chunk(s, "IEND", "");
  return s;
}

// 256 colours (3-3-2 bits), LZW codes kept at 9 bits by a clear code every 200 pixels.
inline std::string GifBytes(int w, int h) {
  const Raster r = SmoothRaster(w, h);
  std::string s = "GIF89a";
  Put16(s, w), Put16(s, h);
  s += '\xF7', s += '\0', s += '\0';
  for (int i = 0; i < 256; ++i)
    s += char((i >> 5) * 255 / 7), s += char((i >> 2 & 7) * 255 / 7), s += char((i & 3) * 255 / 3);
  s += ',';
  Put16(s, 0), Put16(s, 0), Put16(s, w), Put16(s, h);
  s += '\0', s += '\x08';
  std::string data;
  unsigned acc = 0;
  int bits = 0;
  auto emit = [&](unsigned code) {
    acc |= code << bits;
    for (bits += 9; bits >= 8; bits -= 8, acc >>= 8) data += char(acc & 255);
  };
  int run = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (run++ % 200 == 0) emit(256);
      const std::uint8_t* p = r.row(y) + x * 3;
      emit(unsigned(p[0] >> 5 << 5 | p[1] >> 5 << 2 | p[2] >> 6));
    }
  emit(257);
  if (bits > 0) data += char(acc & 255);
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - at);
    s += char(n);
    s += data.substr(at, n);
  }
  s += '\0', s += ';';
  return s;
}

// A picture file of the kind its name's ending tells.
inline void MakePicture(const std::string& path, int w, int h) {
  const std::string e = LowerAscii(RightPart(path, 3));
  WriteBytes(path, e == "gif"   ? GifBytes(w, h)
                   : e == "png" ? PngBytes(w, h)
                   : e == "bmp" ? BmpBytes(w, h)
                                : JpegBytes(w, h));
}

// Every file of a folder (not below it) with its content.
inline std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    if (e.is_regular_file()) files[e.path().filename().string()] = fs::ReadFile(e.path().string());
  return files;
}

inline ImageSize SizeOf(const std::string& path) { return GetImageSize(path); }

}  // namespace fw::testing
