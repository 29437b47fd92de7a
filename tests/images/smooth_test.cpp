// The smooth sampler against a plain two-dimensional Lanczos-3 sum written from its definition,
// and its JPEG path (decoded at a reduced size) against the full decode.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "common/error.h"
#include "common/fs.h"
#include "common/recording_host.h"
#include "images/image_io.h"
#include "images/jpeg_reader.h"
#include "images/jpeg_smooth.h"
#include "images/jpeg_writer.h"
#include "images/orient.h"
#include "images/run_fixture.h"
#include "images/scaler.h"
#include "images/smooth_scaler.h"
#include "pictures.h"

namespace fw {
namespace {

using testing::MaxDifference;
using testing::ScratchDir;
using testing::SmoothRaster;
using testing::WriteBytes;

double Sinc(double x) {
  return x == 0 ? 1 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
}
double Lanczos3(double x) { return std::fabs(x) < 3 ? Sinc(x) * Sinc(x / 3) : 0; }

// Every output pixel as the weighted mean over every source pixel, in double precision.
Raster ReferenceLanczos(const Raster& src, int w, int h) {
  Raster out{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
  const double sx = double(src.width) / w, sy = double(src.height) / h;
  const double fx = std::max(sx, 1.0), fy = std::max(sy, 1.0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double sum[3] = {0, 0, 0}, total = 0;
      for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i) {
          const double weight = Lanczos3((i - ((x + 0.5) * sx - 0.5)) / fx) *
                                Lanczos3((j - ((y + 0.5) * sy - 0.5)) / fy);
          if (weight == 0) continue;
          total += weight;
          for (int c = 0; c < 3; ++c) sum[c] += weight * src.row(j)[i * 3 + c];
        }
      for (int c = 0; c < 3; ++c)
        out.row(y)[x * 3 + c] = std::uint8_t(std::clamp(std::lround(sum[c] / total), 0L, 255L));
    }
  return out;
}

Raster Noise(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  Raster r{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
  for (auto& v : r.rgb) v = std::uint8_t(rng());
  return r;
}

TEST(SmoothSample, MatchesTheTwoDimensionalLanczosSumWithinOneLevel) {
  struct Case {
    int w, h, size;
  };
  // Reductions by whole and odd factors, a sliver, a square, an enlargement and the own size.
  for (const Case c : {Case{48, 32, 12}, Case{97, 41, 20}, Case{300, 7, 30}, Case{25, 25, 9},
                       Case{7, 5, 16}, Case{19, 13, 19}}) {
    const Raster src = Noise(c.w, c.h, unsigned(c.w * 31 + c.h));
    RecordingHost host;
    const Raster ours = SmoothSample(src, c.size, host);
    const ScaledSize s = ScaledDimensions(c.w, c.h, c.size);
    EXPECT_EQ(host.eventsProcessed, s.height) << c.w << "x" << c.h;
    EXPECT_LE(MaxDifference(ours, ReferenceLanczos(src, s.width, s.height)), 1)
        << c.w << "x" << c.h << " to " << c.size;
  }
  // At its own size the filter gives the picture back untouched.
  const Raster src = Noise(19, 13, 5);
  RecordingHost host;
  EXPECT_EQ(SmoothSample(src, 19, host).rgb, src.rgb);
}

TEST(SmoothSample, AFinePatternShrinksToItsMeanWherePointSamplingAliases) {
  Raster checks{64, 64, std::vector<std::uint8_t>(64 * 64 * 3)};
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      for (int c = 0; c < 3; ++c) checks.row(y)[x * 3 + c] = (x + y) % 2 ? 255 : 0;
  RecordingHost host;
  const Raster point = PointSample(checks, 8, host);
  const Raster smooth = SmoothSample(checks, 8, host);
  EXPECT_EQ(*std::max_element(point.rgb.begin(), point.rgb.end()), 0);  // every sample black
  for (std::uint8_t v : smooth.rgb) EXPECT_NEAR(v, 127.5, 1.5);
}

std::string Jpeg(const Raster& r) { return EncodeJpeg(r, 95, false); }

TEST(SmoothJpegFile, ReducedDecodeAgreesWithTheFullDecodeFiltered) {
  ScratchDir dir;
  const std::string file = dir.file("p.jpg");
  struct Case {
    int w, h, size, eighths;
  };
  // Decoded at an eighth, a quarter, a half, and whole (too little left to reduce).
  for (const Case c : {Case{800, 600, 40, 1}, Case{640, 400, 64, 2}, Case{600, 450, 120, 4},
                       Case{333, 250, 200, 8}}) {
    WriteBytes(file, Jpeg(SmoothRaster(c.w, c.h)));
    const ScaledSize s = ScaledDimensions(c.w, c.h, c.size);
    EXPECT_EQ(DecodeEighths(c.w, c.h, s.width, s.height), c.eighths) << c.w;
    RecordingHost host;
    const std::optional<Raster> reduced = SmoothJpegFile(file, c.size, 1, host);
    ASSERT_TRUE(reduced);
    EXPECT_EQ(host.eventsProcessed, s.height);
    EXPECT_LE(MaxDifference(*reduced, SmoothSample(ReadJpeg(file), c.size, host)), 1) << c.w;
  }
  // Shown turned: the reduced decode is turned before it is filtered.
  WriteBytes(file, Jpeg(SmoothRaster(720, 480)));
  for (int orientation : {3, 6, 7}) {
    RecordingHost host;
    const std::optional<Raster> turned = SmoothJpegFile(file, 60, orientation, host);
    ASSERT_TRUE(turned);
    const Raster full = SmoothSample(TurnRaster(ReadJpeg(file), orientation), 60, host);
    EXPECT_LE(MaxDifference(*turned, full), 1) << orientation;
  }
}

TEST(SmoothJpegFile, FailsAsTheFullDecodeDoes) {
  ScratchDir dir;
  const std::string whole = Jpeg(SmoothRaster(400, 300));
  const std::string file = dir.file("p.jpg");
  RecordingHost host;
  for (std::size_t keep : {std::size_t(0), std::size_t(100), whole.size() / 2}) {
    WriteBytes(file, whole.substr(0, keep));
    std::string full, ours;
    try {
      ReadJpeg(file);
    } catch (const Error& e) {
      full = e.what();
    }
    try {
      SmoothJpegFile(file, 50, 1, host);
    } catch (const Error& e) {
      ours = e.what();
    }
    EXPECT_EQ(ours, full) << "cut at " << keep;
  }
  WriteBytes(file, whole);
  EXPECT_FALSE(SmoothJpegFile(file, 0, 1, host));
  EXPECT_THROW(SmoothJpegFile(dir.file("missing.jpg"), 10, 1, host), Error);
}

// Through MakeScaledJpeg every kind of picture keeps the point sampler's size and messages.
TEST(MakeScaledJpeg, SmoothPicturesKeepThePointSampledSizesAndMessages) {
  ScratchDir dir;
  WriteBytes(dir.file("a.jpg"), testing::JpegBytes(400, 250));
  WriteBytes(dir.file("b.png"), testing::PngBytes(90, 140));
  WriteBytes(dir.file("c.bmp"), testing::BmpBytes(33, 70));
  WriteBytes(dir.file("d.gif"), testing::GifBytes(60, 40));
  for (const char* name : {"a.jpg", "b.png", "c.bmp", "d.gif"}) {
    const std::string src = dir.file(name), point = dir.file("p.jpg"), smooth = dir.file("s.jpg");
    RecordingHost host;
    ASSERT_TRUE(MakeScaledJpeg(host, src, point, 100, 75, true));
    ASSERT_TRUE(MakeScaledJpeg(host, src, smooth, 100, 75, true, Sampler::Smooth));
    EXPECT_TRUE(host.calls.empty()) << name;
    const ImageSize p = GetImageSize(point), s = GetImageSize(smooth);
    EXPECT_EQ(s.width, p.width) << name;
    EXPECT_EQ(s.height, p.height) << name;
    EXPECT_EQ(fs::ReadFile(smooth).find("\xFF\xC2"), fs::ReadFile(point).find("\xFF\xC2")) << name;
  }
  RecordingHost host;
  const std::string target = dir.file("no/folder/x.jpg");
  EXPECT_FALSE(MakeScaledJpeg(host, dir.file("a.jpg"), target, 50, 75, true, Sampler::Smooth));
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{"Could not create file " + target +
                                                            ". Will continue with next file."});
  EXPECT_THROW(MakeScaledJpeg(host, dir.file("missing.png"), target, 50, 75, true, Sampler::Smooth),
               Error);
}

}  // namespace
}  // namespace fw
