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
#include "images/png_pixels.h"

namespace fw {
namespace {

using png::Chunk;

const Chunk* FindChunk(const png::ChunkList& list, std::string_view type) {
  for (const Chunk& c : list.chunks)
    if (c.type == type) return &c;
  return nullptr;
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
  if (!list.hasIdat) throw Error("The current image being loaded has no data and could not be loaded.");

  PngInfo info;
  info.width = static_cast<int>(header.width);
  info.height = static_cast<int>(header.height);
  info.bitDepth = header.depth;
  info.colorType = header.colorType;
  info.interlaced = header.interlace == 1;

  std::optional<png::GammaTable> gamma;
  for (const Chunk& c : list.chunks) {
    if (c.type == "gAMA" && c.data.size() >= 4) {
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
      png::DecodeImage(header, list.idat, plte ? &plte->data : nullptr,
                       gamma ? &*gamma : nullptr, raster);
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
