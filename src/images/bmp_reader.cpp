#include "images/bmp_reader.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "common/error.h"
#include "common/fs.h"

namespace fw {
namespace {

using u64 = std::uint64_t;

[[noreturn]] void Bad(const std::string& why) { throw Error("Invalid bitmap file: " + why); }

// Little-endian reads that never leave the file's bytes.
class Bytes {
 public:
  explicit Bytes(const std::string& b) : b_(b) {}
  bool has(u64 pos, u64 n) const { return pos <= b_.size() && n <= b_.size() - pos; }
  std::uint8_t u8(u64 pos) const {
    need(pos, 1);
    return static_cast<std::uint8_t>(b_[pos]);
  }
  std::uint32_t u16(u64 pos) const {
    need(pos, 2);
    return byte(pos) | byte(pos + 1) << 8;
  }
  std::uint32_t u32(u64 pos) const {
    need(pos, 4);
    return byte(pos) | byte(pos + 1) << 8 | byte(pos + 2) << 16 | byte(pos + 3) << 24;
  }
  std::int32_t s32(u64 pos) const { return static_cast<std::int32_t>(u32(pos)); }
  const std::uint8_t* at(u64 pos) const {
    return reinterpret_cast<const std::uint8_t*>(b_.data()) + pos;
  }
  void need(u64 pos, u64 n) const {
    if (!has(pos, n)) Bad("the file is cut short");
  }

 private:
  std::uint32_t byte(u64 pos) const { return static_cast<std::uint8_t>(b_[pos]); }
  const std::string& b_;
};

enum Compression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6
};

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0;
};

// One channel of a bit-field pixel, widened or narrowed to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    const std::uint32_t v = m >> shift;
    if ((v & (v + 1)) != 0) Bad("its colour masks are not contiguous");
    bits = std::popcount(v);
  }
  std::uint8_t operator()(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
    const std::uint32_t max = (1u << bits) - 1;
    return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
  }
};

struct Header {
  long long width = 0;
  long long height = 0;
  bool topDown = false;
  int bits = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t coloursUsed = 0;
  std::array<std::uint32_t, 3> masks{};
  u64 palettePos = 0;
  int paletteEntry = 4;
  u64 dataPos = 0;
};

Header ReadHeader(const Bytes& in) {
  if (!in.has(0, 18)) Bad("the file is too short");
  if (in.u8(0) != 'B' || in.u8(1) != 'M') Bad("it does not start with \"BM\"");
  Header h;
  h.dataPos = in.u32(10);
  const std::uint32_t size = in.u32(14);
  std::uint32_t planes = 0;
  if (size == 12) {  // OS/2 1.x core header: 16-bit sizes, 3-byte palette entries
    in.need(14, size);
    h.width = in.u16(18);
    h.height = in.u16(20);
    planes = in.u16(22);
    h.bits = static_cast<int>(in.u16(24));
    h.paletteEntry = 3;
  } else if (size == 40 || size == 52 || size == 56 || size == 108 || size == 124 ||
             (size >= 16 && size <= 64)) {
    in.need(14, size);
    const bool os2 = size != 40 && size != 52 && size != 56;
    h.width = in.s32(18);
    h.height = in.s32(22);
    planes = in.u16(26);
    h.bits = static_cast<int>(in.u16(28));
    if (size >= 20) h.compression = in.u32(30);
    if (size >= 36) h.coloursUsed = in.u32(46);
    // OS/2 2.x numbers 3 and 4 mean Huffman and RLE24, which we do not read.
    if (os2 && size <= 64 && h.compression > kRle4)
      Bad("compression " + std::to_string(h.compression) + " is not supported");
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
      // Version 1 headers keep the masks after the header, later versions inside it.
      h.masks = {in.u32(54), in.u32(58), in.u32(62)};
      if (size == 40) h.palettePos = 14 + size + (h.compression == kAlphaBitFields ? 16 : 12);
    }
  } else {
    Bad("header size " + std::to_string(size) + " is not supported");
  }
  if (h.palettePos == 0) h.palettePos = 14 + u64{size};

  if (planes != 1) Bad("plane count " + std::to_string(planes) + " is not 1");
  if (h.height < 0) {
    h.topDown = true;
    h.height = -h.height;
  }
  if (h.width <= 0 || h.height <= 0)
    Bad("size " + std::to_string(h.width) + " x " + std::to_string(h.height) + " is empty");
  if (u64(h.width) * u64(h.height) > kMaxPixels)
    throw Error(TooLargeToDecode(u64(h.width), u64(h.height)));
  switch (h.bits) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      Bad(std::to_string(h.bits) + " bits per pixel are not supported");
  }
  const bool ok = h.compression == kRgb || (h.compression == kRle8 && h.bits == 8) ||
                  (h.compression == kRle4 && h.bits == 4) ||
                  ((h.compression == kBitFields || h.compression == kAlphaBitFields) &&
                   (h.bits == 16 || h.bits == 32));
  if (!ok)
    Bad("compression " + std::to_string(h.compression) + " with " + std::to_string(h.bits) +
        " bits per pixel is not supported");
  if (h.topDown && (h.compression == kRle8 || h.compression == kRle4))
    Bad("compressed bitmaps cannot be stored top-down");
  if (h.compression == kRgb || h.compression == kRle8 || h.compression == kRle4) {
    if (h.bits == 16) h.masks = {0x7C00, 0x03E0, 0x001F};
    if (h.bits == 32) h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }
  return h;
}

