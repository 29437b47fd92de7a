#include "images/png_reader.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "images/png_adam7.h"
#include "images/png_chunks.h"
#include "images/png_gamma.h"
#include "images/png_inflate.h"
#include "images/png_pixels.h"
#include "images/srgb.h"

namespace fw {
namespace {

using png::Chunk;

const Chunk* FindChunk(const png::ChunkList& list, std::string_view type) {
  for (const Chunk& c : list.chunks)
    if (c.type == type) return &c;
  return nullptr;
}

// Larger profiles than any real one are taken as damage.
constexpr std::size_t kMaxProfileBytes = std::size_t{16} << 20;

// The profile of an iCCP chunk (a name, a zero byte, method 0 and the zlib stream); empty when
// the chunk is damaged, which leaves the picture as it would be without one.
std::string ChunkProfile(std::string_view data) {
  const std::size_t nul = data.find('\0');
  if (nul == std::string_view::npos || nul + 2 > data.size() || data[nul + 1] != 0) return {};
  try {
    png::Inflater z(data.substr(nul + 2));
    std::string icc;
    std::uint8_t piece[65536];
    while (std::size_t got = z.Read(piece, sizeof piece)) {
      icc.append(reinterpret_cast<const char*>(piece), got);
      if (icc.size() > kMaxProfileBytes) return {};
    }
    return icc;
  } catch (const Error&) {
    return {};
  }
}

png::Header ParseHeader(const png::ChunkList& list) {
  if (list.chunks.empty() || list.chunks.front().type != "IHDR" ||
      list.chunks.front().data.size() < 13)
    throw Error(
        "This PNG image is invalid, the IHDR chunk is either not present or it isn't the first "
        "chunk.");
  const char* d = list.chunks.front().data.data();
  png::Header h;
  h.width = png::BigEndian32(d);
  h.height = png::BigEndian32(d + 4);
  h.depth = static_cast<std::uint8_t>(d[8]);
  h.colorType = static_cast<std::uint8_t>(d[9]);
  h.interlace = static_cast<std::uint8_t>(d[12]);
  return h;
}

// Runs the load of the whole file; `raster` is left alone when it is null.
PngInfo Load(const std::string& bytes, Raster* raster) {
  const png::ChunkList list = png::ReadChunks(bytes);
  const png::Header header = ParseHeader(list);
  if (!list.hasIdat)
    throw Error("The current image being loaded has no data and could not be loaded.");

  PngInfo info;
  info.width = static_cast<int>(header.width);
  info.height = static_cast<int>(header.height);
  info.bitDepth = header.depth;
  info.colorType = header.colorType;
  info.interlaced = header.interlace == 1;

  std::optional<png::GammaTable> gamma;
  std::string icc;
  for (const Chunk& c : list.chunks) {
    if (c.type == "iCCP" && icc.empty()) {
      icc = ChunkProfile(c.data);
    } else if (c.type == "gAMA" && c.data.size() >= 4) {
      gamma = png::MakeGammaTable(png::BigEndian32(c.data.data()));
      info.hasGamma = true;
    } else if (c.type == "tRNS" && header.colorType == 2 && c.data.size() >= 6) {
      const auto* t = reinterpret_cast<const unsigned char*>(c.data.data());
      info.hasTransparentColor = true;
      info.transparentRed = std::uint16_t(t[0] << 8 | t[1]);
      info.transparentGreen = std::uint16_t(t[2] << 8 | t[3]);
      info.transparentBlue = std::uint16_t(t[4] << 8 | t[5]);
    } else if (c.type == "IDAT") {
      const Chunk* plte = FindChunk(list, "PLTE");
      // A profile that is used describes the colours whole: the gAMA value then steps back.
      // Only colour pictures take an RGB profile.
      const bool profiled = raster && (header.colorType & 2) && ConvertsToSrgb(icc);
      png::DecodeImage(header, list.idat, plte ? &plte->data : nullptr,
                       gamma && !profiled ? &*gamma : nullptr, raster);
      if (profiled) raster->iccProfile = icc;
      break;  // chunks after the image data change nothing
    }
  }
  return info;
}

}  // namespace

PngInfo PngSizeFromMemory(const std::string& bytes) { return Load(bytes, nullptr); }

Raster DecodePng(const std::string& bytes, PngInfo* info) {
  Raster raster;
  PngInfo i = Load(bytes, &raster);
  if (info) *info = i;
  return raster;
}

PngInfo ReadPngSize(const std::string& path) { return PngSizeFromMemory(fs::ReadFile(path)); }

Raster ReadPng(const std::string& path) { return DecodePng(fs::ReadFile(path)); }

}  // namespace fw
