#include <gtest/gtest.h>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>

#include "common/error.h"
#include "common/fs.h"
#include "common/recording_host.h"
#include "images/image_io.h"
#include "images/jpeg_reader.h"
#include "images/jpeg_writer.h"
#include "pictures.h"

namespace fw {
namespace {

using testing::ScratchDir;
using testing::SmoothRaster;
using testing::WriteBytes;

// libjpeg's own full decode to RGB, without any of our code.
Raster LibjpegDecode(const std::string& bytes) {
  jpeg_decompress_struct d{};
  jpeg_error_mgr err;
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&d, TRUE);
  d.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d);
  Raster r{int(d.output_width), int(d.output_height), {}};
  r.rgb.resize(std::size_t(r.width) * r.height * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = r.row(int(d.output_scanline));
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return r;
}

// Nearest neighbour in exact integer arithmetic: source index = round(i * L / size), halves to
// even, for scale factors whose products are never near a tie in floating point.
int Nearest(long long i, long long longest, long long size) {
  const long long num = i * longest, q = num / size, rem = num % size;
  long long s = q + (2 * rem > size || (2 * rem == size && q % 2 == 1));
  return int(s);
}

Raster NearestNeighbour(const Raster& src, int w, int h, int size) {
  const long long longest = std::max(src.width, src.height);
  Raster out{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int sx = std::min(Nearest(x, longest, size), src.width - 1);
      const int sy = std::min(Nearest(y, longest, size), src.height - 1);
      std::copy_n(src.row(sy) + sx * 3, 3, out.row(y) + x * 3);
    }
  return out;
}

TEST(MakeScaledJpeg, ThumbnailIsThePointSampledFullDecodeEncodedByLibjpeg) {
  ScratchDir dir;
  const std::string source = EncodeJpeg(SmoothRaster(1600, 1200), 90, false);
  WriteBytes(dir.file("big.jpg"), source);
  RecordingHost host;
  ASSERT_TRUE(MakeScaledJpeg(host, dir.file("big.jpg"), dir.file("thumb.jpg"), 120, 75, true));
  EXPECT_EQ(host.eventsProcessed, 90);
  EXPECT_TRUE(host.calls.empty());

  const Raster expected = NearestNeighbour(LibjpegDecode(source), 120, 90, 120);
  const std::string written = fs::ReadFile(dir.file("thumb.jpg"));
  // The same raster through the same encoder settings gives the very same bytes.
  EXPECT_EQ(written, EncodeJpeg(expected, 75, true));
  const Raster thumb = LibjpegDecode(written);
  EXPECT_EQ(thumb.width, 120);
  EXPECT_EQ(thumb.height, 90);
  EXPECT_EQ(thumb.rgb, LibjpegDecode(EncodeJpeg(expected, 75, true)).rgb);
}

TEST(MakeScaledJpeg, EncoderSettingsShowInTheStream) {
  const Raster r = SmoothRaster(40, 30);
  const std::string baseline = EncodeJpeg(r, 75, false);
  const std::string progressive = EncodeJpeg(r, 75, true);
  auto has = [](const std::string& s, const char* marker) {
    return s.find(std::string(marker, 2)) != std::string::npos;
  };
  EXPECT_TRUE(has(baseline, "\xFF\xC0"));
  EXPECT_FALSE(has(baseline, "\xFF\xC2"));
  EXPECT_TRUE(has(progressive, "\xFF\xC2"));
  EXPECT_EQ(baseline.substr(6, 4), "JFIF");
  EXPECT_NE(EncodeJpeg(r, 30, false), baseline);
}

TEST(MakeScaledJpeg, OtherEndingsAreLeftAloneWithoutAWord) {
  ScratchDir dir;
  WriteBytes(dir.file("photo.jpeg"), EncodeJpeg(SmoothRaster(16, 16), 75, false));
  RecordingHost host;
  EXPECT_TRUE(MakeScaledJpeg(host, dir.file("photo.jpeg"), dir.file("out.jpg"), 8, 75, true));
  EXPECT_FALSE(fs::Exists(dir.file("out.jpg")));
  EXPECT_TRUE(host.calls.empty());
}

TEST(MakeScaledJpeg, TargetInAMissingFolderIsReportedAndTheCallerGoesOn) {
  ScratchDir dir;
  WriteBytes(dir.file("a.JPG"), EncodeJpeg(SmoothRaster(60, 40), 75, false));
  RecordingHost host;
  const std::string target = dir.file("no/such/folder/a.jpg");
  EXPECT_FALSE(MakeScaledJpeg(host, dir.file("a.JPG"), target, 30, 75, true));
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{"Could not create file " + target +
                                                            ". Will continue with next file."});
}

TEST(MakeScaledJpeg, FailuresRaiseAndWriteNothing) {
  ScratchDir dir;
  WriteBytes(dir.file("empty.jpg"), "");
  WriteBytes(dir.file("broken.bmp"), "BM not really");
  RecordingHost host;
  for (const char* name : {"empty.jpg", "broken.bmp", "missing.png"}) {
    EXPECT_THROW(MakeScaledJpeg(host, dir.file(name), dir.file("out.jpg"), 50, 75, false), Error)
        << name;
  }
  EXPECT_FALSE(fs::Exists(dir.file("out.jpg")));
  EXPECT_TRUE(host.calls.empty());
}

TEST(MakeScaledJpeg, ShrinksInPlaceAndEnlargesSmallPictures) {
  ScratchDir dir;
  const std::string path = dir.file("in-place.jpg");
  WriteBytes(path, EncodeJpeg(SmoothRaster(400, 250), 90, false));
  RecordingHost host;
  ASSERT_TRUE(MakeScaledJpeg(host, path, path, 100, 80, false));
  ImageSize s = GetImageSize(path);
  EXPECT_EQ(s.width, 100);
  EXPECT_EQ(s.height, 62);

  // A valid small picture must never be treated as corrupt.
  WriteBytes(dir.file("small.jpg"), EncodeJpeg(SmoothRaster(60, 40), 90, false));
  ASSERT_TRUE(MakeScaledJpeg(host, dir.file("small.jpg"), dir.file("big.jpg"), 120, 75, true));
  s = GetImageSize(dir.file("big.jpg"));
  EXPECT_EQ(s.width, 120);
  EXPECT_EQ(s.height, 80);

  WriteBytes(dir.file("line.jpg"), EncodeJpeg(SmoothRaster(1000, 1), 90, false));
  ASSERT_TRUE(MakeScaledJpeg(host, dir.file("line.jpg"), dir.file("line-t.jpg"), 100, 75, true));
  s = GetImageSize(dir.file("line-t.jpg"));
  EXPECT_EQ(s.width, 100);
  EXPECT_EQ(s.height, 1);
}

}  // namespace
}  // namespace fw
