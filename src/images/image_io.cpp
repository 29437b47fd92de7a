#include "images/image_io.h"

#include <cmath>
#include <optional>

#include "common/error.h"
#include "common/fs.h"
#include "common/host.h"
#include "common/rounding.h"
#include "images/bmp_reader.h"
#include "images/exif.h"
#include "images/gif_reader.h"
#include "images/heif_reader.h"
#include "images/jpeg_reader.h"
#include "images/jpeg_rows.h"
#include "images/jpeg_smooth.h"
#include "images/jpeg_writer.h"
#include "images/orient.h"
#include "images/png_reader.h"
#include "images/scaler.h"
#include "images/smooth_scaler.h"
#include "images/srgb.h"
#include "images/tiff_reader.h"
#include "images/webp_reader.h"

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

PictureKind AnyPictureKind(const std::string& path) {
  const std::size_t dot = path.find_last_of("./");
  if (dot == std::string::npos || path[dot] != '.') return PictureKind::None;
  const std::string e = Ending(path, path.size() - dot - 1);
  if (e == "jpeg" || e == "jpe" || e == "jfif") return PictureKind::Jpeg;
  if (e == "heic" || e == "heif") return PictureKind::Heif;
  if (e == "avif") return PictureKind::Avif;
  if (e == "webp") return PictureKind::Webp;
  if (e == "tif" || e == "tiff") return PictureKind::Tiff;
  return KindByEnding(e);
}

PictureKind PictureKindOf(const std::string& path) {
  const PictureKind kind = AnyPictureKind(path);
  return kind != PictureKind::None ? kind : ProbeKind(path);
}

std::string WithJpgExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of("./");
  const std::size_t ext = dot != std::string::npos && path[dot] == '.' ? path.size() - dot - 1 : 3;
  return path.substr(0, path.size() >= ext ? path.size() - ext : 0) + "jpg";
}

bool GetImageSize(const std::string& path, int& width, int& height) {
  const PictureKind kind = ProbeKind(path);
  if (kind == PictureKind::None) return false;
  const ImageSize s = GetImageSize(path, kind);
  width = s.width, height = s.height;
  return true;
}

ImageSize GetImageSize(const std::string& path, PictureKind kind) {
  switch (kind) {
    case PictureKind::Jpeg: {
      const JpegInfo i = ReadJpegSize(path);
      // The size a browser shows: a picture stored on its side is displayed turned.
      const bool swap = SwapsSides(ReadJpegOrientation(path));
      return swap ? ImageSize{i.height, i.width} : ImageSize{i.width, i.height};
    }
    case PictureKind::Gif: {
      const GifInfo i = ReadGifSize(path);
      return {i.width, i.height};
    }
    case PictureKind::Png: {
      const PngInfo i = ReadPngSize(path);
      return {i.width, i.height};
    }
    case PictureKind::Bmp: {
      const BmpInfo i = ReadBmpSize(path);
      return {i.width, i.height};
    }
    case PictureKind::Heif:
    case PictureKind::Avif: {
      const HeifInfo i = ReadHeifSize(path);
      return {i.width, i.height};
    }
    case PictureKind::Webp: {
      const WebpInfo i = ReadWebpSize(path);
      return {i.width, i.height};
    }
    case PictureKind::Tiff: {
      const TiffInfo i = ReadTiffSize(path);
      return {i.width, i.height};
    }
    case PictureKind::None:
      break;
  }
  return {};
}

ImageSize GetImageSize(const std::string& path) { return GetImageSize(path, ProbeKind(path)); }

Raster DecodePicture(const std::string& path) { return DecodePicture(path, DecodeKind(path)); }

namespace {

// The profile a reader found, handed on with its raster.
template <typename Info>
Raster WithProfile(Raster (*decode)(const std::string&, Info*), const std::string& path) {
  Info info;
  Raster r = decode(fs::ReadFile(path), &info);
  r.iccProfile = info.icc;
  return r;
}

// The picture as shown, with the profile its file carries still to be applied.
Raster DecodeTagged(const std::string& path, PictureKind kind) {
  switch (kind) {
    case PictureKind::Jpeg: {
      const int orientation = ReadJpegOrientation(path);
      Raster stored = ReadJpeg(path);
      if (orientation == 1) return stored;
      Raster shown = TurnRaster(stored, orientation);
      shown.iccProfile = std::move(stored.iccProfile);
      return shown;
    }
    case PictureKind::Gif:
      return ReadGif(path);
    case PictureKind::Png:
      return ReadPng(path);
    case PictureKind::Bmp:
      return ReadBmp(path);
    case PictureKind::Heif:
    case PictureKind::Avif:
      return WithProfile(&DecodeHeif, path);
    case PictureKind::Webp:
      return WithProfile(&DecodeWebp, path);
    case PictureKind::Tiff:
      return WithProfile(&DecodeTiff, path);
    case PictureKind::None:
      break;
  }
  throw Error("Not a picture file: " + path);
}

Raster Tagged(Raster scaled, const Raster& source) {
  scaled.iccProfile = source.iccProfile;
  return scaled;
}

}  // namespace

