#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

// libjpeg needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "common/naming.h"
#include "common/recording_host.h"
#include "fakes.h"
#include "generator/generation_run.h"
#include "generator/layout.h"
#include "generator/page_hooks.h"
#include "images/image_io.h"
#include "images/store_gallery_values.h"
#include "settings/store.h"

namespace fw {
namespace {

namespace sfs = std::filesystem;
using testing::FakeGallery;
using testing::FakePictures;
using testing::PageLines;
using testing::ReadAll;

// A plain baseline JPEG of width x height, a colour ramp.
void WriteJpeg(const std::string& path, int width, int height) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = width;
  c.image_height = height;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < width; ++x) {
      row[x * 3] = static_cast<JSAMPLE>(x);
      row[x * 3 + 1] = static_cast<JSAMPLE>(c.next_scanline);
      row[x * 3 + 2] = 128;
    }
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&c, &p, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(f);
}

std::vector<std::string> Files(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : sfs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

struct Busy {
  std::vector<std::string> calls;
  RunControls controls{[this] { calls.push_back("enter"); },
                        [this] { calls.push_back("leave"); }};
};

TEST(GenerationRun, WholeSiteFromAProfileAndASecondRunMakesNoThumbnail) {
  const std::string base = testing::TempFolder("whole_site");
  sfs::create_directories(base + "/site/images");
  WriteJpeg(base + "/site/images/a.jpg", 200, 150);
  WriteJpeg(base + "/site/images/b.jpg", 150, 200);
  WriteJpeg(base + "/site/images/c.jpg", 300, 100);
  WriteJpeg(base + "/site/images/d.jpg", 100, 100);
  WriteJpeg(base + "/site/images/e.jpg", 160, 120);

  Store store(base + "/settings.db");
  StoreGalleryValues g(store, kTestSettingsRoot, "Holiday", base + "/");
  store.RegWriteString(g.galleryKey(), "BaseDir", base + "/site");
  store.RegWriteBool(g.galleryKey(), "Sorted", true);
  store.RegWriteInteger(g.galleryKey(), "Rows", 1);
  store.RegWriteInteger(g.galleryKey(), "Columns", 2);
  ASSERT_EQ(g.images(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}));

  RecordingHost host;
  NoBanners banners;
  RunValues run;
  Busy busy;
  const GallerySnapshot snapshot = TakeSnapshot(g);
  PageContext c{snapshot, host, LibraryPictures(), banners, run};
  RunGeneration(c, nullptr, busy.controls);

  EXPECT_EQ(host.texts("status"),
            (std::vector<std::string>{"Creating thumbnail 1 of 5", "Creating thumbnail 2 of 5",
                                      "Creating thumbnail 3 of 5", "Creating thumbnail 4 of 5",
                                      "Creating thumbnail 5 of 5", "Writing page 1 of 3",
                                      "Writing page 2 of 3", "Writing page 3 of 3",
                                      "Writing Index Page", "Finished"}));
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{});
  EXPECT_EQ(host.texts("open"), std::vector<std::string>{base + "/site/index.html"});
  EXPECT_EQ(busy.calls, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(host.calls.back().kind, "beep");
  EXPECT_EQ(Files(base + "/site"),
            (std::vector<std::string>{"Gallery1.html", "Gallery2.html", "Gallery3.html", "a.html",
                                      "b.html", "c.html", "d.html", "e.html", "images",
                                      "index.html", "thumbs"}));
  const std::vector<std::pair<std::string, std::pair<int, int>>> thumbs = {
      {"a", {100, 75}}, {"b", {75, 100}}, {"c", {100, 33}}, {"d", {100, 100}}, {"e", {100, 75}}};
  for (const auto& [name, size] : thumbs) {
    const ImageSize s = GetImageSize(base + "/site/thumbs/Thumb-" + name + ".jpg");
    EXPECT_EQ(s.width, size.first) << name;
    EXPECT_EQ(s.height, size.second) << name;
  }
  // The cells carry the measured thumbnail sizes; the last page holds the fifth picture.
  const std::vector<std::string> page3 = PageLines(base + "/site/Gallery3.html");
  EXPECT_NE(std::find(page3.begin(), page3.end(),
                      "    <IMG src=\"thumbs/Thumb-e.jpg\" border=\"0\" height=\"75\" "
                      "width=\"100\"></a>"),
            page3.end());
  const std::string eThumb = ReadAll(base + "/site/thumbs/Thumb-e.jpg");

  RecordingHost again;
  PageContext c2{snapshot, again, LibraryPictures(), banners, run};
  RunGeneration(c2, nullptr, busy.controls);
  EXPECT_EQ(again.texts("status").front(), "Writing page 1 of 3");
  EXPECT_EQ(ReadAll(base + "/site/thumbs/Thumb-e.jpg"), eThumb);

  // A picture changed after its thumbnail gets a new one; one that only looks older than its
  // thumbnail (restored with its old time) keeps the thumbnail it has.
  // (File times are set, as the clock that stamps them may not tick between two writes.)
  const std::string b = base + "/site/images/b.jpg", e = base + "/site/images/e.jpg";
  WriteJpeg(b, 200, 50);
  WriteJpeg(e, 50, 200);
  const auto thumbTime = sfs::last_write_time(base + "/site/thumbs/Thumb-e.jpg");
  sfs::last_write_time(b, thumbTime + std::chrono::seconds(1));
  sfs::last_write_time(e, thumbTime - std::chrono::hours(1));
  RecordingHost third;
  PageContext c3{snapshot, third, LibraryPictures(), banners, run};
  RunGeneration(c3, nullptr, busy.controls);
  EXPECT_EQ(third.texts("status").front(), "Creating thumbnail 2 of 5");
  EXPECT_EQ(third.texts("status")[1], "Writing page 1 of 3");
  EXPECT_EQ(GetImageSize(base + "/site/thumbs/Thumb-b.jpg").height, 25);
  EXPECT_EQ(ReadAll(base + "/site/thumbs/Thumb-e.jpg"), eThumb);
}

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base = testing::TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    g.set("BaseDir", base + "/site").set("Rows", 1).set("Columns", 2);
  }
  void run(Pictures& pictures, CustomPages* custom = nullptr) {
    const GallerySnapshot snapshot = TakeSnapshot(g);
    PageContext c{snapshot, host, pictures, banners, values};
    RunGeneration(c, custom, busy.controls);
  }

  std::string base;
  FakeGallery g;
  RecordingHost host;
  NoBanners banners;
  RunValues values;
  Busy busy;
};

