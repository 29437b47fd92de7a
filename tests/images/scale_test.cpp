#include <gtest/gtest.h>

#include "common/error.h"
#include "common/recording_host.h"
#include "images/image_io.h"
#include "images/jpeg_writer.h"
#include "images/scaler.h"
#include "pictures.h"

namespace fw {
namespace {

using testing::CoordinateRaster;
using testing::SourceColumn;

std::vector<int> FirstColumns(const Raster& out, int n) {
  std::vector<int> cols;
  for (int x = 0; x < n; ++x) cols.push_back(SourceColumn(out, x, 0));
  return cols;
}

TEST(PointSample, SizesAndSampledColumnsOfTheWorkedExamples) {
  RecordingHost host;
  Raster big = PointSample(CoordinateRaster(1600, 1200), 120, host);
  EXPECT_EQ(big.width, 120);
  EXPECT_EQ(big.height, 90);
  EXPECT_EQ(FirstColumns(big, 5), (std::vector<int>{0, 13, 27, 40, 53}));

  Raster wide = PointSample(CoordinateRaster(300, 120), 120, host);
  EXPECT_EQ(wide.width, 120);
  EXPECT_EQ(wide.height, 48);
  EXPECT_EQ(FirstColumns(wide, 5), (std::vector<int>{0, 2, 5, 8, 10}));

  // 62.5 rounds to the even neighbour.
  ScaledSize s = ScaledDimensions(400, 250, 100);
  EXPECT_EQ(s.width, 100);
  EXPECT_EQ(s.height, 62);
  // Portrait: the height takes the size.
  s = ScaledDimensions(90, 120, 120);
  EXPECT_EQ(s.width, 90);
  EXPECT_EQ(s.height, 120);
}

TEST(PointSample, RowsComeFromTheRoundedSourceRowAndEventsRunAfterEachRow) {
  RecordingHost host;
  Raster out = PointSample(CoordinateRaster(300, 120), 120, host);
  EXPECT_EQ(host.eventsProcessed, out.height);
  for (int y : {0, 1, 2, 3, 47}) {
    const int expected = static_cast<int>(std::nearbyint(y * 2.5L));
    EXPECT_EQ(out.row(y)[2], expected) << "row " << y;
  }
}

TEST(PointSample, EnlargementRepeatsPixelsAndClampsAtTheLastRowAndColumn) {
  RecordingHost host;
  Raster up = PointSample(CoordinateRaster(100, 100), 120, host);
  EXPECT_EQ(up.width, 120);
  EXPECT_EQ(up.height, 120);
  // A 60 x 40 picture at 120 samples one row and column past the end in its last lines.
  Raster edge = PointSample(CoordinateRaster(60, 40), 120, host);
  ASSERT_EQ(edge.width, 120);
  ASSERT_EQ(edge.height, 80);
  EXPECT_EQ(SourceColumn(edge, 119, 79), 59);
  EXPECT_EQ(edge.row(79)[2], 39);
  EXPECT_EQ(edge.row(78)[2], 39);
  for (int x = 1; x < edge.width; ++x)
    EXPECT_GE(SourceColumn(edge, x, 0), SourceColumn(edge, x - 1, 0));
}

TEST(PointSample, ThinPicturesKeepAtLeastOneRowAndEmptyOnesFail) {
  ScaledSize s = ScaledDimensions(1000, 1, 100);
  EXPECT_EQ(s.width, 100);
  EXPECT_EQ(s.height, 1);
  s = ScaledDimensions(1, 1000, 100);
  EXPECT_EQ(s.width, 1);
  EXPECT_EQ(s.height, 100);
  EXPECT_THROW(ScaledDimensions(0, 0, 100), Error);
  EXPECT_THROW(ScaledDimensions(100, 100, 0), Error);
}

TEST(PointSample, ScaleOneCopiesThePicture) {
  RecordingHost host;
  Raster src = CoordinateRaster(80, 60);
  Raster out = PointSample(src, 80, host);
  EXPECT_EQ(out.rgb, src.rgb);
}

class FitLongestSideTest : public ::testing::Test {
 protected:
  // Only the frame header is read by the probe, so a cut-off JPEG of the right size will do.
  std::string Picture(int w, int h) {
    Raster r{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3, 128)};
    const std::string path = dir.file(std::to_string(w) + "x" + std::to_string(h) + ".jpg");
    testing::WriteBytes(path, EncodeJpeg(r, 75, false).substr(0, 1000));
    return path;
  }
  testing::ScratchDir dir;
};

TEST_F(FitLongestSideTest, BoxesOfTheWorkedExamples) {
  EXPECT_EQ(FitLongestSide(Picture(3000, 2000), 1024, 768), 1024);
  EXPECT_EQ(FitLongestSide(Picture(2000, 3000), 1024, 768), 768);
  EXPECT_EQ(FitLongestSide(Picture(800, 600), 1024, 768), 800);
  // Wider than the box allows: the height decides, rounded half to even.
  EXPECT_EQ(FitLongestSide(Picture(3000, 1000), 2000, 500), 1500);
  EXPECT_EQ(FitLongestSide(Picture(1000, 3000), 200, 1000), 600);
  EXPECT_EQ(ScaledDimensions(3000, 2000, 1024).height, 683);
  EXPECT_EQ(ScaledDimensions(2000, 3000, 768).width, 512);
}

TEST_F(FitLongestSideTest, ProbeErrorsPassOn) {
  EXPECT_THROW(FitLongestSide(dir.file("missing.jpg"), 100, 100), Error);
}

}  // namespace
}  // namespace fw
