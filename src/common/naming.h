// How thumbnails, pages and URLs are named, as pure functions of explicit values (a
// gallery's come from its snapshot: NamingOf in settings/gallery_snapshot.h).
#pragma once

#include <string>

namespace fw {

struct NamingValues {
  std::string baseDir;
  std::string imageDir;
  std::string thumbsDir;
  std::string thumbPrefix;
  bool isThumbPrefix = false;
  std::string galleryPrefix;
  std::string docExtension;
};

std::string ImageFolder(const NamingValues& v);  // AddBackslash(AddBackslash(BaseDir) + ImageDir)
std::string ThumbFolder(const NamingValues& v);
std::string ThumbnailName(const NamingValues& v, const std::string& image);
std::string ThumbnailPath(const NamingValues& v, const std::string& image);
std::string GalleryPageName(const NamingValues& v, int page, int pageCount);
std::string GalleryPagePath(const NamingValues& v, int page, int pageCount);
std::string ImagePageName(const NamingValues& v, const std::string& image);
std::string ImagePagePath(const NamingValues& v, const std::string& image);
std::string FolderUrl(const std::string& relativeFolder);
// The links a page writes to a thumbnail, a picture, an image page and a gallery page: the
// names above as URL paths (UrlPath in common/web_text.h), so that any name reaches its file.
std::string ThumbnailUrl(const NamingValues& v, const std::string& image);
std::string ImageUrl(const NamingValues& v, const std::string& image);
std::string ImagePageUrl(const NamingValues& v, const std::string& image);
std::string GalleryPageUrl(const NamingValues& v, int page, int pageCount);
std::string CleanImageName(const std::string& image);

// Thumbnails named with a prefix (or suffix) holding the path separator or ".." could land
// outside the thumbnail folder, over a picture even; runs that write thumbnails refuse them.
inline constexpr const char* kThumbPrefixMessage =
    "The thumbnail prefix or suffix may not contain \"/\" or \"..\".";
bool ThumbPrefixStaysInFolder(const std::string& thumbPrefix);

}  // namespace fw