TEST_F(RunTest, CorruptPictureIsRenamedReportedAndStillGetsItsCell) {
  sfs::create_directories(base + "/site/images");
  WriteJpeg(base + "/site/images/good.jpg", 40, 30);
  std::ofstream(base + "/site/images/bad.jpg", std::ios::binary) << "not a picture at all";
  g.list = {"good.jpg", "bad.jpg"};
  run(LibraryPictures());

  const std::string bad = base + "/site/images/bad.jpg";
  EXPECT_TRUE(sfs::exists(bad + ".error"));
  EXPECT_FALSE(sfs::exists(bad));
  const std::vector<std::string> messages = host.texts("message");
  // The cell measures the thumbnail, the image page and then the cell measure the picture.
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0], "Error creating thumbnail for\r\n" + bad +
                             "\r\nThe affected file has been renamed to\r\n" + bad + ".error");
  EXPECT_EQ(messages[1], "Error accessing file " + base + "/site/thumbs/Thumb-bad.jpg");
  EXPECT_EQ(messages[2], "Error accessing file bad.jpg");
  EXPECT_EQ(messages[3], "Error accessing file bad.jpg");
  const std::vector<std::string> page = PageLines(base + "/site/Gallery.html");
  EXPECT_NE(std::find(page.begin(), page.end(), "    <A href=\"bad.html\">"), page.end());
  EXPECT_NE(std::find(page.begin(), page.end(),
                      "    <IMG src=\"thumbs/Thumb-bad.jpg\" border=\"0\"></a>"),
            page.end());
  EXPECT_TRUE(sfs::exists(base + "/site/bad.html"));
  EXPECT_EQ(host.texts("status").back(), "Finished");
}

TEST_F(RunTest, RenameNeverReplacesAnEarlierErrorFile) {
  sfs::create_directories(base + "/site/images");
  const std::string bad = base + "/site/images/bad.jpg";
  std::ofstream(bad, std::ios::binary) << "broken again";
  std::ofstream(bad + ".error", std::ios::binary) << "broken first";
  g.list = {"bad.jpg"};
  run(LibraryPictures());
  EXPECT_EQ(ReadAll(bad + ".error"), "broken first");
  EXPECT_EQ(ReadAll(bad), "broken again");
}

