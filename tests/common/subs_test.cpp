// The text helpers and naming rules.
#include <gtest/gtest.h>

#include "common/naming.h"
#include "common/subs.h"

namespace fw {
namespace {

TEST(Subs, ColorToHtmlPutsRedFirst) {
  EXPECT_EQ(ColorToHtml(0x563412), "#123456");
  EXPECT_EQ(ColorToHtml(0x0000FF), "#FF0000");
  EXPECT_EQ(ColorToHtml(0x800000), "#000080");
  EXPECT_EQ(ColorToHtml(0xFFFFFF), "#FFFFFF");
  EXPECT_EQ(ColorToHtml(0), "#000000");
}

TEST(Subs, AddBackslashAndFindFrom) {
  EXPECT_EQ(AddBackslash("/site"), "/site/");
  EXPECT_EQ(AddBackslash("/site/"), "/site/");
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(FindFrom(4, "abcabc", "a"), 4);
  EXPECT_EQ(FindFrom(7, "abcabc", "a"), 0);
  EXPECT_EQ(FindFrom(2, "abc", ""), 2);
  EXPECT_EQ(FindFrom(0, "abc", "a"), 0);
  EXPECT_EQ(FindFrom(1, "", ""), 0);
}

TEST(Subs, ReplaceAllNeverRescansItsReplacement) {
  EXPECT_EQ(ReplaceAll("a_b__c", "_", " "), "a b  c");
  EXPECT_EQ(ReplaceAll("AbA", "a", "x"), "AbA");
  EXPECT_EQ(ReplaceAll("aba", "a", "aa"), "aabaa");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("aaa", "a", ""), "");
}

TEST(Subs, RightPartStripExtensionSplitFields) {
  EXPECT_EQ(RightPart("photo.jpg", 4), ".jpg");
  EXPECT_EQ(RightPart("ab", 5), "ab");
  EXPECT_EQ(StripExtension("a.b.jpg"), "a.b");
  EXPECT_EQ(StripExtension("noext"), "noext");
  EXPECT_EQ(StripExtension("photo."), "photo");
  EXPECT_EQ(StripExtension("dir.d/noext"), "dir.d/noext");
  std::vector<std::string> f;
  EXPECT_EQ(SplitFields("a.b.c", ".", f), 3);
  EXPECT_EQ(f[1], "a");
  EXPECT_EQ(f[2], "b");
  EXPECT_EQ(f[3], "c");
  EXPECT_EQ(SplitFields("photo.", ".", f), 2);
  EXPECT_EQ(f[1], "photo");
  EXPECT_EQ(f[2], "");
  EXPECT_EQ(SplitFields("whole", ".", f), 1);
  EXPECT_EQ(f[1], "whole");
  EXPECT_EQ(SplitFields("x", "", f), -1);
}

TEST(Subs, RoundingGoesHalfToEven) {
  EXPECT_EQ(RoundHalfEven(62.5L), 62);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(3.5L), 4);
  EXPECT_EQ(RoundHalfEven(-0.5L), 0);
  EXPECT_EQ(RoundHalfEven(2.5000001L), 3);
}

TEST(Naming, DefaultsGiveTheUsualNames) {
  NamingValues v;
  v.baseDir = "/www";
  EXPECT_EQ(ThumbnailName(v, "my_dog.JPG"), "Thumb-my_dog.jpg");
  EXPECT_EQ(ThumbnailUrl(v, "my_dog.JPG"), "thumbs/Thumb-my_dog.jpg");
  EXPECT_EQ(ImageUrl(v, "my_dog.JPG"), "images/my_dog.JPG");
  EXPECT_EQ(ImagePageName(v, "my_dog.JPG"), "my_dog.html");
  EXPECT_EQ(CleanImageName("my_dog.JPG"), "my dog");
  EXPECT_EQ(GalleryPageName(v, 3, 7), "Gallery3.html");
  EXPECT_EQ(GalleryPageName(v, 1, 1), "Gallery.html");
  EXPECT_EQ(GalleryPageName(v, 1, 2), "Gallery1.html");
  EXPECT_EQ(GalleryPagePath(v, 2, 2), "/www/Gallery2.html");
  EXPECT_EQ(ThumbnailPath(v, "a.png"), "/www/thumbs/Thumb-a.jpg");
  EXPECT_EQ(ImageFolder(v), "/www/images/");
}

TEST(Naming, SuffixModeFoldersAndInnerDots) {
  NamingValues v;
  v.isThumbPrefix = false;
  v.thumbPrefix = "_t";
  EXPECT_EQ(ThumbnailName(v, "beach.png"), "beach_t.jpg");
  EXPECT_EQ(ImagePageName(v, "my.holiday.gif"), "my.holiday.html");
  EXPECT_EQ(CleanImageName("my.holiday.gif"), "my.holiday");
  EXPECT_EQ(FolderUrl("pics\\small"), "pics/small/");
  EXPECT_EQ(FolderUrl(""), "");
  v.imageDir = "";
  EXPECT_EQ(ImageUrl(v, "x.jpg"), "x.jpg");
  v.baseDir = "/www/";
  EXPECT_EQ(ImageFolder(v), "/www/");
}

}  // namespace
}  // namespace fw
