// Name clashes across the picture runs: whatever the runs write, no picture that was in the
// folders before is lost or overwritten unless the run meant to rewrite that very picture.
#include <gtest/gtest.h>

#include <set>

#include "common/name_clashes.h"
#include "common/recording_host.h"
#include "images/copy_run.h"
#include "images/rename_run.h"
#include "images/resize_run.h"
#include "images/run_fixture.h"
#include "images/thumbnail_run.h"

namespace fw::testing {
namespace {

class ClashTest : public ::testing::Test {
 protected:
  ClashTest() : g(dir.file("site")) { std::filesystem::create_directories(g.imageFolder()); }
  std::string at(const std::string& name) const { return g.imageFolder() + name; }
  void expectUnchanged(const std::map<std::string, std::string>& before) {
    const auto after = Snapshot(g.imageFolder());
    for (const auto& [name, bytes] : before) {
      ASSERT_TRUE(after.count(name)) << name << " is gone";
      EXPECT_EQ(after.at(name), bytes) << name << " was overwritten";
    }
  }

  ScratchDir dir;
  FolderGallery g;
  RecordingHost host;
};

TEST_F(ClashTest, ResizeNeverConvertsOntoAnotherPicture) {
  MakePicture(at("x.gif"), 1600, 1200);
  MakePicture(at("x.jpg"), 300, 200);  // fits the box: left alone
  const auto before = Snapshot(g.imageFolder());
  g.scan();
  RunResizeImages(g, host, {}, {});
  expectUnchanged(before);
  EXPECT_EQ(Snapshot(g.imageFolder()).size(), before.size());
  EXPECT_EQ(
      host.texts("message"),
      std::vector<std::string>{"Could not convert " + at("x.gif") + " because " + at("x.jpg") +
                               " already exists. Will continue with next file."});
}

TEST_F(ClashTest, ResizeOfTwoPicturesWithOneBaseNameKeepsTheSecond) {
  MakePicture(at("x.gif"), 1600, 1200);
  MakePicture(at("x.png"), 1200, 1600);
  const std::string png = fs::ReadFile(at("x.png"));
  g.scan();
  RunResizeImages(g, host, {}, {});
  const auto after = Snapshot(g.imageFolder());
  EXPECT_EQ(after.size(), 2u);
  EXPECT_EQ(after.at("x.png"), png);
  EXPECT_EQ(SizeOf(at("x.jpg")).width, 1024);  // the GIF, shrunk; the GIF file is gone
}

TEST_F(ClashTest, ThumbnailsBesideThePicturesWithoutPrefixNeverReplaceOne) {
  g.set("ThumbsDir", "images").set("ThumbPrefix", "").set("IsThumbPrefix", 0);
  // Suffix mode without text takes every name ending in lower-case ".jpg" for a thumbnail,
  // so x.jpg is not listed, yet it is a picture of the folder.
  MakePicture(at("x.gif"), 40, 30);
  MakePicture(at("x.jpg"), 70, 50);
  MakePicture(at("y.png"), 40, 30);
  MakePicture(at("Z.JPG"), 40, 30);
  const auto before = Snapshot(g.imageFolder());
  g.scan();
  RunThumbnails(g, host, {});
  expectUnchanged(before);
  EXPECT_EQ(Snapshot(g.imageFolder()).size(), before.size() + 2);  // new: y.jpg and Z.jpg
  EXPECT_TRUE(fs::IsFile(at("y.jpg")));
  EXPECT_TRUE(ThumbnailClash(ReadSettings(g)).hits("x.gif"));
  EXPECT_FALSE(ThumbnailClash(ReadSettings(g.set("ThumbPrefix", "-t"))).hits("x.gif"));
}

TEST_F(ClashTest, ThumbsRefusesPicturesThatWouldShareAThumbnail) {
  MakePicture(at("a.gif"), 40, 30);
  MakePicture(at("a.jpg"), 70, 50);
  MakePicture(at("b.png"), 40, 30);
  g.scan();
  RunThumbnails(g, host, {});
  EXPECT_EQ(host.texts("message"),
            std::vector<std::string>{std::string(kNameClashMessage) + "\r\n" + g.thumbFolder() +
                                     "Thumb-a.jpg: the thumbnail of a.gif and the thumbnail of "
                                     "a.jpg"});
  EXPECT_FALSE(fs::Exists(g.thumbFolder()));
}

TEST_F(ClashTest, ThumbsBesideThePicturesNeverReplaceAnotherPicture) {
  g.set("ThumbsDir", "images");
  MakePicture(at("a.jpg"), 40, 30);
  MakePicture(at("Thumb-a.jpg"), 70, 50);
  g.list = {"a.jpg", "Thumb-a.jpg"};  // as a list read before the prefix was set
  RunThumbnails(g, host, {});
  EXPECT_EQ(host.texts("message"),
            std::vector<std::string>{std::string(kNameClashMessage) + "\r\n" + g.thumbFolder() +
                                     "Thumb-a.jpg: the picture Thumb-a.jpg and the thumbnail of "
                                     "a.jpg"});
  EXPECT_EQ(GetImageSize(at("Thumb-a.jpg")).width, 70);
}

TEST_F(ClashTest, RenamingKeepsEveryPictureUnderSomeName) {
  for (const char* name : {"image3.jpg", "image1.jpg", "b.jpg", "image2.jpg"})
    WriteBytes(at(name), std::string("picture ") + name);
  g.list = {"image3.jpg", "image1.jpg", "b.jpg", "image2.jpg"};
  std::multiset<std::string> contents;
  for (const auto& [name, bytes] : Snapshot(g.imageFolder())) contents.insert(bytes);
  RunRenameImages(g, host, "image", true);
  std::multiset<std::string> after;
  for (const auto& [name, bytes] : Snapshot(g.imageFolder())) after.insert(bytes);
  EXPECT_EQ(after, contents);
  EXPECT_EQ(fs::ReadFile(at("image4.jpg")), "picture image2.jpg");  // the one free name

  // A prefix naming another folder would move the pictures out of the gallery.
  const auto before = Snapshot(g.imageFolder());
  g.scan();
  RunRenameImages(g, host, "../escaped", true);
  expectUnchanged(before);
  EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace fw::testing
