// The HEIF, AVIF, WebP and TIFF readers against their libraries' own decodes of files made
// here by the Debian encoders (heif-enc, avifenc, cwebp, img2webp, raw2tiff, tiffcp); each
// test skips when its tools are missing.
#include <gtest/gtest.h>
#include <libheif/heif.h>
#include <tiffio.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "common/recording_host.h"
#include "images/encoders.h"
#include "images/exif_jpeg.h"
#include "images/heif_reader.h"
#include "images/image_io.h"
#include "images/orient.h"
#include "images/pictures.h"
#include "images/png_reader.h"
#include "images/png_test_file.h"
#include "images/tiff_reader.h"
#include "images/webp_reader.h"

namespace fw {
namespace {

using testing::Q;
using testing::QuarterRaster;
using testing::Quarters;
using testing::Shell;

const char* const kTurnedBySix = "BRWG";  // QuarterRaster ("RGBW") shown by orientation 6

Raster ReadPpm(const std::string& path) {
  std::istringstream in(fs::ReadFile(path));
  std::string magic;
  int w = 0, h = 0, max = 0;
  in >> magic >> w >> h >> max;
  in.get();
  Raster r{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
  in.read(reinterpret_cast<char*>(r.rgb.data()), std::streamsize(r.rgb.size()));
  return r;
}

// The second frame or page of the multi-picture files: the quarters turned a half.
Raster SecondPicture(int w, int h) { return TurnRaster(QuarterRaster(w, h), 3); }

void ExpectSame(const Raster& ours, const Raster& theirs) {
  ASSERT_EQ(ours.width, theirs.width);
  ASSERT_EQ(ours.height, theirs.height);
  EXPECT_TRUE(ours.rgb == theirs.rgb);
}

class LibraryReaders : public ::testing::Test {
 protected:
  std::string jpeg(const std::string& name, const Raster& r, int orientation = 1) {
    std::vector<std::string> app1;
    if (orientation != 1) app1.push_back(testing::OrientationPayload(orientation));
    const std::string path = dir.file(name);
    testing::WriteBytes(path, testing::JpegWithApp1(r, app1));
    return path;
  }
  std::string file(const std::string& name) { return dir.file(name); }

  testing::ScratchDir dir;
};

// A HEIC file turned by an irot box, written with libheif's own encoder.
void WriteTurnedHeic(const Raster& r, heif_orientation orientation, const std::string& path) {
  heif_context* ctx = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  ASSERT_EQ(heif_context_get_encoder_for_format(ctx, heif_compression_HEVC, &encoder).code,
            heif_error_Ok);
  heif_image* image = nullptr;
  heif_image_create(r.width, r.height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
  heif_image_add_plane(image, heif_channel_interleaved, r.width, r.height, 8);
  int stride = 0;
  std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
  for (int y = 0; y < r.height; ++y)
    std::copy(r.row(y), r.row(y) + r.width * 3, plane + std::size_t(y) * stride);
  heif_encoding_options* options = heif_encoding_options_alloc();
  options->image_orientation = orientation;
  EXPECT_EQ(heif_context_encode_image(ctx, image, encoder, options, nullptr).code, heif_error_Ok);
  EXPECT_EQ(heif_context_write_to_file(ctx, path.c_str()).code, heif_error_Ok);
  heif_encoding_options_free(options);
  heif_image_release(image);
  heif_encoder_release(encoder);
  heif_context_free(ctx);
}

TEST_F(LibraryReaders, HeicStillAndTurnedPicturesMatchLibheifsDecode) {
  NEED("heif-enc", "heif-convert");
  const Raster source = QuarterRaster(64, 36);
  const std::string still = file("still.heic"), turned = file("turned.heic");
  Shell("heif-enc -q 90 " + Q(jpeg("still.jpg", source)) + " -o " + Q(still));
  WriteTurnedHeic(source, heif_orientation_rotate_90_cw, turned);
  for (const std::string& heic : {still, turned}) {
    Shell("heif-convert " + Q(heic) + " " + Q(heic + ".png"));
    const Raster ours = DecodePicture(heic, PictureKind::Heif);
    ExpectSame(ours, ReadPng(heic + ".png"));
    const ImageSize size = GetImageSize(heic, PictureKind::Heif);
    EXPECT_EQ(size.width, ours.width);
    EXPECT_EQ(size.height, ours.height);
  }
  EXPECT_EQ(Quarters(ReadHeif(still)), "RGBW");
  EXPECT_EQ(Quarters(ReadHeif(turned)), kTurnedBySix);
  EXPECT_EQ(ReadHeifSize(turned).width, 36);

  // A phone writes the turn twice, as irot and as Exif; only the irot turn counts. An Exif
  // Orientation alone (as heif-enc copies it from a JPEG) turns nothing either.
  const std::string exifOnly = file("exif-only.heic");
  Shell("heif-enc -q 90 " + Q(jpeg("six.jpg", source, 6)) + " -o " + Q(exifOnly));
  EXPECT_EQ(Quarters(ReadHeif(exifOnly)), "RGBW");
}

TEST_F(LibraryReaders, AvifStillTurnedAndAnimatedPicturesShowTheirFirstImageUpright) {
  NEED("avifenc", "heif-convert");
  const Raster source = QuarterRaster(64, 36);
  // avifenc turns a JPEG's Exif Orientation into irot/imir boxes.
  const std::string turned = file("turned.avif");
  Shell("avifenc -s 10 " + Q(jpeg("six.jpg", source, 6)) + " " + Q(turned));
  Shell("heif-convert " + Q(turned) + " " + Q(turned + ".png"));
  ExpectSame(DecodePicture(turned, PictureKind::Avif), ReadPng(turned + ".png"));
  EXPECT_EQ(Quarters(ReadHeif(turned)), kTurnedBySix);
  EXPECT_EQ(GetImageSize(turned, PictureKind::Avif).width, 36);

  const std::string animated = file("animated.avif");
  Shell("avifenc -s 10 " + Q(jpeg("f0.jpg", source)) + " " +
        Q(jpeg("f1.jpg", SecondPicture(64, 36))) + " " + Q(animated));
  EXPECT_EQ(Quarters(ReadHeif(animated)), "RGBW");
  EXPECT_EQ(ReadHeifSize(animated).height, 36);
}

TEST_F(LibraryReaders, WebpStillsMatchDwebpAndAreTurnedByTheirExifChunk) {
  NEED("cwebp", "dwebp");
  const Raster source = QuarterRaster(61, 37);  // odd sizes: rows are not padded
  const std::string lossy = file("lossy.webp"), lossless = file("lossless.webp");
  const std::string turned = file("turned.webp");
  Shell("cwebp -quiet " + Q(jpeg("a.jpg", source)) + " -o " + Q(lossy));
  Shell("cwebp -quiet -lossless " + Q(jpeg("b.jpg", source)) + " -o " + Q(lossless));
  Shell("cwebp -quiet -metadata exif " + Q(jpeg("six.jpg", source, 6)) + " -o " + Q(turned));
  for (const std::string& webp : {lossy, lossless, turned}) {
    Shell("dwebp -ppm " + Q(webp) + " -o " + Q(webp + ".ppm"));
    const Raster theirs = ReadPpm(webp + ".ppm");  // dwebp shows the picture as stored
    const int o = webp == turned ? 6 : 1;
    ExpectSame(DecodePicture(webp, PictureKind::Webp), TurnRaster(theirs, o));
    const ImageSize size = GetImageSize(webp, PictureKind::Webp);
    EXPECT_EQ(size.width, o == 6 ? 37 : 61);
  }
  EXPECT_EQ(Quarters(ReadWebp(turned)), kTurnedBySix);
}

TEST_F(LibraryReaders, WebpAlphaKeepsStoredColoursAsThePngReaderDoes) {
  NEED("cwebp");
  // Three pixels wide: opaque red, fully transparent but storing green, half-transparent blue.
  std::string rows;
  for (int y = 0; y < 2; ++y)
    rows += std::string(1, '\0') + std::string("\xFF\0\0\xFF\0\xFF\0\0\0\0\xFF\x80", 12);
  const std::string png = file("alpha.png"), webp = file("alpha.webp");
  testing::WriteBytes(png, testing::PngFile(testing::Ihdr(3, 2, 8, 6), rows));
  Shell("cwebp -quiet -lossless -exact " + Q(png) + " -o " + Q(webp));
  ExpectSame(ReadWebp(webp), ReadPng(png));
}

TEST_F(LibraryReaders, AnimatedWebpGivesItsFirstFrameOnTheCanvas) {
  NEED("img2webp");
  const std::string animated = file("animated.webp");
  Shell("img2webp -lossless " + Q(jpeg("f0.jpg", QuarterRaster(40, 30))) + " " +
        Q(jpeg("f1.jpg", SecondPicture(40, 30))) + " -o " + Q(animated));
  WebpInfo info;
  const Raster first = DecodeWebp(fs::ReadFile(animated), &info);
  EXPECT_TRUE(info.animated);
  EXPECT_EQ(Quarters(first), "RGBW");
  EXPECT_EQ(ReadWebpSize(animated).width, 40);
}

// libtiff's own whole-picture read, rows top to bottom, alpha left out.
Raster LibtiffDecode(const std::string& path) {
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  std::uint32_t w = 0, h = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
  std::vector<std::uint32_t> abgr(std::size_t(w) * h);
  TIFFReadRGBAImageOriented(tif, w, h, abgr.data(), ORIENTATION_TOPLEFT, 0);
  TIFFClose(tif);
  Raster r{int(w), int(h), std::vector<std::uint8_t>(abgr.size() * 3)};
  for (std::size_t i = 0; i < abgr.size(); ++i) {
    r.rgb[i * 3] = std::uint8_t(TIFFGetR(abgr[i]));
    r.rgb[i * 3 + 1] = std::uint8_t(TIFFGetG(abgr[i]));
    r.rgb[i * 3 + 2] = std::uint8_t(TIFFGetB(abgr[i]));
  }
  return r;
}

class TiffPictures : public LibraryReaders {
 protected:
  // An uncompressed RGB TIFF of `r` (bands samples a pixel when extra is given).
  std::string raw2tiff(const std::string& name, const Raster& r, const std::string& extra = "",
                       int bands = 3) {
    std::string raw;
    for (std::size_t i = 0; i < r.rgb.size(); i += 3) {
      raw.append(reinterpret_cast<const char*>(&r.rgb[i]), 3);
      if (bands == 4) raw += extra;
    }
    testing::WriteBytes(file(name + ".raw"), raw);
    Shell("raw2tiff -w " + std::to_string(r.width) + " -l " + std::to_string(r.height) + " -b " +
          std::to_string(bands) + " -d byte -p rgb " + Q(file(name + ".raw")) + " " +
          Q(file(name)));
    return file(name);
  }
};

TEST_F(TiffPictures, EveryLayoutAndCompressionMatchesLibtiffsDecode) {
  NEED("raw2tiff", "tiffcp");
  // Taller than one band of decoded rows, so bands end inside the picture and at its end.
  const Raster source = testing::SmoothRaster(1100, 1003);
  const std::string plain = raw2tiff("plain.tif", source);
  const char* const layouts[] = {"-c none -r 7", "-c lzw",        "-c zip -p separate",
                                 "-c packbits",  "-c jpeg -r 16", "-c lzw -t -w 64 -l 48"};
  for (const char* layout : layouts) {
    const std::string tif = file("copy.tif");
    Shell(std::string("tiffcp ") + layout + " " + Q(plain) + " " + Q(tif));
    ExpectSame(DecodePicture(tif, PictureKind::Tiff), LibtiffDecode(tif));
    EXPECT_EQ(GetImageSize(tif, PictureKind::Tiff).height, 1003) << layout;
  }
}

TEST_F(TiffPictures, OrientationFirstPageAndAlpha) {
  NEED("raw2tiff", "tiffcp", "tiffset");
  const std::string turned = raw2tiff("turned.tif", QuarterRaster(40, 30));
  Shell("tiffset -s 274 6 " + Q(turned));
  EXPECT_EQ(Quarters(ReadTiff(turned)), kTurnedBySix);
  const ImageSize size = GetImageSize(turned, PictureKind::Tiff);
  EXPECT_EQ(size.width, 30);
  EXPECT_EQ(size.height, 40);

  const std::string pages = file("pages.tif");
  Shell("tiffcp " + Q(raw2tiff("p1.tif", QuarterRaster(40, 30))) + " " +
        Q(raw2tiff("p2.tif", SecondPicture(40, 30))) + " " + Q(pages));
  EXPECT_EQ(Quarters(ReadTiff(pages)), "RGBW");

  // Unassociated alpha of 0 everywhere: libtiff alone would blacken every pixel.
  const std::string alpha = raw2tiff("alpha.tif", QuarterRaster(40, 30), std::string(1, '\0'), 4);
  Shell("tiffset -s 338 1 2 " + Q(alpha));
  EXPECT_EQ(Quarters(ReadTiff(alpha)), "RGBW");
}

TEST(LibraryReaderErrors, DamagedFilesFailWithAMessage) {
  const std::string notAPicture = "this is not a picture at all, only some text";
  for (auto decode :
       {+[](const std::string& b) { DecodeHeif(b); }, +[](const std::string& b) { DecodeWebp(b); },
        +[](const std::string& b) { DecodeTiff(b); }}) {
    for (const std::string& bytes : {std::string(), notAPicture}) {
      try {
        decode(bytes);
        ADD_FAILURE() << "decoded " << bytes.size() << " bytes";
      } catch (const Error& e) {
        EXPECT_STRNE(e.what(), "");
      }
    }
  }
}

TEST(PictureKinds, TheGalleriesRulesKeepTheirFourEndings) {
  struct Row {
    const char* name;
    PictureKind any;
  } rows[] = {
      {"a.JPEG", PictureKind::Jpeg},  {"a.jpe", PictureKind::Jpeg},  {"a.jfif", PictureKind::Jpeg},
      {"a.jpg", PictureKind::Jpeg},   {"a.HEIC", PictureKind::Heif}, {"a.heif", PictureKind::Heif},
      {"a.avif", PictureKind::Avif},  {"a.webp", PictureKind::Webp}, {"a.tif", PictureKind::Tiff},
      {"a.Tiff", PictureKind::Tiff},  {"a.bmp", PictureKind::Bmp},   {"xbmp", PictureKind::None},
      {"a.tif/b", PictureKind::None}, {"a.xjpg", PictureKind::None}};
  for (const Row& r : rows) EXPECT_EQ(AnyPictureKind(r.name), r.any) << r.name;
  for (const char* name : {"a.jpeg", "a.jpe", "a.heic", "a.avif", "a.webp", "a.tif", "a.tiff"}) {
    EXPECT_EQ(ProbeKind(name), PictureKind::None) << name;
    EXPECT_EQ(DecodeKind(name), PictureKind::None) << name;
  }
}

TEST_F(LibraryReaders, OnlyTheKindTakingEntryPointsReadTheNewKinds) {
  NEED("cwebp");
  const std::string webp = file("a.webp"), thumb = file("thumb.jpg");
  Shell("cwebp -quiet " + Q(jpeg("a.jpg", QuarterRaster(40, 30))) + " -o " + Q(webp));
  int w = 7, h = 9;
  EXPECT_FALSE(GetImageSize(webp, w, h));
  EXPECT_EQ(w, 7);
  RecordingHost host;
  EXPECT_TRUE(MakeScaledJpeg(host, webp, thumb, 20, 75, true));
  EXPECT_FALSE(fs::Exists(thumb));
  EXPECT_FALSE(ScaledJpegData(webp, 20, 75, true));
  EXPECT_TRUE(MakeScaledJpeg(host, webp, PictureKind::Webp, thumb, 20, 75, true));
  EXPECT_EQ(GetImageSize(thumb).width, 20);
}

}  // namespace
}  // namespace fw
