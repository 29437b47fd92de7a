#include "images/image_io.h"

#include <cmath>

#include "common/error.h"
#include "common/fs.h"
#include "common/host.h"
#include "images/bmp_reader.h"
#include "images/gif_reader.h"
#include "images/jpeg_reader.h"
#include "images/jpeg_writer.h"
#include "images/png_reader.h"
#include "images/scaler.h"

namespace fw {
namespace {

// The last n characters of a name, ASCII letters lowered; the kind is never sniffed.
std::string Ending(const std::string& path, std::size_t n) {
  std::string e = path.size() > n ? path.substr(path.size() - n) : path;
  for (char& c : e)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return e;
}

}  // namespace

PictureKind KindByEnding(const std::string& ending) {
  if (ending == "jpg") return PictureKind::Jpeg;
  if (ending == "gif") return PictureKind::Gif;
  if (ending == "png") return PictureKind::Png;
  if (ending == "bmp") return PictureKind::Bmp;
  return PictureKind::None;
}

PictureKind ProbeKind(const std::string& path) { return KindByEnding(Ending(path, 3)); }

PictureKind DecodeKind(const std::string& path) {
  const std::string e = Ending(path, 4);
  return e.size() == 4 && e[0] == '.' ? KindByEnding(e.substr(1)) : PictureKind::None;
}

bool GetImageSize(const std::string& path, int& width, int& height) {
  switch (ProbeKind(path)) {
    case PictureKind::Jpeg: {
      const JpegInfo i = ReadJpegSize(path);
      width = i.width, height = i.height;
      return true;
    }
    case PictureKind::Gif: {
      const GifInfo i = ReadGifSize(path);
      width = i.width, height = i.height;
      return true;
    }
    case PictureKind::Png: {
      const PngInfo i = ReadPngSize(path);
      width = i.width, height = i.height;
      return true;
    }
    case PictureKind::Bmp: {
      const BmpInfo i = ReadBmpSize(path);
      width = i.width, height = i.height;
      return true;
    }
    case PictureKind::None:
      break;
  }
  return false;
}

ImageSize GetImageSize(const std::string& path) {
  ImageSize s;
  GetImageSize(path, s.width, s.height);
  return s;
}

Raster DecodePicture(const std::string& path) {
  switch (DecodeKind(path)) {
    case PictureKind::Jpeg:
      return ReadJpeg(path);
    case PictureKind::Gif:
      return ReadGif(path);
    case PictureKind::Png:
      return ReadPng(path);
    case PictureKind::Bmp:
      return ReadBmp(path);
    case PictureKind::None:
      break;
  }
  throw Error("Not a picture file: " + path);
}

bool MakeScaledJpeg(Host& host, const std::string& sourcePath, const std::string& targetPath,
                    int size, int quality, bool progressive) {
  if (DecodeKind(sourcePath) == PictureKind::None) return true;
  // The source is read completely before anything is written, so target may equal source.
  const Raster source = DecodePicture(sourcePath);
  const std::string jpeg = EncodeJpeg(PointSample(source, size, host), quality, progressive);
  try {
    // Written beside the target and renamed over it: a picture shrunk in place is never lost
    // to a half-written file. Only a file that replaces another waits for the disk; a new
    // file (most often a thumbnail) loses nothing if a power cut takes it.
    fs::ReplaceAtomically(targetPath, jpeg, fs::Exists(targetPath));
  } catch (const Error&) {
    host.message("Could not create file " + targetPath + ". Will continue with next file.");
    return false;
  }
  return true;
}

int FitLongestSide(const std::string& path, int maxWidth, int maxHeight) {
  const ImageSize s = GetImageSize(path);
  const long double w = s.width, h = s.height;
  const long double r = static_cast<double>(w / h);
  const int longest = s.width > s.height ? s.width : s.height;
  if (s.width <= maxWidth && s.height <= maxHeight) return longest;
  if (s.width > s.height) {
    if (maxHeight >= maxWidth / r) return maxWidth;
    return static_cast<int>(std::llrint(maxHeight * r));
  }
  if (maxWidth >= maxHeight * r) return maxHeight;
  return static_cast<int>(std::llrint(maxWidth / r));
}

}  // namespace fw
