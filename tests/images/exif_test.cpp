// Pictures shown as the camera was held: the Orientation tag, turning, sampling in the shown
// frame, and the probe, decode and JPEG maker over tagged files.
#include "images/exif.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "common/fs.h"
#include "common/recording_host.h"
#include "exif_jpeg.h"
#include "images/image_io.h"
#include "images/jpeg_reader.h"
#include "images/jpeg_writer.h"
#include "images/orient.h"
#include "images/resize_run.h"
#include "images/run_fixture.h"
#include "images/scaler.h"
#include "pictures.h"

namespace fw {
namespace {

using testing::CoordinateRaster;
using testing::ExifPayload;
using testing::IfdEntry;
using testing::JpegWithApp1;
using testing::OrientationPayload;
using testing::QuarterRaster;
using testing::Quarters;
using testing::ScratchDir;
using testing::WriteBytes;

// The quarters shown top left, top right, bottom left, bottom right for each orientation of a
// picture stored as QuarterRaster ("RGBW").
const char* const kShownQuarters[9] = {"",     "RGBW", "GRWB", "WBGR", "BWRG",
                                       "RBGW", "BRWG", "WGBR", "GWRB"};

int OrientationIn(const std::string& payload) {
  return JpegOrientationFromBytes(JpegWithApp1(QuarterRaster(16, 16), {payload}));
}

TEST(ExifOrientation, ReadsEveryValueInBothByteOrders) {
  for (bool little : {true, false})
    for (int o = 1; o <= 8; ++o) {
      EXPECT_EQ(ExifOrientation(OrientationPayload(o, little)), o) << o << " " << little;
      EXPECT_EQ(OrientationIn(OrientationPayload(o, little)), o) << o << " " << little;
    }
  // Among other tags, wherever it stands in IFD0.
  const std::vector<IfdEntry> entries = {
      {0x010F, 2, 4, 0x00414141}, {0x0112, 3, 1, 6}, {0x011A, 5, 1, 200}};
  EXPECT_EQ(ExifOrientation(ExifPayload(false, entries)), 6);
  EXPECT_EQ(ExifOrientation(ExifPayload(true, entries)), 6);
}

TEST(ExifOrientation, MissingDamagedOrOutOfRangeCountsAsOne) {
  EXPECT_EQ(OrientationIn(OrientationPayload(0)), 1);
  EXPECT_EQ(OrientationIn(OrientationPayload(9)), 1);
  EXPECT_EQ(OrientationIn(OrientationPayload(0xFFFF, false)), 1);
  EXPECT_EQ(OrientationIn(ExifPayload(true, {{0x010F, 2, 4, 0}})), 1);  // no tag at all
  EXPECT_EQ(OrientationIn(ExifPayload(true, {{0x0112, 4, 1, 6}})), 1);  // not a SHORT
  EXPECT_EQ(OrientationIn(ExifPayload(true, {{0x0112, 3, 2, 6}})), 1);  // two values
  EXPECT_EQ(JpegOrientationFromBytes(JpegWithApp1(QuarterRaster(16, 16), {})), 1);

  std::string p = OrientationPayload(6, false);
  std::string badOrder = p, badMagic = p, farIfd = p, longIfd = p;
  badOrder[6] = 'M', badOrder[7] = 'I';
  badMagic[9] = 43;
  farIfd[13] = char(200);  // IFD0 beyond the segment
  longIfd[15] = 2;         // two entries claimed, one present: the segment is cut short
  for (const std::string& bad : {badOrder, badMagic, farIfd, longIfd})
    EXPECT_EQ(OrientationIn(bad), 1);
  // A segment cut short reads nothing past its end: the tag counts while its entry is whole
  // (the link to a further IFD, which follows it, is never needed).
  const std::size_t entryEnd = 6 + 8 + 2 + 12;
  for (std::size_t n = 0; n < p.size(); ++n)
    EXPECT_EQ(ExifOrientation(p.substr(0, n)), n < entryEnd ? 1 : 6) << n;
}

TEST(ExifOrientation, OnlyTheFirstExifSegmentBeforeTheImageDataCounts) {
  const std::string xmp = "http://ns.adobe.com/xap/1.0/" + std::string(1, '\0') + "<x/>";
  EXPECT_EQ(OrientationIn(xmp), 1);
  EXPECT_EQ(
      JpegOrientationFromBytes(JpegWithApp1(QuarterRaster(16, 16), {xmp, OrientationPayload(8)})),
      8);
  EXPECT_EQ(JpegOrientationFromBytes(JpegWithApp1(QuarterRaster(16, 16),
                                                  {OrientationPayload(3), OrientationPayload(8)})),
            3);

  // A tag after the start of scan is image data, not a header.
  const std::string plain = JpegWithApp1(QuarterRaster(16, 16), {});
  const std::string segment = "\xFF\xE1" + std::string(1, '\0') +
                              char(OrientationPayload(6).size() + 2) + OrientationPayload(6);
  std::string late = plain;
  const std::size_t scan = late.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  late.insert(
      scan + 2 + std::size_t(std::uint8_t(late[scan + 2]) << 8 | std::uint8_t(late[scan + 3])),
      segment);
  EXPECT_EQ(JpegOrientationFromBytes(late), 1);
  std::string early = plain;
  early.insert(2, segment);
  EXPECT_EQ(JpegOrientationFromBytes(early), 6);

  // Every cut of a tagged file's head, and things that are no JPEG at all.
  const std::string tagged = JpegWithApp1(QuarterRaster(16, 16), {OrientationPayload(6)});
  for (std::size_t n = 0; n < 200; ++n) {
    const int o = JpegOrientationFromBytes(std::string_view(tagged).substr(0, n));
    EXPECT_TRUE(o == 1 || (o == 6 && n > 30)) << n;
  }
  EXPECT_EQ(JpegOrientationFromBytes(""), 1);
  EXPECT_EQ(JpegOrientationFromBytes("\x89PNG\r\n\x1a\n"), 1);
  EXPECT_EQ(JpegOrientationFromBytes(std::string("\xFF\xD8") + std::string(5000, '\xFF')), 1);
  EXPECT_EQ(ReadJpegOrientation("/no/such/folder/picture.jpg"), 1);
}

TEST(TurnRaster, ShowsEachOrientationOfASmallGrid) {
  // Stored:  a b c
  //          d e f
  Raster stored{3, 2, {}};
  for (int i = 0; i < 6; ++i) stored.rgb.insert(stored.rgb.end(), {std::uint8_t('a' + i), 0, 0});
  auto shown = [&](int o) {
    const Raster r = TurnRaster(stored, o);
    std::string rows;
    for (int y = 0; y < r.height; ++y) {
      if (y) rows += '/';
      for (int x = 0; x < r.width; ++x) rows += char(r.row(y)[x * 3]);
    }
    return rows;
  };
  EXPECT_EQ(shown(1), "abc/def");
  EXPECT_EQ(shown(2), "cba/fed");
  EXPECT_EQ(shown(3), "fed/cba");
  EXPECT_EQ(shown(4), "def/abc");
  EXPECT_EQ(shown(5), "ad/be/cf");
  EXPECT_EQ(shown(6), "da/eb/fc");
  EXPECT_EQ(shown(7), "fc/eb/da");
  EXPECT_EQ(shown(8), "cf/be/ad");
  EXPECT_EQ(shown(0), "abc/def");
  EXPECT_EQ(shown(9), "abc/def");
}

TEST(OrientedPointSample, SamplesTheShownFrameExactlyAsAnUprightPicture) {
  struct Case {
    int w, h, size;
  };
  // Shrinking, a side of 62.5 rounding to even, enlargement up to the clamped edge, a sliver.
  for (Case c : {Case{300, 120, 120}, Case{400, 250, 100}, Case{60, 40, 120}, Case{1000, 3, 50},
                 Case{7, 5, 7}})
    for (int o = 1; o <= 8; ++o) {
      const Raster stored = CoordinateRaster(c.w, c.h);
      RecordingHost a, b;
      const Raster direct = OrientedPointSample(stored, o, c.size, a);
      const Raster viaTurn = PointSample(TurnRaster(stored, o), c.size, b);
      ASSERT_EQ(direct.width, viaTurn.width) << c.w << "x" << c.h << " o" << o;
      ASSERT_EQ(direct.height, viaTurn.height);
      EXPECT_TRUE(direct.rgb == viaTurn.rgb) << c.w << "x" << c.h << " o" << o;
      EXPECT_EQ(a.eventsProcessed, direct.height);
    }

  // Stored 120 x 300 on its side (6): shown 300 x 120, at 120 it becomes 120 x 48 and the first
  // output row samples shown columns 0, 2, 5, 8, 10, which are stored rows 299, 297, 294, ...
  RecordingHost host;
  const Raster out = OrientedPointSample(CoordinateRaster(120, 300), 6, 120, host);
  EXPECT_EQ(out.width, 120);
  EXPECT_EQ(out.height, 48);
  const int shownColumn[] = {0, 2, 5, 8, 10};
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(testing::SourceColumn(out, x, 0), 0);
    EXPECT_EQ(out.row(0)[x * 3 + 2], (299 - shownColumn[x]) & 255) << x;
  }
}

class TaggedPictures : public ::testing::Test {
 protected:
  // A 64 x 32 picture of four quarters with the given tag (0: no Exif segment).
  std::string make(int orientation, const std::string& name = "") {
    const std::string path =
        dir.file(name.empty() ? "o" + std::to_string(orientation) + ".jpg" : name);
    std::vector<std::string> app1;
    if (orientation) app1.push_back(OrientationPayload(orientation, orientation % 2 == 0));
    WriteBytes(path, JpegWithApp1(QuarterRaster(64, 32), app1));
    return path;
  }
  Raster scaled(const std::string& source, int size) {
    const std::string target = dir.file("out.jpg");
    EXPECT_TRUE(MakeScaledJpeg(host, source, target, size, 90, true));
    return DecodeJpeg(fs::ReadFile(target));
  }

