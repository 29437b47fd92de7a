#include "common/naming.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

// The catalogue's defaults.
NamingValues Defaults(const std::string& baseDir) {
  return {baseDir, "images", "thumbs", "Thumb-", true, "Gallery", "html"};
}

TEST(Naming, DefaultsNameThumbnailsPagesAndUrls) {
  NamingValues v = Defaults("/srv/site");
  EXPECT_EQ(ThumbnailName(v, "my_dog.JPG"), "Thumb-my_dog.jpg");
  EXPECT_EQ(ThumbnailUrl(v, "my_dog.JPG"), "thumbs/Thumb-my_dog.jpg");
  EXPECT_EQ(ImageUrl(v, "my_dog.JPG"), "images/my_dog.JPG");
  EXPECT_EQ(ImagePageName(v, "my_dog.JPG"), "my_dog.html");
  EXPECT_EQ(CleanImageName("my_dog.JPG"), "my dog");
  EXPECT_EQ(GalleryPageName(v, 3, 7), "Gallery3.html");
  EXPECT_EQ(GalleryPageName(v, 1, 1), "Gallery.html");
  EXPECT_EQ(GalleryPageName(v, 1, 2), "Gallery1.html");
  EXPECT_EQ(ImageFolder(v), "/srv/site/images/");
  EXPECT_EQ(ThumbFolder(v), "/srv/site/thumbs/");
  EXPECT_EQ(ThumbnailPath(v, "a.png"), "/srv/site/thumbs/Thumb-a.jpg");
  EXPECT_EQ(GalleryPagePath(v, 2, 3), "/srv/site/Gallery2.html");
  EXPECT_EQ(ImagePagePath(v, "a.png"), "/srv/site/a.html");
}

TEST(Naming, SuffixModeAndInnerDots) {
  NamingValues v = Defaults("");
  v.thumbPrefix = "_t";
  v.isThumbPrefix = false;
  EXPECT_EQ(ThumbnailName(v, "beach.png"), "beach_t.jpg");
  v.isThumbPrefix = true;
  v.thumbPrefix = "Thumb-";
  EXPECT_EQ(ThumbnailName(v, "beach.png"), "Thumb-beach.jpg");
  EXPECT_EQ(ImagePageName(v, "my.holiday.gif"), "my.holiday.html");
  EXPECT_EQ(CleanImageName("my.holiday.gif"), "my.holiday");
  EXPECT_EQ(ThumbnailName(v, "x"), "Thumb-jpg");  // too short to cut: nothing is left of it
}

TEST(Naming, FolderUrlsAndEmptyFolders) {
  EXPECT_EQ(FolderUrl("pics\\small"), "pics/small/");
  EXPECT_EQ(FolderUrl("pics\\small\\"), "pics/small/");
  EXPECT_EQ(FolderUrl("pics/small"), "pics/small/");
  EXPECT_EQ(FolderUrl(""), "");
  NamingValues v = Defaults("/srv/site/");
  v.imageDir = "";
  v.thumbsDir = "";
  EXPECT_EQ(ImageUrl(v, "a.jpg"), "a.jpg");
  EXPECT_EQ(ThumbnailUrl(v, "a.jpg"), "Thumb-a.jpg");
  EXPECT_EQ(ImageFolder(v), "/srv/site/");
  EXPECT_EQ(ThumbFolder(v), "/srv/site/");
}

}  // namespace
}  // namespace fw
