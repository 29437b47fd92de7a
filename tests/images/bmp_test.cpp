#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/error.h"
#include "common/fs.h"
#include "images/bmp_reader.h"
#include "images/image_io.h"
#include "pictures.h"

namespace fw {
namespace {

void Put16(std::string& s, std::uint32_t v) { s += char(v & 255), s += char(v >> 8 & 255); }
void Put32(std::string& s, std::uint32_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

// A bitmap file laid out as writers lay it out, for the variants we read.
struct BmpFile {
  int headerSize = 40;
  int width = 0, height = 0;  // height < 0: top-down
  int bits = 24;
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> palette = {};  // 0xRRGGBB
  std::vector<std::uint32_t> masks = {};    // after a 40-byte header or inside a later one
  std::string data = {};                    // pixel data as stored

  // Fills `data` uncompressed from value(x, y), y counted top to bottom.
  BmpFile& Pixels(const std::function<std::uint32_t(int, int)>& value) {
    const int h = std::abs(height);
    const std::size_t stride = (std::size_t(width) * bits + 31) / 32 * 4;
    data.assign(stride * h, '\0');
    for (int r = 0; r < h; ++r) {
      const int y = height < 0 ? r : h - 1 - r;
      char* row = data.data() + stride * r;
      for (int x = 0; x < width; ++x) {
        const std::uint32_t v = value(x, y);
        if (bits < 8) {
          row[x * bits / 8] |= char(v << (8 - bits - x * bits % 8));
        } else {
          for (int b = 0; b < bits / 8; ++b) row[x * bits / 8 + b] = char(v >> (8 * b));
        }
      }
    }
    return *this;
  }

  std::string Bytes() const {
    std::string h;
    const bool core = headerSize == 12;
    if (core) {
      Put16(h, width), Put16(h, height), Put16(h, 1), Put16(h, bits);
    } else {
      Put32(h, width), Put32(h, height), Put16(h, 1), Put16(h, bits), Put32(h, compression);
      Put32(h, data.size()), Put32(h, 2835), Put32(h, 2835), Put32(h, palette.size()), Put32(h, 0);
      for (std::size_t i = 0; headerSize > 40 && i < masks.size(); ++i) Put32(h, masks[i]);
    }
    h.resize(headerSize - 4, '\0');
    std::string extra;
    if (headerSize == 40)
      for (std::uint32_t m : masks) Put32(extra, m);
    for (std::uint32_t c : palette) {
      extra += char(c & 255), extra += char(c >> 8 & 255), extra += char(c >> 16 & 255);
      if (!core) extra += '\0';
    }
    std::string f = "BM";
    const std::uint32_t offset = 14 + headerSize + std::uint32_t(extra.size());
    Put32(f, offset + data.size()), Put32(f, 0), Put32(f, offset), Put32(f, headerSize);
    return f + h + extra + data;
  }
};

std::uint32_t At(const Raster& r, int x, int y) {
  const std::uint8_t* p = r.row(y) + x * 3;
  return std::uint32_t(p[0]) << 16 | p[1] << 8 | p[2];
}

std::vector<std::uint32_t> Palette(int n) {
  std::vector<std::uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back(std::uint32_t(i * 37 % 256) << 16 | (255 - i) << 8 | i);
  return p;
}

TEST(BmpReader, PalettedDepthsWithRowPadding) {
  for (int bits : {1, 2, 4, 8}) {
    const int colours = 1 << bits;
    BmpFile f{.width = 13, .height = 5, .bits = bits, .palette = Palette(colours)};
    auto index = [&](int x, int y) { return std::uint32_t((x + 3 * y) % colours); };
    const Raster r = DecodeBmp(f.Pixels(index).Bytes());
    ASSERT_EQ(r.width, 13);
    ASSERT_EQ(r.height, 5);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 13; ++x)
        ASSERT_EQ(At(r, x, y), f.palette[index(x, y)]) << bits << " bits at " << x << "," << y;
  }
}

TEST(BmpReader, TrueColourLayoutsAgree) {
  auto rgb = [](int x, int y) {
    return std::uint32_t(x * 40) << 16 | (y * 50) << 8 | (x + y) * 20;
  };
  BmpFile up{.width = 5, .height = 4, .bits = 24};
  const Raster expected = DecodeBmp(up.Pixels(rgb).Bytes());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(At(expected, x, y), rgb(x, y));

  BmpFile down{.width = 5, .height = -4, .bits = 24};
  EXPECT_EQ(DecodeBmp(down.Pixels(rgb).Bytes()).rgb, expected.rgb);
  BmpFile x8{.width = 5, .height = 4, .bits = 32};
  EXPECT_EQ(DecodeBmp(x8.Pixels(rgb).Bytes()).rgb, expected.rgb);
  // Bit fields in blue-green-red-alpha order, after a version 1 header and inside V4 and V5.
  auto bgra = [&](int x, int y) {
    const std::uint32_t c = rgb(x, y);
    return (c & 255) << 24 | (c >> 8 & 255) << 16 | (c >> 16) << 8 | 0x7F;
  };
  for (int header : {40, 108, 124}) {
    BmpFile bf{.headerSize = header,
               .width = 5,
               .height = 4,
               .bits = 32,
               .compression = 3,
               .masks = {0x0000FF00, 0x00FF0000, 0xFF000000}};
    EXPECT_EQ(DecodeBmp(bf.Pixels(bgra).Bytes()).rgb, expected.rgb) << header;
  }
}

TEST(BmpReader, SixteenBitChannelsWidenToFullRange) {
  BmpFile f555{.width = 2, .height = 1, .bits = 16};
  const Raster a = DecodeBmp(f555.Pixels([](int x, int) { return x ? 0x7FFFu : 0x7C00u; }).Bytes());
  EXPECT_EQ(At(a, 0, 0), 0xFF0000u);
  EXPECT_EQ(At(a, 1, 0), 0xFFFFFFu);
  BmpFile f565{
      .width = 2, .height = 1, .bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}};
  const Raster b = DecodeBmp(f565.Pixels([](int x, int) { return x ? 0x07E0u : 0x8410u; }).Bytes());
  EXPECT_EQ(At(b, 1, 0), 0x00FF00u);
  EXPECT_EQ(At(b, 0, 0), 0x848284u);  // 16/31, 32/63, 16/31 of full scale
}

TEST(BmpReader, CoreHeaderWithThreeBytePalette) {
  BmpFile f{.headerSize = 12, .width = 3, .height = 2, .bits = 8, .palette = Palette(256)};
  const Raster r =
      DecodeBmp(f.Pixels([](int x, int y) { return std::uint32_t(x + 10 * y); }).Bytes());
  EXPECT_EQ(At(r, 2, 1), f.palette[12]);
  EXPECT_EQ(At(r, 0, 0), f.palette[0]);
}

TEST(BmpReader, RunLengthEightAndFour) {
  // Bottom row: run of 3 x index 1, absolute 2,3,4 (padded), end of line; next row: delta right
  // 2 and up 0, run of 1 x index 5, end of bitmap. Skipped pixels stay black.
  BmpFile r8{.width = 6, .height = 2, .bits = 8, .compression = 1, .palette = Palette(8)};
  r8.data =
      std::string("\x03\x01\x00\x03\x02\x03\x04\x00\x00\x00\x00\x02\x02\x00\x01\x05\x00\x01", 18);
  const Raster a = DecodeBmp(r8.Bytes());
  const auto& p = r8.palette;
  EXPECT_EQ((std::vector<std::uint32_t>{At(a, 0, 1), At(a, 2, 1), At(a, 3, 1), At(a, 5, 1)}),
            (std::vector<std::uint32_t>{p[1], p[1], p[2], p[4]}));
  EXPECT_EQ(At(a, 0, 0), 0u);
  EXPECT_EQ(At(a, 2, 0), p[5]);
  EXPECT_EQ(At(a, 3, 0), 0u);

  // RLE4: run of 5 alternating 1,2; absolute 3 pixels 7,6,5 (2 bytes, already even).
  BmpFile r4{.width = 8, .height = 1, .bits = 4, .compression = 2, .palette = Palette(16)};
  r4.data = std::string("\x05\x12\x00\x03\x76\x50\x00\x01", 8);
  const Raster b = DecodeBmp(r4.Bytes());
  std::vector<std::uint32_t> got, want;
  for (int x = 0; x < 8; ++x) got.push_back(At(b, x, 0));
  for (int i : {1, 2, 1, 2, 1, 7, 6, 5}) want.push_back(r4.palette[i]);
  EXPECT_EQ(got, want);
}

void ExpectInvalid(const std::string& bytes, const std::string& what) {
  try {
    DecodeBmp(bytes);
    ADD_FAILURE() << what << " decoded";
  } catch (const Error& e) {
    EXPECT_FALSE(std::string(e.what()).empty()) << what;
  }
}

TEST(BmpReader, DamagedFilesFailWithAMessage) {
  auto grey = [](int x, int y) { return std::uint32_t(x * y); };
  BmpFile good{.width = 7, .height = 6, .bits = 8, .palette = Palette(256)};
  const std::string bytes = good.Pixels(grey).Bytes();
  ASSERT_NO_THROW(DecodeBmp(bytes));
  // Every shorter file either decodes (only the last row's padding missing) or fails cleanly.
  for (std::size_t n = 0; n < bytes.size() - 3; ++n) ExpectInvalid(bytes.substr(0, n), "cut");

  std::string planes = bytes;
  planes[26] = 2;
  ExpectInvalid(planes, "two planes");
  std::string header = bytes;
  header[14] = 99;
  ExpectInvalid(header, "header size 99");
  std::string depth = bytes;
  depth[28] = 7;
  ExpectInvalid(depth, "7 bits");
  ExpectInvalid("GIF89a" + bytes, "not BM");
  BmpFile empty{.width = 0, .height = 4};
  ExpectInvalid(empty.Bytes(), "zero width");
  BmpFile huge{.width = 100000, .height = 100000};
  ExpectInvalid(huge.Bytes(), "too many pixels");
  BmpFile rleDown{.width = 2, .height = -2, .bits = 8, .compression = 1, .palette = Palette(2)};
  rleDown.data = std::string("\x00\x01", 2);
  ExpectInvalid(rleDown.Bytes(), "top-down RLE");
  BmpFile jpegInside{.width = 2, .height = 2, .bits = 24, .compression = 4};
  ExpectInvalid(jpegInside.Pixels(grey).Bytes(), "embedded JPEG");

  // Indices past a short palette show black instead of reading beyond it.
  BmpFile shortPalette{.width = 2, .height = 1, .bits = 8, .palette = Palette(2)};
  const Raster r = DecodeBmp(shortPalette.Pixels([](int x, int) { return x ? 200u : 1u; }).Bytes());
  EXPECT_EQ(At(r, 0, 0), shortPalette.palette[1]);
  EXPECT_EQ(At(r, 1, 0), 0u);
}

TEST(BmpReader, ProbeReportsTheSize) {
  testing::ScratchDir dir;
  BmpFile f{.width = 9, .height = -3, .bits = 24};
  testing::WriteBytes(dir.file("p.BMP"), f.Pixels([](int, int) { return 0u; }).Bytes());
  const ImageSize s = GetImageSize(dir.file("p.BMP"));
  EXPECT_EQ(s.width, 9);
  EXPECT_EQ(s.height, 3);
}

// The public bitmap suite: its good files decode (those drawing the same picture decode to the
// same pixels), its bad and questionable ones decode or fail cleanly, none crashes.
TEST(BmpReader, PublicSuite) {
  namespace sfs = std::filesystem;
  const sfs::path root = sfs::path(FW_TESTDATA_DIR) / "bmp";
  if (!sfs::is_directory(root)) GTEST_SKIP() << "no " << root;
  auto decode = [&](const std::string& rel) {
    return DecodeBmp(fs::ReadFile((root / rel).string()));
  };

  for (const auto& e : sfs::directory_iterator(root / "g")) {
    try {
      const Raster r = decode("g/" + e.path().filename().string());
      EXPECT_GT(r.width, 0);
    } catch (const Error& ex) {
      ADD_FAILURE() << e.path() << ": " << ex.what();
    }
  }
  const Raster pal8 = decode("g/pal8.bmp");
  for (const char* same : {"g/pal8topdown.bmp", "g/pal8rle.bmp", "g/pal8v4.bmp", "g/pal8v5.bmp",
                           "g/pal8os2.bmp", "g/pal8-0.bmp"})
    EXPECT_EQ(decode(same).rgb, pal8.rgb) << same;
  const Raster rgb24 = decode("g/rgb24.bmp");
  for (const char* same : {"g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp", "g/rgb24pal.bmp"})
    EXPECT_EQ(decode(same).rgb, rgb24.rgb) << same;

  for (const char* bad :
       {"b/badbitcount.bmp", "b/badheadersize.bmp", "b/badplanes.bmp", "b/badwidth.bmp",
        "b/reallybig.bmp", "b/rletopdown.bmp", "b/shortfile.bmp"})
    EXPECT_THROW(decode(bad), Error) << bad;
  for (const char* folder : {"b", "q", "x"})
    for (const auto& e : sfs::directory_iterator(root / folder)) {
      try {
        const Raster r = decode(std::string(folder) + "/" + e.path().filename().string());
        EXPECT_EQ(r.rgb.size(), std::size_t(r.width) * r.height * 3);
      } catch (const Error&) {
      }
    }
}

}  // namespace
}  // namespace fw
