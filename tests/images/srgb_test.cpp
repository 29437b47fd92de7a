// Pictures tagged with a colour profile: a wide-gamut one is converted to sRGB as lcms2 itself
// converts the decoded pixels; sRGB, damaged and missing profiles leave every byte as it was.
#include "images/srgb.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include "common/fs.h"
#include "common/recording_host.h"
#include "exif_jpeg.h"
#include "images/image_io.h"
#include "images/jpeg_reader.h"
#include "images/jpeg_writer.h"
#include "images/png_reader.h"
#include "images/scaler.h"
#include "pictures.h"
#include "png_test_file.h"

namespace fw {
namespace {

using testing::ScratchDir;
using testing::WriteBytes;

std::string SaveProfile(cmsHPROFILE p) {
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(p, nullptr, &size);
  std::string bytes(size, '\0');
  cmsSaveProfileToMem(p, bytes.data(), &size);
  cmsCloseProfile(p);
  return bytes;
}

// Display P3: the DCI-P3 primaries with a D65 white and the sRGB tone curve.
std::string DisplayP3() {
  const cmsCIExyY white = {0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE primaries = {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
  const cmsFloat64Number srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
  cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
  cmsToneCurve* curves[3] = {curve, curve, curve};
  cmsHPROFILE p = cmsCreateRGBProfile(&white, &primaries, curves);
  cmsFreeToneCurve(curve);
  return SaveProfile(p);
}

std::string Srgb() { return SaveProfile(cmsCreate_sRGBProfile()); }

// lcms2's own conversion of the pixels to sRGB.
Raster LcmsToSrgb(Raster r, const std::string& icc) {
  cmsHPROFILE from = cmsOpenProfileFromMem(icc.data(), cmsUInt32Number(icc.size()));
  cmsHPROFILE to = cmsCreate_sRGBProfile();
  cmsHTRANSFORM t = cmsCreateTransform(from, TYPE_RGB_8, to, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
  std::vector<std::uint8_t> out(r.rgb.size());
  cmsDoTransform(t, r.rgb.data(), out.data(), cmsUInt32Number(r.width * r.height));
  cmsDeleteTransform(t);
  cmsCloseProfile(from);
  cmsCloseProfile(to);
  r.rgb = out;
  r.iccProfile.clear();
  return r;
}

// Saturated colours, where P3 and sRGB part most.
Raster Vivid(int w, int h) {
  Raster r{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = r.row(y) + x * 3;
      p[0] = std::uint8_t(255 - x * 4), p[1] = std::uint8_t(y * 5), p[2] = std::uint8_t(x * y);
    }
  return r;
}

// A JPEG whose profile is split over `pieces` APP2 markers, as large profiles are.
std::string TaggedJpeg(const Raster& r, const std::string& icc, int pieces) {
  std::vector<std::string> markers;
  const std::size_t step = pieces > 0 ? (icc.size() + pieces - 1) / pieces : 0;
  for (int i = 0; i < pieces; ++i)
    markers.push_back(std::string("ICC_PROFILE", 12) + char(i + 1) + char(pieces) +
                      icc.substr(i * step, step));
  return testing::JpegWithMarkers(r, JPEG_APP0 + 2, markers, 90);
}

std::string Thumbnail(const std::string& picture, const std::string& target) {
  RecordingHost host;
  EXPECT_TRUE(MakeScaledJpeg(host, picture, target, 40, 75, true));
  return fs::ReadFile(target);
}

TEST(ColourProfile, DisplayP3JpegIsConvertedAsLcmsConvertsItsDecode) {
  ScratchDir dir;
  const std::string p3 = DisplayP3();
  ASSERT_TRUE(ConvertsToSrgb(p3));
  const std::string file = dir.file("p3.jpg");
  WriteBytes(file, TaggedJpeg(Vivid(64, 48), p3, 3));
  const Raster stored = ReadJpeg(file);
  EXPECT_EQ(stored.iccProfile, p3);  // joined from its three pieces
  const Raster expected = LcmsToSrgb(stored, p3);
  EXPECT_EQ(DecodePicture(file).rgb, expected.rgb);
  RecordingHost host;
  EXPECT_EQ(Thumbnail(file, dir.file("t.jpg")),
            EncodeJpeg(PointSample(expected, 40, host), 75, true));
  // Smoothly scaled, it is converted too.
  ASSERT_TRUE(MakeScaledJpeg(host, file, dir.file("s.jpg"), 40, 75, true, Sampler::Smooth));
  WriteBytes(dir.file("plain.jpg"), EncodeJpeg(Vivid(64, 48), 90, false));
  ASSERT_TRUE(MakeScaledJpeg(host, dir.file("plain.jpg"), dir.file("u.jpg"), 40, 75, true,
                             Sampler::Smooth));
  EXPECT_NE(fs::ReadFile(dir.file("s.jpg")), fs::ReadFile(dir.file("u.jpg")));
}

TEST(ColourProfile, SrgbDamagedAndIncompleteProfilesLeaveTheBytesAlone) {
  ScratchDir dir;
  const Raster pixels = Vivid(64, 48);
  WriteBytes(dir.file("plain.jpg"), TaggedJpeg(pixels, "", 0));
  const std::string plain = Thumbnail(dir.file("plain.jpg"), dir.file("t0.jpg"));
  std::string damaged = DisplayP3();
  damaged.replace(128, 40, std::string(40, '\x7F'));  // the tag table
  cmsToneCurve* gamma = cmsBuildGamma(nullptr, 1.8);
  const std::string grey = SaveProfile(cmsCreateGrayProfile(cmsD50_xyY(), gamma));
  cmsFreeToneCurve(gamma);
  struct Case {
    const char* what;
    std::string icc;
    int pieces;
  };
  for (const Case& c : {Case{"srgb", Srgb(), 2}, Case{"damaged", damaged, 1},
                        Case{"not a profile", "junk", 1}, Case{"grey", grey, 1}}) {
    WriteBytes(dir.file("x.jpg"), TaggedJpeg(pixels, c.icc, c.pieces));
    EXPECT_TRUE(Thumbnail(dir.file("x.jpg"), dir.file("t.jpg")) == plain) << c.what;
  }
  // One piece of three missing: no whole profile.
  std::string cut = TaggedJpeg(pixels, DisplayP3(), 3);
  const std::size_t second = cut.find(std::string("ICC_PROFILE\0\x02", 13));
  ASSERT_NE(second, std::string::npos);
  const std::size_t length =
      std::size_t(std::uint8_t(cut[second - 2])) << 8 | std::uint8_t(cut[second - 1]);
  cut.erase(second - 4, length + 2);
  WriteBytes(dir.file("x.jpg"), cut);
  EXPECT_TRUE(Thumbnail(dir.file("x.jpg"), dir.file("t.jpg")) == plain);
}

std::string Iccp(const std::string& icc) {
  return testing::PngChunk("iCCP", std::string("P3\0\0", 4) + testing::Deflate(icc));
}

TEST(ColourProfile, PngProfileTakesThePlaceOfItsGamma) {
  using testing::Be32;
  using testing::PngChunk;
  const Raster pixels = Vivid(20, 10);
  std::vector<std::vector<std::uint8_t>> rows;
  for (int y = 0; y < pixels.height; ++y)
    rows.emplace_back(pixels.row(y), pixels.row(y) + pixels.width * 3);
  const std::string ihdr = testing::Ihdr(20, 10, 8, 2), raw = testing::RgbRows(rows);
  const std::string gama = PngChunk("gAMA", Be32(55000));
  const std::string p3 = DisplayP3();

  Raster profiled = DecodePng(testing::PngFile(ihdr, raw, gama + Iccp(p3)));
  EXPECT_EQ(profiled.iccProfile, p3);
  EXPECT_EQ(profiled.rgb, pixels.rgb);  // the gAMA value steps back
  ScratchDir dir;
  WriteBytes(dir.file("p3.png"), testing::PngFile(ihdr, raw, Iccp(p3) + gama));
  EXPECT_EQ(DecodePicture(dir.file("p3.png")).rgb, LcmsToSrgb(pixels, p3).rgb);

  // An sRGB or damaged profile changes nothing: the gAMA value applies as without one.
  const Raster gammaOnly = DecodePng(testing::PngFile(ihdr, raw, gama));
  EXPECT_NE(gammaOnly.rgb, pixels.rgb);
  for (const std::string& chunk :
       {Iccp(Srgb()), PngChunk("iCCP", std::string("P3\0\0broken", 10))}) {
    const Raster r = DecodePng(testing::PngFile(ihdr, raw, gama + chunk));
    EXPECT_EQ(r.rgb, gammaOnly.rgb);
    EXPECT_TRUE(r.iccProfile.empty());
  }
}

}  // namespace
}  // namespace fw
