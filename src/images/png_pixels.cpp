#include "images/png_pixels.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "common/error.h"
#include "images/png_adam7.h"
#include "images/png_filters.h"
#include "images/png_inflate.h"

namespace fw::png {
namespace {

// Deflate makes at most 258 bytes of a match from two bits of its data.
constexpr std::uint64_t kMostInflatedPerByte = 1032;

using Colour = std::array<std::uint8_t, 3>;

struct Layout {
  int channels = 1;          // samples per pixel in the file
  bool indexed = true;       // grey and palette pictures go through a palette
  std::array<Colour, 256> palette{};
};

bool ValidDepth(std::uint8_t type, std::uint8_t depth) {
  switch (type) {
    case 0:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    default:
      return depth == 8 || depth == 16;
  }
}

Layout MakeLayout(const Header& h, const std::string_view* plte, const GammaTable* gamma) {
  Layout layout;
  const auto g = [gamma](std::uint8_t v) { return gamma ? (*gamma)[v] : v; };
  if (h.colorType == 3) {
    if (plte == nullptr) throw Error("The current image requeries a palette but it is not avaliable.");
    if (plte->size() % 3 != 0) throw Error("The current image being loaded has an invalid palette!");
    // Indices past the palette's end show black.
    const std::size_t entries = std::min<std::size_t>(plte->size() / 3, 256);
    const auto* p = reinterpret_cast<const std::uint8_t*>(plte->data());
    for (std::size_t i = 0; i < entries; ++i)
      layout.palette[i] = {g(p[3 * i]), g(p[3 * i + 1]), g(p[3 * i + 2])};
  }
  switch (h.colorType) {
    case 0: layout.channels = 1; break;
    case 2: layout.channels = 3; layout.indexed = false; break;
    case 3: layout.channels = 1; break;
    case 4: layout.channels = 2; break;
    case 6: layout.channels = 4; layout.indexed = false; break;
    default: throw Error("Could not read the image because it has an unknown color type.");
  }
  if (!ValidDepth(h.colorType, h.depth))
    throw Error("Could not read the image because it has an invalid bit depth.");
  if (h.colorType == 0 || h.colorType == 4) {
    const unsigned levels = h.depth >= 8 ? 256 : 1u << h.depth;
    for (unsigned i = 0; i < levels; ++i) {
      // Exact: 255 is divisible by levels - 1 for every sub-byte depth.
      const std::uint8_t grey = g(std::uint8_t(i * 255 / (levels - 1)));
      layout.palette[i] = {grey, grey, grey};
    }
  }
  return layout;
}

std::size_t RowBytes(const Header& h, std::uint64_t width, int channels) {
  return static_cast<std::size_t>((width * channels * h.depth + 7) / 8);
}

// Writes one unfiltered row of `count` pixels to the raster at (x0 + i * dx, y).
void ConvertRow(const Header& h, const Layout& layout, const GammaTable* gamma,
                const std::uint8_t* row, std::uint32_t count, std::uint32_t x0, std::uint32_t dx,
                std::uint8_t* out) {
  const unsigned step = h.depth == 16 ? 2 : 1;  // the high byte of a 16-bit sample comes first
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint8_t* px = out + std::size_t(x0 + std::size_t(i) * dx) * 3;
    if (layout.indexed) {
      std::uint8_t index;
      if (h.depth < 8) {
        const std::size_t bit = std::size_t(i) * h.depth;
        const unsigned shift = 8 - h.depth - bit % 8;
        index = std::uint8_t((row[bit / 8] >> shift) & ((1u << h.depth) - 1));
      } else {
        index = row[std::size_t(i) * layout.channels * step];
      }
      const Colour& c = layout.palette[index];
      px[0] = c[0], px[1] = c[1], px[2] = c[2];
    } else {
      const std::uint8_t* s = row + std::size_t(i) * layout.channels * step;
      for (int k = 0; k < 3; ++k) px[k] = gamma ? (*gamma)[s[k * step]] : s[k * step];
    }
  }
}

}  // namespace

void DecodeImage(const Header& h, std::string_view stream, const std::string_view* plte,
                 const GammaTable* gamma, Raster* raster) {
  const Layout layout = MakeLayout(h, plte, gamma);
  if (h.interlace > 1) throw Error("The image has an unknown interlace method.");
  if (h.width == 0 || h.height == 0 || h.width > 0x7fffffffu || h.height > 0x7fffffffu)
    throw Error("Picture has no pixels (" + std::to_string(h.width) + " x " +
                std::to_string(h.height) + ")");
  const std::string refusal = TooLargeToDecode(h.width, h.height);
  if (std::uint64_t{h.width} * h.height > kMaxPixels) throw Error(refusal);
  // Memory is taken only for rows the stream can fill: a row that needs more bytes than all
  // of it can inflate to is never completed, and the picture stays black from there on.
  const std::uint64_t fillable = std::uint64_t{stream.size()} * kMostInflatedPerByte + 1024;
  const std::uint64_t rowBytes = RowBytes(h, h.width, layout.channels) + 1;
  const std::uint64_t rowMemory = rowBytes <= fillable ? 2 * rowBytes : 0;
  PictureMemory rows(rowMemory + (raster ? RasterBytes(h.width, h.height) : 0), refusal);
  if (raster) *raster = NewRaster(h.width, h.height, rows);

  const std::size_t distance =
      h.depth <= 8 && layout.channels == 1 ? 1 : std::size_t(layout.channels) * h.depth / 8;
  Inflater inflater(stream);
  std::vector<std::uint8_t> current, previous;
  const int passes = h.interlace == 1 ? kAdam7Passes : 1;
  for (int p = 0; p < passes; ++p) {
    const Pass pass = h.interlace == 1 ? Adam7Pass(p, h.width, h.height)
                                       : Pass{0, 0, 1, 1, h.width, h.height};
    if (pass.width == 0) continue;
    const std::size_t bytes = RowBytes(h, pass.width, layout.channels);
    if (bytes + 1 > fillable) return;
    current.assign(bytes + 1, 0);
    previous.assign(bytes, 0);
    for (std::uint32_t r = 0; r < pass.height; ++r) {
      if (inflater.Read(current.data(), bytes + 1) < bytes + 1) return;  // cut short
      Unfilter(current[0], current.data() + 1, previous.data(), bytes, distance);
      if (raster)
        ConvertRow(h, layout, gamma, current.data() + 1, pass.width, pass.x0, pass.dx,
                   raster->row(static_cast<int>(pass.y0 + std::size_t(r) * pass.dy)));
      std::copy(current.begin() + 1, current.end(), previous.begin());
    }
  }
}

}  // namespace fw::png