TEST_F(RunTest, ThumbnailsBesideThePicturesNeverOverwriteOne) {
  // Same folder, prefix mode and an empty prefix: a picture's thumbnail name is itself or,
  // for another kind, a picture of the list.
  g.set("ThumbsDir", "images").set("ThumbPrefix", "");
  sfs::create_directories(base + "/site/images");
  WriteJpeg(base + "/site/images/a.jpg", 300, 200);
  std::ofstream(base + "/site/images/a.gif", std::ios::binary) << "GIF89a";
  const std::string before = ReadAll(base + "/site/images/a.jpg");
  g.list = {"a.gif", "a.jpg"};
  FakePictures pictures;
  run(pictures);
  EXPECT_TRUE(pictures.made.empty());
  EXPECT_EQ(ReadAll(base + "/site/images/a.jpg"), before);
}

TEST_F(RunTest, EmptyListAndUncreatableFolderEndTheRunBeforeTheBusyState) {
  FakePictures pictures;
  run(pictures);
  EXPECT_EQ(host.calls.size(), 2u);
  EXPECT_EQ(host.calls[0].kind, "beep");
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{kNoImagesMessage});
  EXPECT_FALSE(sfs::exists(base + "/site"));

  host.calls.clear();
  std::ofstream(base + "/file", std::ios::binary) << "x";
  g.set("BaseDir", base + "/file/site");
  g.list = {"a.jpg"};
  run(pictures);
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{kBaseDirMessage});
  EXPECT_TRUE(busy.calls.empty());

  // A thumbnail prefix that would leave the thumbnail folder writes nothing at all.
  host.calls.clear();
  g.set("BaseDir", base + "/site").set("ThumbPrefix", "../images/");
  run(pictures);
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{kThumbPrefixMessage});
  EXPECT_TRUE(pictures.made.empty());
  EXPECT_FALSE(sfs::exists(base + "/site"));
}

TEST_F(RunTest, FoldersAreCreatedWithTheirParents) {
  g.set("BaseDir", base + "/new/deep/site").set("ThumbsDir", "t/small");
  g.list = {"a.jpg"};
  FakePictures pictures;
  run(pictures);
  EXPECT_TRUE(sfs::is_directory(base + "/new/deep/site/t/small"));
  EXPECT_TRUE(sfs::is_directory(base + "/new/deep/site/images"));
  EXPECT_TRUE(sfs::exists(base + "/new/deep/site/Gallery.html"));
}

TEST_F(RunTest, NoRoomOnAPageWritesOnlyTheIndexPage) {
  g.set("Template", 2).set("Rows", 1).set("Columns", 1);
  g.list = {"a.jpg", "b.jpg"};
  FakePictures pictures;
  run(pictures);
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{kZeroRowsMessage});
  EXPECT_EQ(Files(base + "/site"), (std::vector<std::string>{"images", "index.html", "thumbs"}));
  EXPECT_EQ(host.texts("open").size(), 1u);
  EXPECT_EQ(values.pageCount, 0);
}

struct RecordingCustom : CustomPages {
  int calls = 0;
  void writePages(PageContext& c) override {
    ++calls;
    c.run.pageCount = 4;
  }
};

TEST_F(RunTest, CustomLayoutHandsThePagesOver) {
  g.set("Template", kCustomTemplate);
  g.list = {"a.jpg"};
  FakePictures pictures;
  RecordingCustom custom;
  run(pictures, &custom);
  EXPECT_EQ(custom.calls, 1);
  EXPECT_EQ(values.pageCount, 4);
  EXPECT_EQ(pictures.made.size(), 1u);  // thumbnails are made for every layout
  EXPECT_TRUE(host.texts("open").empty());
  EXPECT_FALSE(sfs::exists(base + "/site/index.html"));
  EXPECT_EQ(host.texts("status").back(), "Finished");
}

TEST_F(RunTest, PageWriteErrorEndsTheRunButLeavesTheBusyState) {
  g.set("IndexFile", "no/such/folder/index.html");
  g.list = {"a.jpg"};
  FakePictures pictures;
  EXPECT_THROW(run(pictures), Error);
  EXPECT_EQ(busy.calls, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_TRUE(sfs::exists(base + "/site/Gallery.html"));
  EXPECT_TRUE(host.texts("open").empty());
}

}  // namespace
}  // namespace fw
