// "Resize large images" on generated image folders.
#include "images/resize_run.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/recording_host.h"
#include "images/exif_jpeg.h"
#include "images/jpeg_location.h"
#include "images/run_fixture.h"

namespace fw::testing {
namespace {

class ResizeRunTest : public ::testing::Test {
 protected:
  ResizeRunTest() : g(dir.file("site")) {
    g.set("Sorted", 1);
    std::filesystem::create_directories(g.imageFolder());
    busy.enter = [this] { trace.push_back("enter"); };
    busy.leave = [this] { trace.push_back("leave"); };
  }
  void run() {
    g.scan();
    RunResizeImages(g, host, busy, [this] { trace.push_back("buttons"); });
  }
  std::string at(const std::string& name) const { return g.imageFolder() + name; }
  void expectSize(const std::string& name, int w, int h) {
    const ImageSize s = SizeOf(at(name));
    EXPECT_EQ(s.width, w) << name;
    EXPECT_EQ(s.height, h) << name;
  }

  ScratchDir dir;
  FolderGallery g;
  RecordingHost host;
  RunControls busy;
  std::vector<std::string> trace;
};

TEST_F(ResizeRunTest, DefaultsShrinkOnlyPicturesLargerThanTheBox) {
  MakePicture(at("a.jpg"), 2048, 1536);
  MakePicture(at("b.jpg"), 800, 600);
  MakePicture(at("c.jpg"), 1000, 1000);
  const std::string small = fs::ReadFile(at("b.jpg"));
  run();
  expectSize("a.jpg", 1024, 768);
  EXPECT_EQ(fs::ReadFile(at("b.jpg")), small);
  expectSize("c.jpg", 768, 768);  // square: the height decides
  EXPECT_EQ(host.texts("status"),
            (std::vector<std::string>{"Resizing image 1 of 3", "Resizing image 3 of 3",
                                      "Finished resizing."}));
  EXPECT_EQ(trace, (std::vector<std::string>{"enter", "buttons", "leave"}));
  EXPECT_EQ(host.texts("beep").size(), 1u);
  EXPECT_EQ(g.reloads, 1);
}

TEST_F(ResizeRunTest, SizeLimitCountsBytesStrictlyAboveTheKilobytesTimesAThousand) {
  g.set("ResizeByDimensions", 0).set("ResizeBySize", 1).set("ImageSize", 100);
  WriteBytes(at("heavy.jpg"), JpegOfSize(800, 600, 150000));
  WriteBytes(at("limit.jpg"), JpegOfSize(800, 600, 100000));
  WriteBytes(at("large.jpg"), JpegOfSize(2000, 1500, 150000));
  const std::string limit = fs::ReadFile(at("limit.jpg"));
  ASSERT_EQ(limit.size(), 100000u);
  run();
  expectSize("heavy.jpg", 800, 600);
  EXPECT_LT(fs::Size(at("heavy.jpg")), 150000);  // re-compressed: the padding is gone
  EXPECT_EQ(fs::ReadFile(at("limit.jpg")), limit);
  expectSize("large.jpg", 1024, 768);
}

TEST_F(ResizeRunTest, SelectionRulesFollowTheDialogOptions) {
  const auto choose = [&](int w, int h, std::int64_t bytes) {
    return ChooseResize(ReadSettings(g), w, h, bytes, [] { return 1024; });
  };
  EXPECT_FALSE(choose(800, 600, 500000).touch);  // size options off
  g.set("ResizeBySize", 1).set("RecompressBySize", 1);
  ResizeChoice c = choose(2000, 1500, 500000);  // the box test picks it first
  EXPECT_TRUE(c.touch);
  EXPECT_EQ(c.size, 1024);
  g.set("ResizeByDimensions", 0);
  c = choose(2000, 1500, 500000);  // over the limit, re-compress only: own size
  EXPECT_EQ(c.size, 2000);
  g.set("ResizeBySize", 0);  // "Re-compress only" counts only with the size test on
  EXPECT_FALSE(choose(2000, 1500, 500000).touch);
  g.set("RecompressAllImages", 1);
  c = choose(300, 400, 10);
  EXPECT_TRUE(c.touch);
  EXPECT_EQ(c.size, 400);
}

TEST_F(ResizeRunTest, OtherKindsBecomeJpegsAndJpegsKeepTheirOwnName) {
  g.set("ResizeByDimensions", 0).set("RecompressAllImages", 1);
  MakePicture(at("anim.gif"), 40, 30);
  MakePicture(at("BIG.JPG"), 64, 48);
  run();
  EXPECT_FALSE(fs::Exists(at("anim.gif")));
  expectSize("anim.jpg", 40, 30);
  EXPECT_TRUE(fs::IsFile(at("BIG.JPG")));
  EXPECT_FALSE(fs::Exists(at("BIG.jpg")));
  EXPECT_EQ(g.list, (std::vector<std::string>{"anim.jpg", "BIG.JPG"}));
  EXPECT_EQ(ResizeTarget("/i/x.Bmp"), "/i/x.jpg");
  EXPECT_EQ(ResizeTarget("/i/x.JpG"), "/i/x.JpG");
  EXPECT_EQ(ResizeTarget("/i/x.JPEG"), "/i/x.JPEG");
  EXPECT_EQ(ResizeTarget("/i.d/x.webp"), "/i.d/x.jpg");
}

TEST_F(ResizeRunTest, RemovingLocationRewritesOnlyJpegsThatHoldSomeAndKeepsTheirImageData) {
  const std::string withGps = JpegWithApp1(SmoothRaster(300, 200), {ExifWithGps(false)});
  const std::string plain = JpegBytes(300, 200);
  WriteBytes(at("big.jpg"), JpegWithApp1(SmoothRaster(2048, 1536), {ExifWithGps(true)}));
  WriteBytes(at("kept.jpg"), withGps);
  WriteBytes(at("plain.jpg"), plain);
  run();
  EXPECT_EQ(fs::ReadFile(at("kept.jpg")), withGps);  // the option off: left as it was

  g.set("RemoveLocation", 1);
  run();
  const std::string kept = fs::ReadFile(at("kept.jpg"));
  ASSERT_EQ(kept.size(), withGps.size());
  const std::size_t scan = withGps.find("\xFF\xDA");
  EXPECT_EQ(kept.substr(scan), withGps.substr(scan));
  std::string again = kept;
  EXPECT_FALSE(RemoveJpegLocation(again));
  EXPECT_EQ(fs::ReadFile(at("plain.jpg")), plain);
  // The picture shrunk by the first run is a new JPEG without any metadata; the pictures
  // left alone get no status line.
  EXPECT_EQ(fs::ReadFile(at("big.jpg")).find("Exif"), std::string::npos);
  EXPECT_EQ(host.texts("status"),
            (std::vector<std::string>{"Resizing image 1 of 3", "Finished resizing.",
                                      "Finished resizing."}));
}

TEST_F(ResizeRunTest, AbortStopsAfterTheCurrentPicture) {
  for (const char* name : {"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg"})
    MakePicture(at(name), 1200, 900);
  host.abortAfterPolls = 1;
  run();
  expectSize("p1.jpg", 1024, 768);
  expectSize("p2.jpg", 1024, 768);
  expectSize("p3.jpg", 1200, 900);
  EXPECT_EQ(host.texts("status").back(), "Image resizing aborted.");
  EXPECT_EQ(g.reloads, 1);
  EXPECT_EQ(trace, (std::vector<std::string>{"enter", "buttons", "leave"}));
}

TEST_F(ResizeRunTest, UnreadablePictureEndsTheRunButFreesTheWindow) {
  MakePicture(at("a.jpg"), 1200, 900);
  WriteBytes(at("b.png"), "\x89PNG broken");
  EXPECT_THROW(run(), Error);
  expectSize("a.jpg", 1024, 768);
  EXPECT_TRUE(fs::IsFile(at("b.png")));
  EXPECT_EQ(trace, (std::vector<std::string>{"enter", "buttons", "leave"}));
  EXPECT_EQ(g.reloads, 1);
  EXPECT_TRUE(host.texts("beep").empty());
}

}  // namespace
}  // namespace fw::testing
