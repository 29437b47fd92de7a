#include "images/gif_reader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "images/gif_lzw.h"

namespace fw {
namespace {

using Colour = std::array<std::uint8_t, 3>;
using Table = std::vector<Colour>;

class Cursor {
 public:
  explicit Cursor(const std::string& bytes) : bytes_(bytes) {}
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  int Peek() const { return AtEnd() ? -1 : std::uint8_t(bytes_[pos_]); }
  void Seek(std::size_t pos) { pos_ = pos; }
  // A fixed-size field: the file must hold all of it.
  std::string_view Take(std::size_t n) {
    if (bytes_.size() - pos_ < n || pos_ > bytes_.size())
      throw Error("Unexpected end of the GIF file");
    std::string_view v(bytes_.data() + pos_, n);
    pos_ += n;
    return v;
  }
  int Byte() { return std::uint8_t(Take(1)[0]); }
  int Word() {
    const auto v = Take(2);
    return std::uint8_t(v[0]) | std::uint8_t(v[1]) << 8;
  }
  // One data sub-block (empty at the terminator); a file that ends inside sub-blocks ends them.
  std::string_view SubBlock() {
    if (AtEnd()) return {};
    const std::size_t n = std::uint8_t(bytes_[pos_++]);
    const std::size_t have = std::min(n, bytes_.size() - pos_);
    std::string_view v(bytes_.data() + pos_, have);
    pos_ += have;
    return v;
  }
  void SkipSubBlocks() {
    while (!SubBlock().empty()) {
    }
  }

