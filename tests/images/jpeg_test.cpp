#include <gtest/gtest.h>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "common/error.h"
#include "common/fs.h"
#include "images/image_io.h"
#include "images/jpeg_reader.h"
#include "images/jpeg_writer.h"
#include "pictures.h"

namespace fw {
namespace {

using testing::ScratchDir;
using testing::SmoothRaster;
using testing::WriteBytes;

// Encodes `samples` (components per pixel as given) straight through libjpeg.
std::string EncodeRaw(const std::vector<std::uint8_t>& samples, int w, int h, int components,
                      J_COLOR_SPACE in, J_COLOR_SPACE stored, bool adobe) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buf, &size);
  c.image_width = w, c.image_height = h, c.input_components = components, c.in_color_space = in;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, stored);
  c.write_Adobe_marker = adobe ? TRUE : FALSE;
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + c.next_scanline * w * components);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::string out(reinterpret_cast<char*>(buf), size);
  std::free(buf);
  return out;
}

TEST(JpegProbe, ReadsTheFrameHeaderOnly) {
  ScratchDir dir;
  const std::string full = EncodeJpeg(SmoothRaster(320, 200), 75, true);
  WriteBytes(dir.file("whole.JPG"), full);
  WriteBytes(dir.file("cut.jpg"), full.substr(0, full.size() / 3));
  WriteBytes(dir.file("empty.jpg"), "");

  ImageSize s = GetImageSize(dir.file("whole.JPG"));
  EXPECT_EQ(s.width, 320);
  EXPECT_EQ(s.height, 200);
  s = GetImageSize(dir.file("cut.jpg"));
  EXPECT_EQ(s.width, 320);
  EXPECT_EQ(s.height, 200);
  int w = 7, h = 9;
  EXPECT_TRUE(GetImageSize(dir.file("empty.jpg"), w, h));
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
}

TEST(JpegProbe, KindComesFromTheNameAlone) {
  ScratchDir dir;
  const std::string jpeg = EncodeJpeg(SmoothRaster(16, 8), 75, false);
  WriteBytes(dir.file("photo.jpeg"), jpeg);
  int w = 7, h = 9;
  EXPECT_FALSE(GetImageSize(dir.file("photo.jpeg"), w, h));
  EXPECT_EQ(w, 7);
  EXPECT_EQ(h, 9);
  EXPECT_FALSE(GetImageSize(dir.file("missing.tif"), w, h));

  // PNG content under a JPEG name is an unreadable JPEG; the caller's values stay.
  WriteBytes(dir.file("png-with-jpeg-extension.jpg"),
             std::string("\x89PNG\r\n\x1a\n", 8) + std::string(40, '\0'));
  EXPECT_THROW(GetImageSize(dir.file("png-with-jpeg-extension.jpg"), w, h), Error);
  EXPECT_EQ(w, 7);
  EXPECT_THROW(DecodePicture(dir.file("png-with-jpeg-extension.jpg")), Error);
  EXPECT_THROW(GetImageSize(dir.file("missing.jpg"), w, h), Error);

  EXPECT_EQ(ProbeKind("a.PnG"), PictureKind::Png);
  EXPECT_EQ(DecodeKind("a.PnG"), PictureKind::Png);
  EXPECT_EQ(DecodeKind("xbmp"), PictureKind::None);
  EXPECT_EQ(ProbeKind("xbmp"), PictureKind::Bmp);
}

TEST(JpegDecode, ColourPictureRoundTripsCloselyAndEmptyDataFails) {
  const Raster src = SmoothRaster(64, 48);
  const Raster out = DecodeJpeg(EncodeJpeg(src, 95, false));
  ASSERT_EQ(out.width, 64);
  ASSERT_EQ(out.height, 48);
  int worst = 0;
  for (std::size_t i = 0; i < src.rgb.size(); ++i)
    worst = std::max(worst, std::abs(int(src.rgb[i]) - int(out.rgb[i])));
  EXPECT_LE(worst, 24);
  EXPECT_THROW(DecodeJpeg(""), Error);
  try {
    DecodeJpeg("not a jpeg at all");
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("JPEG"), std::string::npos) << e.what();
  }
}

