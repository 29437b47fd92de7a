// "Copy images" with and without conversion, on generated source folders.
#include "images/copy_run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/error.h"
#include "common/recording_host.h"
#include "images/encoders.h"
#include "images/exif.h"
#include "images/exif_jpeg.h"
#include "images/jpeg_location.h"
#include "images/run_fixture.h"

namespace fw::testing {
namespace {

class CopyRunTest : public ::testing::Test {
 protected:
  CopyRunTest() : g(dir.file("site")) {
    source = dir.file("camera") + "/";
    std::filesystem::create_directories(source);
    g.set("ImageSourceDir", source);
    abort.enter = [this] { trace.push_back("show abort"); };
    abort.leave = [this] { trace.push_back("hide abort"); };
  }
  void run() { RunCopyImages(g, host, abort); }
  void makeMixedSource() {
    MakePicture(source + "a b.jpg", 64, 48);
    MakePicture(source + "c.gif", 30, 20);
    MakePicture(source + "d.png", 50, 40);
  }

  ScratchDir dir;
  FolderGallery g;
  std::string source;
  RecordingHost host;
  RunControls abort;
  std::vector<std::string> trace;
};

TEST_F(CopyRunTest, WithoutConversionEveryPictureIsCopiedUnderItsWebName) {
  makeMixedSource();
  run();
  const auto files = Snapshot(g.imageFolder());
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files.at("a_b.jpg"), fs::ReadFile(source + "a b.jpg"));
  EXPECT_EQ(files.at("c.gif"), fs::ReadFile(source + "c.gif"));
  EXPECT_EQ(files.at("d.png"), fs::ReadFile(source + "d.png"));
  EXPECT_TRUE(host.texts("status").empty());
  EXPECT_TRUE(trace.empty());
  EXPECT_EQ(g.reloads, 1);
  EXPECT_EQ(g.list, (std::vector<std::string>{"c.gif", "d.png", "a_b.jpg"}));
}

TEST_F(CopyRunTest, ConversionCopiesOnlyJpegsAndWritesTheRestAsJpeg) {
  makeMixedSource();
  g.set("ConvertToJpeg", 1).set("BlankSpace", "%20");
  run();
  const auto files = Snapshot(g.imageFolder());
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files.at("a%20b.jpg"), fs::ReadFile(source + "a b.jpg"));
  EXPECT_EQ(SizeOf(g.imageFolder() + "c.jpg").width, 30);
  EXPECT_EQ(SizeOf(g.imageFolder() + "d.jpg").height, 40);
  EXPECT_EQ(DecodePicture(g.imageFolder() + "d.jpg").width, 50);
  EXPECT_EQ(host.texts("status"),
            (std::vector<std::string>{"Converting c.gif to JPG.", "Converting d.png to JPG.",
                                      "Finished converting to JPG."}));
  EXPECT_EQ(trace, (std::vector<std::string>{"show abort", "hide abort"}));
  EXPECT_EQ(host.calls.back().kind, "beep");
  EXPECT_EQ(g.reloads, 1);
}