 private:
  const std::string& bytes_;
  std::size_t pos_ = 0;
};

Table ReadTable(Cursor& in, int flags) {
  Table table(std::size_t{2} << (flags & 7));
  const std::string_view raw = in.Take(table.size() * 3);
  for (std::size_t i = 0; i < table.size(); ++i)
    table[i] = {std::uint8_t(raw[3 * i]), std::uint8_t(raw[3 * i + 1]), std::uint8_t(raw[3 * i + 2])};
  return table;
}

Colour Lookup(const Table& t, int index) { return index < int(t.size()) ? t[index] : Colour{}; }

bool IsGif(std::string_view header) {
  return std::toupper(std::uint8_t(header[0])) == 'G' &&
         std::toupper(std::uint8_t(header[1])) == 'I' &&
         std::toupper(std::uint8_t(header[2])) == 'F';
}

// Reads one extension block after its introducer; returns the transparent index it sets.
void ReadExtension(Cursor& in, int& transparent) {
  const int label = in.Byte();
  if (label == 0xF9) {
    const std::string_view b = in.SubBlock();
    if (b.size() >= 4 && (b[0] & 1)) transparent = std::uint8_t(b[3]);
  } else if (label == 0xFF) {
    const std::string_view id = in.SubBlock();
    if (id == "NETSCAPE2.0" || id == "ANIMEXTS1.0") {
      for (std::string_view b = in.SubBlock(); !b.empty(); b = in.SubBlock()) {
        // Looping: id 1 and a 16-bit count; buffering: id 2 and a 32-bit size.
        if ((b[0] == 1 && b.size() < 3) || (b[0] == 2 && b.size() < 5))
          throw Error("Invalid GIF data");
      }
      return;
    }
    if (id.empty()) return;
  }
  in.SkipSubBlocks();
}

// Maps the n-th stored row of an interlaced frame to its place in the frame.
std::uint64_t InterlacedRow(std::uint64_t n, std::uint64_t height) {
  const std::uint64_t pass1 = (height + 7) / 8, pass2 = (height + 3) / 8, pass3 = (height + 1) / 4;
  if (n < pass1) return 8 * n;
  n -= pass1;
  if (n < pass2) return 4 + 8 * n;
  n -= pass2;
  if (n < pass3) return 2 + 4 * n;
  return 1 + 2 * (n - pass3);
}

struct Screen {
  int width = 0, height = 0, background = 0;
  Table global;
};

// Reads the descriptor, colour table and image data of one frame; draws it on `canvas` when
// that is not null.
void ReadImage(Cursor& in, const Screen& screen, int transparent, GifInfo& info, Raster* canvas) {
  in.Take(1);  // the "," separator
  int left = in.Word(), top = in.Word(), width = in.Word(), height = in.Word();
  const int flags = in.Byte();
  if (width == 0 || height == 0) width = screen.width, height = screen.height;
  const Table local = (flags & 0x80) ? ReadTable(in, flags) : Table{};
  const Table& table = (flags & 0x80) ? local : screen.global;
  const bool interlaced = (flags & 0x40) != 0;
  if (info.frames++ == 0) {
    info.firstLeft = left, info.firstTop = top, info.firstWidth = width, info.firstHeight = height;
  } else {
    canvas = nullptr;  // later frames are read and ignored
  }
  if (canvas && width == screen.width && height == screen.height) left = top = 0;

  const auto put = [&](std::uint64_t x, std::uint64_t y, int index) {
    x += left, y += top;
    if (x >= std::uint64_t(canvas->width) || y >= std::uint64_t(canvas->height)) return;
    const Colour c = Lookup(table, index);
    std::uint8_t* px = canvas->row(int(y)) + x * 3;
    px[0] = c[0], px[1] = c[1], px[2] = c[2];
  };
  const int preset = transparent >= 0 ? transparent : 0;
  if (canvas)
    for (int y = 0; y < height && top + y < canvas->height; ++y)
      for (int x = 0; x < width && left + x < canvas->width; ++x) put(x, y, preset);

  const int minCodeSize = in.AtEnd() ? 0 : in.Byte();
  std::string data;
  for (std::string_view b = in.SubBlock(); !b.empty(); b = in.SubBlock()) data.append(b);
  const std::uint64_t total = std::uint64_t(width) * std::uint64_t(height);
  std::uint64_t done = 0;
  gif::DecodeLzw(minCodeSize, data, [&](const std::uint8_t* run, std::size_t n) {
    if (!canvas) {
      done += std::min<std::uint64_t>(n, total - done);
      return done < total;
    }
    for (std::size_t i = 0; i < n && done < total; ++i, ++done) {
      const std::uint64_t row = done / width, x = done % width;
      put(x, interlaced ? InterlacedRow(row, height) : row, run[i]);
    }
    return done < total;
  });
}

GifInfo Load(const std::string& bytes, Raster* raster) {
  Cursor in(bytes);
  if (!IsGif(in.Take(6))) {
    in.Seek(4);
    if (!IsGif(in.Take(6))) throw Error("Invalid GIF signature");
  }
  Screen screen;
  screen.width = in.Word();
  screen.height = in.Word();
  const int flags = in.Byte();
  screen.background = in.Byte();
  in.Take(1);  // pixel aspect
  if (flags & 0x80) screen.global = ReadTable(in, flags);

  GifInfo info;
  info.width = screen.width;
  info.height = screen.height;
  if (raster) {
    *raster = NewRaster(screen.width, screen.height, TooLargeToDecode(screen.width, screen.height));
    const Colour bg = Lookup(screen.global, screen.background);
    for (std::size_t i = 0; i < raster->rgb.size(); i += 3)
      raster->rgb[i] = bg[0], raster->rgb[i + 1] = bg[1], raster->rgb[i + 2] = bg[2];
  }

  const auto skipZeros = [&] {
    while (in.Peek() == 0) in.Take(1);
  };
  skipZeros();
  while (!in.AtEnd() && in.Peek() != ';') {
    if (in.Peek() != '!' && in.Peek() != ',') break;  // a stray byte ends the frames quietly
    int transparent = -1;
    while (in.Peek() == '!') {
      in.Take(1);
      ReadExtension(in, transparent);
    }
    if (in.Peek() == ',')
      ReadImage(in, screen, transparent, info, raster);
    else if (in.Peek() != ';' && in.Peek() != 0)
      break;
    skipZeros();
  }
  // The trailer, when there is one, ends the file; anything else there is accepted too.
  return info;
}

}  // namespace

GifInfo GifSizeFromMemory(const std::string& bytes) { return Load(bytes, nullptr); }

Raster DecodeGif(const std::string& bytes, GifInfo* info) {
  Raster raster;
  const GifInfo i = Load(bytes, &raster);
  if (i.frames == 0) throw Error("The GIF picture has no frame to show");
  if (info) *info = i;
  return raster;
}

GifInfo ReadGifSize(const std::string& path) { return GifSizeFromMemory(fs::ReadFile(path)); }

Raster ReadGif(const std::string& path) { return DecodeGif(fs::ReadFile(path)); }

}  // namespace fw
