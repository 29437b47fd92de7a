// Removing where a picture was taken: the GPS IFD and the XMP GPS properties go, everything
// else in the file stays byte for byte where it was.
#include "images/jpeg_location.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/error.h"
#include "common/fs.h"
#include "images/encoders.h"
#include "images/exif.h"
#include "images/exif_jpeg.h"
#include "images/jpeg_reader.h"
#include "images/picture_location.h"
#include "images/tiff_bytes.h"
#include "images/webp_reader.h"

namespace fw {
namespace {

using testing::ExifWithGps;
using testing::kXmpWithGps;

// The offset of the first scan's marker.
std::size_t ScanStart(const std::string& jpeg) { return jpeg.find("\xFF\xDA"); }

TEST(JpegLocation, GpsGoesAndEverythingElseStaysInBothByteOrders) {
  for (bool little : {true, false}) {
    const std::string exif = ExifWithGps(little);
    const std::string before =
        testing::JpegWithApp1(testing::QuarterRaster(32, 16), {exif, kXmpWithGps});
    std::string after = before;
    ASSERT_TRUE(RemoveJpegLocation(after));
    ASSERT_EQ(after.size(), before.size());
    const std::size_t scan = ScanStart(before);
    EXPECT_EQ(after.substr(scan), before.substr(scan));  // the image data are untouched
    EXPECT_EQ(DecodeJpeg(after).rgb, DecodeJpeg(before).rgb);

    // The Exif read back: IFD0 holds Orientation and Make, no GPS pointer; the GPS values
    // are gone from the file.
    EXPECT_EQ(JpegOrientationFromBytes(after), 6);
    const std::size_t at = after.find(std::string("Exif\0\0", 6)) + 6;
    const std::string_view data(after.data() + at, exif.size() - 6);
    const std::optional<TiffBytes> tiff = TiffBytes::Of(data);
    ASSERT_TRUE(tiff);
    ASSERT_EQ(tiff->entries(8), 2u);
    EXPECT_EQ(tiff->u16(10), 0x0112u);
    EXPECT_EQ(tiff->u16(22), 0x010Fu);
    EXPECT_EQ(tiff->u32(30), 50u);
    EXPECT_EQ(tiff->u32(34), 0u);  // the next-IFD offset moved up with the entries
    EXPECT_EQ(data.substr(50, 9), "MakerName");
    EXPECT_EQ(data.substr(60), std::string(data.size() - 60, '\0'));

    // The XMP packet keeps its other properties, its length and its line ends.
    const std::size_t x = after.find("<x:xmpmeta");
    const std::string xml = after.substr(x, kXmpWithGps.size() - 29);
    EXPECT_EQ(xml.find("GPSL"), xml.rfind("GPSLatitude<")) << xml;  // only inside the comment
    EXPECT_EQ(xml.find("GPSA"), std::string::npos);
    EXPECT_EQ(xml.find("GPSV"), std::string::npos);
    EXPECT_EQ(xml.find("GPSM"), std::string::npos);
    EXPECT_NE(xml.find("e:DateTimeOriginal=\"2026-05-01T10:00:00\" tiff:Make=\"MakerName\""),
              std::string::npos);
    EXPECT_NE(xml.find("<e:UserComment>GPS: e:GPSLatitude</e:UserComment>"), std::string::npos);
    EXPECT_EQ(std::count(xml.begin(), xml.end(), '\n'),
              std::count(kXmpWithGps.begin(), kXmpWithGps.end(), '\n'));

    std::string again = after;
    EXPECT_FALSE(RemoveJpegLocation(again));  // nothing left to remove
    EXPECT_EQ(again, after);
  }
}

TEST(JpegLocation, FilesWithoutLocationStayAndDamagedOnesFail) {
  const std::string plain =
      testing::JpegWithApp1(testing::QuarterRaster(16, 16), {testing::OrientationPayload(3)});
  std::string copy = plain;
  EXPECT_FALSE(RemoveJpegLocation(copy));
  EXPECT_EQ(copy, plain);

  for (std::string bad :
       {std::string("not a jpeg"), plain.substr(0, 30), plain.substr(0, 4) + "\xFF\xFF"}) {
    const std::string kept = bad;
    EXPECT_THROW(RemoveJpegLocation(bad), Error);
    EXPECT_EQ(bad, kept);
  }
  // A GPS pointer that leads outside the data, or an IFD0 cut short, blanks only what exists.
  std::string exif = ExifWithGps(true).substr(6, 50);
  EXPECT_TRUE(RemoveExifGps(exif));
  std::string cut = ExifWithGps(true).substr(6, 30);
  EXPECT_FALSE(RemoveExifGps(cut));
}

TEST(JpegLocation, WebpChunksLoseTheirGpsAlikeAndTheImageStays) {
  NEED("cwebp");
  const testing::ScratchDir scratch;
  testing::WriteBytes(scratch.file("in.jpg"),
                      testing::JpegWithApp1(testing::QuarterRaster(32, 16),
                                            {ExifWithGps(false), kXmpWithGps}));
  testing::Shell("cwebp -quiet -metadata exif,xmp " + testing::Q(scratch.file("in.jpg")) +
                 " -o " + testing::Q(scratch.file("out.webp")));
  const std::string before = fs::ReadFile(scratch.file("out.webp"));
  std::string after = before;
  ASSERT_TRUE(RemovePictureLocation(after, PictureKind::Webp));
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after.find("GPSAltitude"), std::string::npos);
  EXPECT_NE(after.find("tiff:Make=\"MakerName\""), std::string::npos);
  const std::size_t image = before.find("VP8 ");
  ASSERT_NE(image, std::string::npos);
  EXPECT_EQ(after.substr(image, before.find("EXIF") - image),
            before.substr(image, before.find("EXIF") - image));
  EXPECT_EQ(DecodeWebp(after).rgb, DecodeWebp(before).rgb);
  std::string again = after;
  EXPECT_FALSE(RemovePictureLocation(again, PictureKind::Webp));

  // Damaged chunks fail and leave the file; kinds without a rule are left alone.
  for (std::string bad : {std::string("RIFF\x10\0\0\0WEBPVP8 ", 16), before.substr(0, before.size() - 9),
                          before.substr(0, 12) + "EXIF\xFF\xFF\xFF\x7F"}) {
    const std::string kept = bad;
    EXPECT_THROW(RemoveWebpLocation(bad), Error);
    EXPECT_EQ(bad, kept);
  }
  std::string png = "\x89PNG GPS";
  EXPECT_FALSE(RemovePictureLocation(png, PictureKind::Png));
}

}  // namespace
}  // namespace fw
