#include "images/image_list.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fw {
namespace {

using Names = std::vector<std::string>;

class ImageListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    values_ = {dir_, "Thumb-", true, true};
  }

  void touch(const std::initializer_list<const char*>& names) {
    for (const char* n : names) std::ofstream(dir_ + "/" + n) << "x";
  }
  Names scan() { return ScanImageList(dir_, values_); }
  // The scan order within one group is the directory's; compare groups as sets.
  static Names sortedPart(const Names& list, std::size_t from, std::size_t to) {
    Names part(list.begin() + from, list.begin() + to);
    std::sort(part.begin(), part.end());
    return part;
  }

  test::TempDir tmp_;
  std::string dir_ = tmp_.path();
  ImageScanValues values_;
};

TEST_F(ImageListTest, GroupsByMaskUnlessSorted) {
  touch({"b.png", "a.jpg", "c.bmp", "d.gif", "notes.txt", "e.jpeg", "f.AVIF", "g.webp", "h.heic",
         "i.tif", "j.jpe", "Thumb-e.jjpg"});
  values_.sorted = false;
  EXPECT_EQ(scan(), (Names{"c.bmp", "d.gif", "b.png", "a.jpg"}));
  values_.sorted = true;
  EXPECT_EQ(scan(), (Names{"a.jpg", "b.png", "c.bmp", "d.gif"}));

  // The kinds browsers show too, each in its own group after the JPEGs, even when named like
  // a thumbnail; HEIC and TIFF never.
  values_.webPictures = true;
  touch({"Thumb-k.jpeg"});
  values_.sorted = false;
  Names list = scan();
  ASSERT_EQ(list.size(), 8u);
  EXPECT_EQ(Names(list.begin(), list.begin() + 4), (Names{"c.bmp", "d.gif", "b.png", "a.jpg"}));
  EXPECT_EQ(sortedPart(list, 4, 6), (Names{"Thumb-k.jpeg", "e.jpeg"}));
  EXPECT_EQ(Names(list.begin() + 6, list.end()), (Names{"g.webp", "f.AVIF"}));
  values_.sorted = true;
  EXPECT_EQ(scan(), (Names{"a.jpg", "b.png", "c.bmp", "d.gif", "e.jpeg", "f.AVIF", "g.webp",
                           "Thumb-k.jpeg"}));
}

TEST_F(ImageListTest, SortIgnoresCaseAndScanFindsUpperCaseExtensions) {
  touch({"b.JPG", "A.Png", "a2.jpg", "PHOTO.JPG", "Z.BMP"});
  values_.sorted = true;
  EXPECT_EQ(scan(), (Names{"A.Png", "a2.jpg", "b.JPG", "PHOTO.JPG", "Z.BMP"}));
  values_.sorted = false;
  Names list = scan();
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(list[0], "Z.BMP");
  EXPECT_EQ(list[1], "A.Png");
  EXPECT_EQ(sortedPart(list, 2, 5), (Names{"PHOTO.JPG", "a2.jpg", "b.JPG"}));

  Names same{"b", "B", "a", "A"};  // names differing only in case keep a fixed order
  SortImageNames(same);
  EXPECT_EQ(same, (Names{"A", "a", "B", "b"}));
}

TEST_F(ImageListTest, PrefixModeLeavesOutNamesContainingTheText) {
  touch({"Thumb-a.jpg", "a.jpg", "thumb-a.jpg", "xThumb-y.jpg", "Thumb-p.png", "Thumb-g.gif"});
  values_.sorted = true;
  values_.isThumbPrefix = true;
  values_.thumbPrefix = "Thumb-";
  EXPECT_EQ(scan(), (Names{"a.jpg", "thumb-a.jpg", "Thumb-g.gif", "Thumb-p.png"}));

  values_.thumbPrefix = "";  // contained in every name: no JPEG is listed
  EXPECT_EQ(scan(), (Names{"Thumb-g.gif", "Thumb-p.png"}));
}

TEST_F(ImageListTest, SuffixModeLeavesOutNamesEndingInTheText) {
  touch({"aThumb-.jpg", "Thumb-a.jpg", "bThumb-.JPG", "c.jpg", "D.JPG"});
  values_.sorted = true;
  values_.isThumbPrefix = false;
  values_.thumbPrefix = "Thumb-";
  EXPECT_EQ(scan(), (Names{"bThumb-.JPG", "c.jpg", "D.JPG", "Thumb-a.jpg"}));

  values_.thumbPrefix = "";  // every name ending in a lower-case ".jpg" is a thumbnail
  EXPECT_EQ(scan(), (Names{"bThumb-.JPG", "D.JPG"}));
  EXPECT_TRUE(IsThumbnailName("x_s.jpg", "_s", false));
  EXPECT_FALSE(IsThumbnailName("x_s.jpg.bak", "_s", false));
}

TEST_F(ImageListTest, BlankBaseFolderOrMissingFolderGiveNothing) {
  touch({"a.jpg", "b.png"});
  values_.baseDir = "  \t";
  EXPECT_TRUE(scan().empty());
  values_.baseDir = "/anything";
  EXPECT_TRUE(ScanImageList(dir_ + "/missing", values_).empty());
  EXPECT_EQ(ScanImageList(dir_ + "/", values_).size(), 2u);
}

TEST(ImageCount, LabelText) {
  EXPECT_EQ(ImageCountLabel(25, 3), "Images:25  Pages:3");
  EXPECT_EQ(ImageCountLabel(0, 0), "Images:0  Pages:0");
}

}  // namespace
}  // namespace fw
