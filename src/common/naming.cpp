#include "common/naming.h"

#include "common/paths.h"
#include "common/text.h"
#include "common/web_text.h"

namespace fw {

namespace {

// The image name without its last n characters (image names end in a dot and three letters).
std::string CutEnd(const std::string& image, std::size_t n) {
  return image.size() > n ? image.substr(0, image.size() - n) : std::string();
}

}  // namespace

std::string ImageFolder(const NamingValues& v) {
  return AddBackslash(AddBackslash(v.baseDir) + v.imageDir);
}

std::string ThumbFolder(const NamingValues& v) {
  return AddBackslash(AddBackslash(v.baseDir) + v.thumbsDir);
}

std::string ThumbnailName(const NamingValues& v, const std::string& image) {
  // The thumbnail is always a JPEG, named with a lower-case extension.
  if (v.isThumbPrefix) return v.thumbPrefix + CutEnd(image, 3) + "jpg";
  return CutEnd(image, 4) + v.thumbPrefix + ".jpg";
}

std::string ThumbnailPath(const NamingValues& v, const std::string& image) {
  return ThumbFolder(v) + ThumbnailName(v, image);
}

std::string GalleryPageName(const NamingValues& v, int page, int pageCount) {
  return v.galleryPrefix + (pageCount == 1 ? std::string() : std::to_string(page)) + "." +
         v.docExtension;
}

std::string GalleryPagePath(const NamingValues& v, int page, int pageCount) {
  return AddBackslash(v.baseDir) + GalleryPageName(v, page, pageCount);
}

std::string ImagePageName(const NamingValues& v, const std::string& image) {
  return CutEnd(image, 4) + "." + v.docExtension;
}

std::string ImagePagePath(const NamingValues& v, const std::string& image) {
  return AddBackslash(v.baseDir) + ImagePageName(v, image);
}

std::string FolderUrl(const std::string& relativeFolder) {
  if (relativeFolder.empty()) return "";
  // Backslashes turn into slashes first, so a setting typed with a trailing backslash still
  // ends in exactly one slash.
  std::string url = ReplaceAll(relativeFolder, "\\", "/");
  if (url.back() != '/') url += '/';
  return url;
}

std::string ThumbnailUrl(const NamingValues& v, const std::string& image) {
  return UrlPath(FolderUrl(v.thumbsDir) + ThumbnailName(v, image));
}

std::string ImageUrl(const NamingValues& v, const std::string& image) {
  return UrlPath(FolderUrl(v.imageDir) + image);
}

std::string ImagePageUrl(const NamingValues& v, const std::string& image) {
  return UrlPath(ImagePageName(v, image));
}

std::string GalleryPageUrl(const NamingValues& v, int page, int pageCount) {
  return UrlPath(GalleryPageName(v, page, pageCount));
}

std::string CleanImageName(const std::string& image) {
  return ReplaceAll(StripExtension(image), "_", " ");
}

bool ThumbPrefixStaysInFolder(const std::string& thumbPrefix) {
  return thumbPrefix.find('/') == std::string::npos && thumbPrefix.find("..") == std::string::npos;
}

}  // namespace fw