std::vector<Colour> ReadPalette(const Bytes& in, const Header& h) {
  if (h.bits > 8) return {};
  const u64 full = u64{1} << h.bits;
  // A palette longer than the depth can address is legal; the surplus is never used.
  const u64 count = h.coloursUsed == 0 || h.coloursUsed > full ? full : h.coloursUsed;
  if (!in.has(h.palettePos, count * h.paletteEntry)) Bad("its palette runs past the end");
  std::vector<Colour> palette(count);
  for (u64 i = 0; i < count; ++i) {
    const std::uint8_t* e = in.at(h.palettePos + i * h.paletteEntry);
    palette[i] = {e[2], e[1], e[0]};
  }
  return palette;
}

// The raster the pixels go to; without one (the size probe) the data are only checked.
class Canvas {
 public:
  Canvas(const Header& h, std::vector<Colour> palette, bool draw)
      : h_(h), palette_(std::move(palette)), draw_(draw) {
    if (draw) out_ = NewRaster(u64(h.width), u64(h.height), TooLargeToDecode(h.width, h.height));
  }
  bool draws() const { return draw_; }
  // `fileRow` counts rows in file order.
  std::uint8_t* row(long long fileRow) {
    return out_.row(static_cast<int>(h_.topDown ? fileRow : h_.height - 1 - fileRow));
  }
  void index(long long fileRow, long long x, unsigned i) {
    if (!draw_ || fileRow >= h_.height || x >= h_.width) return;
    // An index past the palette shows black rather than reading outside it.
    const Colour c = i < palette_.size() ? palette_[i] : Colour{};
    std::uint8_t* p = row(fileRow) + x * 3;
    p[0] = c.r, p[1] = c.g, p[2] = c.b;
  }
  Raster take() { return std::move(out_); }

 private:
  const Header& h_;
  std::vector<Colour> palette_;
  bool draw_;
  Raster out_;
};

void ReadUncompressed(const Bytes& in, const Header& h, Canvas& canvas) {
  const u64 stride = (u64(h.width) * h.bits + 31) / 32 * 4;
  const u64 rowBytes = (u64(h.width) * h.bits + 7) / 8;
  // The last row's padding is often left off; everything else must be there.
  in.need(h.dataPos, stride * u64(h.height - 1) + rowBytes);
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  if (!canvas.draws()) return;
  for (long long r = 0; r < h.height; ++r) {
    const std::uint8_t* src = in.at(h.dataPos + stride * u64(r));
    if (h.bits <= 8) {
      const unsigned perByte = 8 / h.bits, mask = (1u << h.bits) - 1;
      for (long long x = 0; x < h.width; ++x) {
        const unsigned shift = 8 - h.bits * (1 + x % perByte);
        canvas.index(r, x, (src[x / perByte] >> shift) & mask);
      }
      continue;
    }
    std::uint8_t* dst = canvas.row(r);
    for (long long x = 0; x < h.width; ++x, dst += 3) {
      if (h.bits == 24) {
        const std::uint8_t* p = src + x * 3;
        dst[0] = p[2], dst[1] = p[1], dst[2] = p[0];
        continue;
      }
      const std::uint32_t v = h.bits == 16
                                  ? src[x * 2] | src[x * 2 + 1] << 8
                                  : src[x * 4] | src[x * 4 + 1] << 8 | src[x * 4 + 2] << 16 |
                                        std::uint32_t(src[x * 4 + 3]) << 24;
      dst[0] = red(v), dst[1] = green(v), dst[2] = blue(v);
    }
  }
}

// Run-length data. Pixels the stream skips (deltas, early line ends) stay black, and so does
// everything after a stream that ends without its end marker.
void ReadRunLength(const Bytes& in, const Header& h, Canvas& canvas) {
  const bool four = h.compression == kRle4;
  u64 p = h.dataPos;
  long long x = 0, y = 0;
  while (y < h.height && in.has(p, 2)) {
    const unsigned count = in.u8(p), value = in.u8(p + 1);
    p += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i, ++x)
        canvas.index(y, x, four ? (i % 2 ? value & 15 : value >> 4) : value);
    } else if (value == 0) {
      x = 0, ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (!in.has(p, 2)) return;
      x += in.u8(p), y += in.u8(p + 1);
      p += 2;
    } else {
      const u64 bytes = four ? (value + 1) / 2 : value;
      if (!in.has(p, bytes)) Bad("its compressed data run past the end");
      for (unsigned i = 0; i < value; ++i, ++x) {
        const unsigned b = in.u8(p + (four ? i / 2 : i));
        canvas.index(y, x, four ? (i % 2 ? b & 15 : b >> 4) : b);
      }
      p += bytes + (bytes & 1);
    }
  }
}

// Reads the whole bitmap; its pixels go to `out` unless that is null (the size probe).
Header Load(const std::string& bytes, Raster* out) {
  const Bytes in(bytes);
  const Header h = ReadHeader(in);
  Canvas canvas(h, ReadPalette(in, h), out != nullptr);
  if (h.compression == kRle8 || h.compression == kRle4)
    ReadRunLength(in, h, canvas);
  else
    ReadUncompressed(in, h, canvas);
  if (out) *out = canvas.take();
  return h;
}

}  // namespace

Raster DecodeBmp(const std::string& bytes) {
  Raster r;
  Load(bytes, &r);
  return r;
}

Raster ReadBmp(const std::string& path) { return DecodeBmp(fs::ReadFile(path)); }

BmpInfo ReadBmpSize(const std::string& path) {
  const Header h = Load(fs::ReadFile(path), nullptr);
  return {static_cast<int>(h.width), static_cast<int>(h.height)};
}

}  // namespace fw
