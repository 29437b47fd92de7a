// The "Thumbs" run on generated folders.
#include "images/thumbnail_run.h"

#include <gtest/gtest.h>

#include "common/naming.h"
#include "common/recording_host.h"
#include "images/run_fixture.h"

namespace fw::testing {
namespace {

class ThumbnailRunTest : public ::testing::Test {
 protected:
  ThumbnailRunTest() : g(dir.file("site")) {
    std::filesystem::create_directories(g.imageFolder());
    busy.enter = [this] { trace.push_back("enter"); };
    busy.leave = [this] { trace.push_back("leave"); };
  }
  void run() {
    g.scan();
    RunThumbnails(g, host, busy);
  }
  // Busy transitions and host calls interleaved, as the user would see them.
  std::vector<std::string> trace;
  ScratchDir dir;
  FolderGallery g;
  RecordingHost host;
  RunControls busy;
};

TEST_F(ThumbnailRunTest, RemakesEveryThumbnailAndCountsThePictures) {
  g.set("ThumbSize", 120);
  MakePicture(g.imageFolder() + "a.jpg", 1600, 1200);
  MakePicture(g.imageFolder() + "b.jpg", 90, 120);
  MakePicture(g.imageFolder() + "c.png", 60, 30);
  std::filesystem::create_directories(g.thumbFolder());
  for (const char* name : {"Thumb-a.jpg", "Thumb-b.jpg", "Thumb-c.jpg"})
    WriteBytes(g.thumbFolder() + name, "old thumbnail");
  busy.leave = [this] {
    trace.push_back("leave");
    EXPECT_EQ(host.texts("status").back(), "Finished creating thumbnails");
    EXPECT_TRUE(host.texts("beep").empty());  // the beep comes after the window is free
  };
  run();

  EXPECT_EQ(
      host.texts("status"),
      (std::vector<std::string>{"Creating thumbnail 1 of 3", "Creating thumbnail 2 of 3",
                                "Creating thumbnail 3 of 3", "Finished creating thumbnails"}));
  EXPECT_EQ(trace, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(host.texts("beep").size(), 1u);
  EXPECT_TRUE(host.texts("message").empty());
  // Pictures smaller than the size keep theirs: the scale factor is never below 1 for them.
  EXPECT_EQ(SizeOf(g.thumbFolder() + "Thumb-a.jpg").width, 120);
  EXPECT_EQ(SizeOf(g.thumbFolder() + "Thumb-a.jpg").height, 90);
  EXPECT_EQ(SizeOf(g.thumbFolder() + "Thumb-b.jpg").width, 90);
  EXPECT_EQ(SizeOf(g.thumbFolder() + "Thumb-b.jpg").height, 120);
  EXPECT_EQ(SizeOf(g.thumbFolder() + "Thumb-c.jpg").width, 120);  // a PNG gets a JPEG
  EXPECT_EQ(g.reloads, 1);
}

TEST_F(ThumbnailRunTest, CorruptPictureIsRenamedReportedAndDropsOutOfTheList) {
  MakePicture(g.imageFolder() + "a.jpg", 200, 100);
  WriteBytes(g.imageFolder() + "bad.jpg", "\xFF\xD8 not a picture at all");
  MakePicture(g.imageFolder() + "c.jpg", 100, 200);
  run();

  const std::string bad = g.imageFolder() + "bad.jpg";
  EXPECT_EQ(
      host.texts("message"),
      std::vector<std::string>{"Error creating thumbnail for\r\n" + bad +
                               "\r\nThe affected file has been renamed to\r\n" + bad + ".error"});
  EXPECT_TRUE(fs::IsFile(bad + ".error"));
  EXPECT_FALSE(fs::Exists(bad));
  EXPECT_TRUE(fs::IsFile(g.thumbFolder() + "Thumb-a.jpg"));
  EXPECT_TRUE(fs::IsFile(g.thumbFolder() + "Thumb-c.jpg"));
  EXPECT_EQ(g.list, (std::vector<std::string>{"a.jpg", "c.jpg"}));
  EXPECT_EQ(host.texts("beep").size(), 2u);  // the failure's and the end's
}

TEST_F(ThumbnailRunTest, FailedErrorRenameKeepsBothFilesAndSaysSo) {
  WriteBytes(g.imageFolder() + "bad.jpg", "broken");
  WriteBytes(g.imageFolder() + "bad.jpg.error", "an older failure");
  run();
  const std::string bad = g.imageFolder() + "bad.jpg";
  EXPECT_EQ(host.texts("message"),
            std::vector<std::string>{"Error creating thumbnail for\r\n" + bad +
                                     "\r\nThe affected file could not be renamed to\r\n" + bad +
                                     ".error"});
  EXPECT_EQ(fs::ReadFile(bad), "broken");
  EXPECT_EQ(fs::ReadFile(bad + ".error"), "an older failure");
}

TEST_F(ThumbnailRunTest, ChecksEndTheRunBeforeTheWindowIsHeld) {
  run();  // empty image folder
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{kNoSupportedFilesMessage});
  EXPECT_EQ(host.calls.front().kind, "beep");
  EXPECT_FALSE(fs::Exists(g.thumbFolder()));
  EXPECT_TRUE(trace.empty());

  host.calls.clear();
  MakePicture(g.imageFolder() + "a.jpg", 20, 20);
  WriteBytes(g.thumbFolder().substr(0, g.thumbFolder().size() - 1), "a file in the way");
  run();
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{kThumbFolderMessage});
  EXPECT_TRUE(host.texts("status").empty());
  EXPECT_TRUE(trace.empty());
}

TEST_F(ThumbnailRunTest, APrefixOrSuffixThatLeavesTheFolderIsRefused) {
  MakePicture(g.imageFolder() + "a.jpg", 200, 100);
  const std::string before = fs::ReadFile(g.imageFolder() + "a.jpg");
  for (const auto& [prefix, isPrefix] : {std::pair{"../images/", 1}, {"/x", 0}, {"..", 1}}) {
    SCOPED_TRACE(prefix);
    host.calls.clear();
    g.set("ThumbPrefix", prefix).set("IsThumbPrefix", isPrefix);
    run();
    EXPECT_EQ(host.texts("message"), std::vector<std::string>{kThumbPrefixMessage});
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(fs::ReadFile(g.imageFolder() + "a.jpg"), before);
  }
  EXPECT_FALSE(fs::Exists(g.thumbFolder()));
}

}  // namespace
}  // namespace fw::testing