Raster DecodePicture(const std::string& path, PictureKind kind) {
  Raster picture = DecodeTagged(path, kind);
  ConvertToSrgb(picture);
  return picture;
}

namespace {

// The picture scaled, its profile still to be applied. A JPEG is scaled while it is decoded,
// without ever holding its whole raster, unless a point-sampled one is shown turned: that
// samples across its stored rows and takes the full decode.
Raster Scaled(Host& host, const std::string& sourcePath, PictureKind kind, int size,
              Sampler sampler) {
  const bool jpeg = kind == PictureKind::Jpeg;
  const int orientation = jpeg ? ReadJpegOrientation(sourcePath) : 1;
  std::optional<Raster> scaled;
  if (sampler == Sampler::Smooth) {
    if (jpeg) scaled = SmoothJpegFile(sourcePath, size, orientation, host);
    if (scaled) return std::move(*scaled);
    const Raster source = DecodeTagged(sourcePath, kind);
    return Tagged(SmoothSample(source, size, host), source);
  }
  if (orientation != 1) {
    const Raster stored = ReadJpeg(sourcePath);
    return Tagged(OrientedPointSample(stored, orientation, size, host), stored);
  }
  if (jpeg) scaled = SampleJpegFile(sourcePath, size, host);
  if (scaled) return std::move(*scaled);
  const Raster source = DecodeTagged(sourcePath, kind);
  return Tagged(PointSample(source, size, host), source);
}

}  // namespace

std::optional<std::string> ScaledJpegData(Host& host, const std::string& sourcePath,
                                          PictureKind kind, int size, int quality,
                                          bool progressive, Sampler sampler) {
  if (kind == PictureKind::None) return std::nullopt;
  // The source is read completely before anything is written, so target may equal source.
  Raster scaled = Scaled(host, sourcePath, kind, size, sampler);
  // Colours are converted once the picture is small: the cost follows the output's size.
  ConvertToSrgb(scaled);
  return EncodeJpeg(scaled, quality, progressive);
}

std::optional<std::string> ScaledJpegData(const std::string& sourcePath, int size, int quality,
                                          bool progressive, Sampler sampler) {
  return ScaledJpegData(sourcePath, DecodeKind(sourcePath), size, quality, progressive, sampler);
}

std::optional<std::string> ScaledJpegData(const std::string& sourcePath, PictureKind kind, int size,
                                          int quality, bool progressive, Sampler sampler) {
  SilentHost silent;
  return ScaledJpegData(silent, sourcePath, kind, size, quality, progressive, sampler);
}

bool WriteScaledJpeg(Host& host, const std::string& targetPath, const std::string& jpeg) {
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

bool MakeScaledJpeg(Host& host, const std::string& sourcePath, const std::string& targetPath,
                    int size, int quality, bool progressive, Sampler sampler) {
  return MakeScaledJpeg(host, sourcePath, DecodeKind(sourcePath), targetPath, size, quality,
                        progressive, sampler);
}

bool MakeScaledJpeg(Host& host, const std::string& sourcePath, PictureKind kind,
                    const std::string& targetPath, int size, int quality, bool progressive,
                    Sampler sampler) {
  const std::optional<std::string> jpeg =
      ScaledJpegData(host, sourcePath, kind, size, quality, progressive, sampler);
  return !jpeg || WriteScaledJpeg(host, targetPath, *jpeg);
}

int FitLongestSide(const std::string& path, int maxWidth, int maxHeight) {
  return FitLongestSide(path, ProbeKind(path), maxWidth, maxHeight);
}

int FitLongestSide(const std::string& path, PictureKind kind, int maxWidth, int maxHeight) {
  const ImageSize s = GetImageSize(path, kind);
  const long double w = s.width, h = s.height;
  const long double r = static_cast<double>(w / h);
  const int longest = s.width > s.height ? s.width : s.height;
  if (s.width <= maxWidth && s.height <= maxHeight) return longest;
  if (s.width > s.height) {
    if (maxHeight >= maxWidth / r) return maxWidth;
    return static_cast<int>(RoundHalfEven(maxHeight * r));
  }
  if (maxWidth >= maxHeight * r) return maxHeight;
  return static_cast<int>(RoundHalfEven(maxWidth / r));
}

}  // namespace fw