  ScratchDir dir;
  RecordingHost host;
};

TEST_F(TaggedPictures, ProbeDecodeAndThumbnailShowThePictureTurned) {
  for (int o = 1; o <= 8; ++o) {
    const std::string path = make(o);
    const bool side = o >= 5;
    const ImageSize size = GetImageSize(path);
    EXPECT_EQ(size.width, side ? 32 : 64) << o;
    EXPECT_EQ(size.height, side ? 64 : 32) << o;

    const Raster shown = DecodePicture(path);
    EXPECT_EQ(shown.width, size.width);
    EXPECT_EQ(shown.height, size.height);
    EXPECT_EQ(Quarters(shown), kShownQuarters[o]) << o;

    const Raster thumb = scaled(path, 64);
    EXPECT_EQ(thumb.width, size.width);
    EXPECT_EQ(thumb.height, size.height);
    EXPECT_EQ(Quarters(thumb), kShownQuarters[o]) << o;

    // The same pixels the upright picture would give, to the byte.
    RecordingHost h;
    const std::string target = dir.file("small.jpg");
    ASSERT_TRUE(MakeScaledJpeg(host, path, target, 20, 75, true));
    EXPECT_EQ(fs::ReadFile(target),
              EncodeJpeg(PointSample(TurnRaster(ReadJpeg(path), o), 20, h), 75, true))
        << o;
  }
}

TEST_F(TaggedPictures, UprightAndUnreadableTagsChangeNothing) {
  const std::string none = make(0, "none.jpg");
  const std::string one = make(1, "one.jpg");
  const std::string zero = dir.file("zero.jpg");
  WriteBytes(zero, JpegWithApp1(QuarterRaster(64, 32), {OrientationPayload(0)}));
  std::string damaged = OrientationPayload(6);
  damaged[15] = 3;  // more entries than the segment holds
  const std::string broken = dir.file("broken.jpg");
  WriteBytes(broken, JpegWithApp1(QuarterRaster(64, 32), {damaged}));

  for (int size : {20, 64, 100}) {
    const std::string expected = dir.file("expected.jpg");
    ASSERT_TRUE(MakeScaledJpeg(host, none, expected, size, 75, true));
    for (const std::string& path : {one, zero, broken}) {
      const std::string target = dir.file("t.jpg");
      ASSERT_TRUE(MakeScaledJpeg(host, path, target, size, 75, true));
      EXPECT_EQ(fs::ReadFile(target), fs::ReadFile(expected)) << path << " " << size;
      EXPECT_EQ(GetImageSize(path).width, 64);
      EXPECT_TRUE(DecodePicture(path).rgb == ReadJpeg(path).rgb);
    }
  }
}

TEST_F(TaggedPictures, ResizeRunShrinksAPortraitPhotoIntoTheBoxAsShown) {
  // Stored 200 x 150 on its side, shown 150 x 200: the 100 x 80 box takes it to 60 x 80, and
  // the rewritten picture, which loses the tag, is stored as shown.
  testing::FolderGallery g(dir.file("site"));
  g.set("MaxImageWidth", 100).set("MaxImageHeight", 80);
  std::filesystem::create_directories(g.imageFolder());
  const std::string path = g.imageFolder() + "phone.jpg";
  WriteBytes(path, JpegWithApp1(QuarterRaster(200, 150), {OrientationPayload(6, false)}));
  g.scan();
  RunResizeImages(g, host, RunControls{}, nullptr);
  const ImageSize size = GetImageSize(path);
  EXPECT_EQ(size.width, 60);
  EXPECT_EQ(size.height, 80);
  EXPECT_EQ(ReadJpegOrientation(path), 1);
  EXPECT_EQ(Quarters(ReadJpeg(path)), kShownQuarters[6]);
}

// The public set of one landscape scene stored under each orientation (0 is no valid value).
TEST(ExifOrientationSuite, EveryFileShowsTheSameScene) {
  const std::filesystem::path folder =
      std::filesystem::path(FW_TESTDATA_DIR) / "jpeg" / "exif-orientation";
  if (!std::filesystem::exists(folder / "Landscape_1.jpg"))
    GTEST_SKIP() << "no orientation pictures in " << folder;
  ScratchDir dir;
  RecordingHost host;
  Raster reference;
  for (int n = 0; n <= 8; ++n) {
    const std::string path = (folder / ("Landscape_" + std::to_string(n) + ".jpg")).string();
    EXPECT_EQ(ReadJpegOrientation(path), n == 0 ? 1 : n);
    const ImageSize size = GetImageSize(path);
    EXPECT_EQ(size.width, 1800) << n;
    EXPECT_EQ(size.height, 1200) << n;

    const std::string thumb = dir.file("thumb" + std::to_string(n) + ".jpg");
    ASSERT_TRUE(MakeScaledJpeg(host, path, thumb, 90, 75, true));
    const Raster r = DecodeJpeg(fs::ReadFile(thumb));
    ASSERT_EQ(r.width, 90);
    ASSERT_EQ(r.height, 60);
    if (n == 0) {
      reference = r;
      continue;
    }
    // The number printed in the middle differs from file to file; the rest of the scene must
    // agree, and a picture turned the wrong way would differ everywhere.
    double total = 0;
    for (std::size_t i = 0; i < r.rgb.size(); ++i) total += std::abs(r.rgb[i] - reference.rgb[i]);
    EXPECT_LT(total / double(r.rgb.size()), 12.0) << n;
  }
}

}  // namespace
}  // namespace fw