TEST(JpegDecode, GreyPicturesBecomeAtMost236EqualChannelLevels) {
  const int w = 256, h = 32;
  std::vector<std::uint8_t> grey(w * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) grey[y * w + x] = std::uint8_t(x);
  const Raster out = DecodeJpeg(EncodeRaw(grey, w, h, 1, JCS_GRAYSCALE, JCS_GRAYSCALE, false));
  ASSERT_EQ(out.width, w);
  std::set<int> levels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* p = out.row(y) + x * 3;
      ASSERT_EQ(p[0], p[1]);
      ASSERT_EQ(p[1], p[2]);
      levels.insert(p[0]);
      EXPECT_NEAR(p[0], x, 6) << x << "," << y;
    }
  EXPECT_LE(levels.size(), 236u);
  EXPECT_GT(levels.size(), 200u);
}

// Four flat 16 x 16 blocks, stored as the given CMYK samples.
struct Ink {
  std::uint8_t cmyk[4];
  std::uint8_t rgb[3];
};

void ExpectBlocks(const Raster& out, const std::vector<Ink>& inks) {
  for (std::size_t i = 0; i < inks.size(); ++i) {
    const std::uint8_t* p = out.row(8) + (16 * i + 8) * 3;
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(p[c], inks[i].rgb[c], 4) << "block " << i << " c " << c;
  }
}

std::vector<std::uint8_t> Blocks(const std::vector<Ink>& inks, bool inverted) {
  const int w = 16 * int(inks.size());
  std::vector<std::uint8_t> s(w * 16 * 4);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 4; ++c) {
        const std::uint8_t v = inks[x / 16].cmyk[c];
        s[(y * w + x) * 4 + c] = inverted ? 255 - v : v;
      }
  return s;
}

const std::vector<Ink> kInks = {
    {{0, 0, 0, 0}, {255, 255, 255}},   {{0, 255, 0, 0}, {255, 0, 255}},
    {{255, 255, 0, 0}, {0, 0, 255}},   {{0, 0, 0, 255}, {0, 0, 0}},
    {{0, 0, 255, 128}, {127, 127, 0}},
};

TEST(JpegDecode, CmykAndYcckBecomeRgbWithAdobeInversion) {
  const int w = 16 * int(kInks.size());
  // Adobe-marked files store inverted ink amounts, whether as CMYK or as YCCK.
  ExpectBlocks(DecodeJpeg(EncodeRaw(Blocks(kInks, true), w, 16, 4, JCS_CMYK, JCS_CMYK, true)),
               kInks);
  ExpectBlocks(DecodeJpeg(EncodeRaw(Blocks(kInks, true), w, 16, 4, JCS_CMYK, JCS_YCCK, true)),
               kInks);
  // Without the marker the samples are plain ink amounts.
  ExpectBlocks(DecodeJpeg(EncodeRaw(Blocks(kInks, false), w, 16, 4, JCS_CMYK, JCS_CMYK, false)),
               kInks);
}

// Every JPEG of the public suites: a good file decodes to its header's size, a bad one fails
// with an fw::Error; nothing crashes.
TEST(JpegDecode, PublicSuites) {
  namespace sfs = std::filesystem;
  const sfs::path root = sfs::path(FW_TESTDATA_DIR) / "jpeg";
  if (!sfs::is_directory(root)) GTEST_SKIP() << "no " << root;
  int decoded = 0, failed = 0;
  for (const auto& e : sfs::recursive_directory_iterator(root)) {
    const std::string ext = e.path().extension().string();
    if (ext != ".jpg" && ext != ".jpeg") continue;
    const std::string name = e.path().string();
    const std::string bytes = fs::ReadFile(name);
    try {
      const Raster r = DecodeJpeg(bytes);
      const JpegInfo i = JpegSizeFromMemory(bytes);
      EXPECT_EQ(r.width, i.width) << name;
      EXPECT_EQ(r.height, i.height) << name;
      EXPECT_EQ(r.rgb.size(), std::size_t(r.width) * r.height * 3) << name;
      ++decoded;
    } catch (const Error& ex) {
      EXPECT_NE(std::string(ex.what()), "") << name;
      ++failed;
      // The suites' reference decodes and the main test pictures must work.
      EXPECT_EQ(name.find("reftest"), std::string::npos) << name << ": " << ex.what();
      EXPECT_EQ(name.find("peacock"), std::string::npos) << name << ": " << ex.what();
    }
  }
  EXPECT_GT(decoded, 50);
  RecordProperty("failed", failed);
}

}  // namespace
}  // namespace fw