TEST_F(CopyRunTest, SameBaseNameConvertsInPatternOrderSoThePngWins) {
  MakePicture(source + "x.gif", 30, 20);
  MakePicture(source + "x.png", 50, 40);
  MakePicture(source + "x.jpg", 10, 10);
  MakePicture(source + "y.bmp", 16, 8);
  g.set("ConvertToJpeg", 1);
  run();
  EXPECT_EQ(SizeOf(g.imageFolder() + "x.jpg").width, 50);
  EXPECT_EQ(SizeOf(g.imageFolder() + "y.jpg").width, 16);
  EXPECT_EQ(host.texts("status"),
            (std::vector<std::string>{"Converting x.gif to JPG.", "Converting y.bmp to JPG.",
                                      "Converting x.png to JPG.", "Finished converting to JPG."}));
  EXPECT_EQ(host.progressed, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
  // The source keeps every picture, and the user is told which ones lost their name.
  EXPECT_EQ(Snapshot(source).size(), 4u);
  EXPECT_EQ(host.texts("message"),
            std::vector<std::string>{std::string(kNameTakenMessage) + "\r\nx.jpg\r\nx.gif"});

  // Blanks replaced make two names one as well; the later in the folder's order wins.
  host.calls.clear();
  MakePicture(source + "a b.jpg", 10, 10);
  MakePicture(source + "a_b.jpg", 12, 12);
  g.set("ConvertToJpeg", 0);
  run();
  const auto jpegs = fs::ListMask(source, "*.jpg");
  const bool blankFirst = std::find(jpegs.begin(), jpegs.end(), "a b.jpg") <
                          std::find(jpegs.begin(), jpegs.end(), "a_b.jpg");
  ASSERT_EQ(host.texts("message").size(), 1u);
  EXPECT_NE(host.texts("message")[0].find(blankFirst ? "\r\na b.jpg" : "\r\na_b.jpg"),
            std::string::npos);
  EXPECT_EQ(SizeOf(g.imageFolder() + "a_b.jpg").width, blankFirst ? 12 : 10);
}

TEST_F(CopyRunTest, TheBoxShrinksConvertedPicturesButNeverCopiedJpegs) {
  MakePicture(source + "big.gif", 2048, 1536);
  MakePicture(source + "wide.jpg", 3000, 2000);
  g.set("ConvertToJpeg", 1).set("SourceResizeByDimensions", 1);
  g.set("SourceMaxImageWidth", 1024).set("SourceMaxImageHeight", 768);
  run();
  EXPECT_EQ(SizeOf(g.imageFolder() + "big.jpg").width, 1024);
  EXPECT_EQ(SizeOf(g.imageFolder() + "big.jpg").height, 768);
  EXPECT_EQ(fs::ReadFile(g.imageFolder() + "wide.jpg"), fs::ReadFile(source + "wide.jpg"));
}

TEST_F(CopyRunTest, RefusedSettingsEndTheRunBeforeAnythingIsCopied) {
  makeMixedSource();
  const auto refused = [&](const std::string& message) {
    host.calls.clear();
    g.reloads = 0;
    run();
    EXPECT_EQ(host.texts("message"), std::vector<std::string>{message});
    EXPECT_EQ(host.calls.front().kind, "beep");
    EXPECT_EQ(g.reloads, 0);
    EXPECT_TRUE(!fs::Exists(g.imageFolder()) || Snapshot(g.imageFolder()).empty());
  };
  g.set("BaseDir", "   ");
  refused(kBaseDirNotSpecifiedMessage);
  EXPECT_FALSE(fs::Exists(dir.file("site")));
  // An empty source would copy the working folder's pictures.
  g.set("BaseDir", dir.file("site")).set("ImageSourceDir", "");
  refused(kSourceNotSpecifiedMessage);
  EXPECT_FALSE(fs::Exists(dir.file("site")));

  g.set("BaseDir", dir.file("site"));
  const std::string images = g.imageFolder();
  for (const std::string& same :
       {images, images.substr(0, images.size() - 1), dir.file("site") + "/./images"}) {
    g.set("ImageSourceDir", same);
    refused(kSameSourceMessage);
  }
  std::filesystem::create_directory_symlink(images, dir.file("link"));
  g.set("ImageSourceDir", dir.file("link"));
  refused(kSameSourceMessage);

  WriteBytes(dir.file("blocked"), "a file where the site folder would be");
  g.set("BaseDir", dir.file("blocked"));
  refused(kImageFolderMessage);
}

TEST_F(CopyRunTest, AbortFinishesTheCurrentPictureAndStillEndsCleanly) {
  MakePicture(source + "a.gif", 20, 20);
  MakePicture(source + "b.gif", 20, 20);
  MakePicture(source + "c.png", 20, 20);
  g.set("ConvertToJpeg", 1);
  host.abortAfterPolls = 0;
  run();
  EXPECT_EQ(host.texts("status").size(), 2u);
  EXPECT_EQ(host.texts("status").back(), "Finished converting to JPG.");
  EXPECT_EQ(Snapshot(g.imageFolder()).size(), 1u);
  EXPECT_EQ(trace, (std::vector<std::string>{"show abort", "hide abort"}));
  EXPECT_EQ(g.reloads, 1);
}

TEST_F(CopyRunTest, UndecodablePictureEndsTheConversionWithItsErrorButFreesTheWindow) {
  MakePicture(source + "a.gif", 20, 20);
  WriteBytes(source + "b.bmp", "BM and nothing else");
  MakePicture(source + "c.png", 20, 20);
  g.set("ConvertToJpeg", 1);
  EXPECT_THROW(run(), Error);
  EXPECT_TRUE(fs::IsFile(g.imageFolder() + "a.jpg"));  // written before the error stays
  EXPECT_FALSE(fs::Exists(g.imageFolder() + "c.jpg"));
  EXPECT_EQ(trace, (std::vector<std::string>{"show abort", "hide abort"}));
  EXPECT_EQ(g.reloads, 1);
}

TEST_F(CopyRunTest, WithWebPicturesListedAPhoneFolderConvertsAfterTheGalleryKinds) {
  NEED_ENCODERS();
  Encode(source + "phone 1.HEIC", SmoothRaster(64, 48));
  Encode(source + "x.avif", SmoothRaster(14, 14));
  Encode(source + "web.webp", SmoothRaster(50, 20));
  Encode(source + "scan.tif", SmoothRaster(30, 40));
  MakePicture(source + "d.png", 20, 10);
  MakePicture(source + "cam.jpeg", 16, 16);
  MakePicture(source + "old.JPE", 8, 8);
  MakePicture(source + "x.jpg", 10, 10);
  WriteBytes(source + "x.jpeg", JpegBytes(12, 12));
  g.set("ConvertToJpeg", 1);
  run();  // the option off: as ever, only the gallery kinds
  EXPECT_EQ(Snapshot(g.imageFolder()).size(), 2u);
  std::filesystem::remove_all(g.imageFolder());
  host.calls.clear();

  g.set("ListWebPictures", 1);
  run();
  const auto files = Snapshot(g.imageFolder());
  EXPECT_EQ(files.size(), 7u);
  EXPECT_EQ(files.at("cam.jpg"), fs::ReadFile(source + "cam.jpeg"));
  EXPECT_EQ(files.at("old.jpg"), fs::ReadFile(source + "old.JPE"));
  for (const auto& [name, w, h] : {std::tuple{"phone_1.jpg", 64, 48},
                                   {"x.jpg", 14, 14},
                                   {"web.jpg", 50, 20},
                                   {"scan.jpg", 30, 40},
                                   {"d.jpg", 20, 10}}) {
    EXPECT_EQ(SizeOf(g.imageFolder() + name).width, w) << name;
    EXPECT_EQ(SizeOf(g.imageFolder() + name).height, h) << name;
  }
  EXPECT_EQ(
      host.texts("status"),
      (std::vector<std::string>{"Converting d.png to JPG.", "Converting phone 1.HEIC to JPG.",
                                "Converting x.avif to JPG.", "Converting web.webp to JPG.",
                                "Converting scan.tif to JPG.", "Finished converting to JPG."}));
  // x.jpg, then x.jpeg copied over it, then the AVIF converted over both.
  EXPECT_EQ(host.texts("message"),
            std::vector<std::string>{std::string(kNameTakenMessage) + "\r\nx.jpg\r\nx.jpeg"});
  std::vector<std::string> listed = g.list;
  SortImageNames(listed);
  EXPECT_EQ(listed, (std::vector<std::string>{"cam.jpg", "d.jpg", "old.jpg", "phone_1.jpg",
                                              "scan.jpg", "web.jpg", "x.jpg"}));

  // Without conversion WebP and AVIF are copied as they are and only the JPEG spellings
  // change their name; the kinds the gallery cannot list are not copied.
  std::filesystem::remove_all(g.imageFolder());
  host.calls.clear();
  g.set("ConvertToJpeg", 0);
  run();
  const auto copied = Snapshot(g.imageFolder());
  EXPECT_EQ(copied.size(), 6u);
  EXPECT_EQ(copied.at("x.jpg"), fs::ReadFile(source + "x.jpeg"));
  for (const char* name : {"d.png", "web.webp", "x.avif"})
    EXPECT_EQ(copied.at(name), fs::ReadFile(source + name));
  EXPECT_TRUE(copied.count("cam.jpg") && copied.count("old.jpg"));
  EXPECT_EQ(host.texts("message"),
            std::vector<std::string>{std::string(kNameTakenMessage) + "\r\nx.jpg"});
}

TEST_F(CopyRunTest, RemovingLocationLeavesEveryOtherByteOfTheCopiedJpegs) {
  const std::string withGps = JpegWithApp1(QuarterRaster(32, 16), {ExifWithGps(true), kXmpWithGps});
  const std::string plain = JpegBytes(20, 20);
  WriteBytes(source + "gps.jpg", withGps);
  WriteBytes(source + "gps2.jfif", withGps);
  WriteBytes(source + "plain.jpg", plain);
  const std::string damaged = "\xFF\xD8 and then no marker";
  WriteBytes(source + "damaged.jpg", damaged);
  MakePicture(source + "d.png", 20, 10);
  g.set("ConvertToJpeg", 1);
  g.set("ListWebPictures", 1);
  g.set("RemoveLocation", 1);
  run();
  auto files = Snapshot(g.imageFolder());
  EXPECT_EQ(files.size(), 4u);
  for (const char* name : {"gps.jpg", "gps2.jpg"}) {
    std::string copy = files.at(name);
    ASSERT_EQ(copy.size(), withGps.size()) << name;
    EXPECT_NE(copy, withGps);
    const std::size_t scan = withGps.find("\xFF\xDA");
    EXPECT_EQ(copy.substr(scan), withGps.substr(scan));
    EXPECT_EQ(JpegOrientationFromBytes(copy), 6);
    EXPECT_EQ(copy.find("GPSAltitude"), std::string::npos);
    EXPECT_FALSE(RemoveJpegLocation(copy)) << name;  // nothing of it left
  }
  EXPECT_EQ(files.at("plain.jpg"), plain);
  EXPECT_EQ(files.at("d.jpg").find("Exif"), std::string::npos);  // written JPEGs carry none
  // A file that cannot be told free of location data is not published.
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{"Error copying file \"damaged.jpg\""});

  // With the option off the same files are copied as they are.
  std::filesystem::remove_all(g.imageFolder());
  g.set("RemoveLocation", 0);
  run();
  files = Snapshot(g.imageFolder());
  EXPECT_EQ(files.at("gps.jpg"), withGps);
  EXPECT_EQ(files.at("gps2.jpg"), withGps);
  EXPECT_EQ(files.at("damaged.jpg"), damaged);
}

}  // namespace
}  // namespace fw::testing
