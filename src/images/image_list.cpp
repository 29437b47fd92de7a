// The reload of the image list. Thumbnails may share the image folder (when the thumbnail and
// image subfolders coincide), so the JPEG group leaves out every name that looks like one;
// the other formats never get thumbnails of their own kind and are all listed.
#include "images/image_list.h"

#include <algorithm>

#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/naming.h"
#include "common/subs.h"

namespace fw {

namespace {

bool Blank(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

ImageScanValues ImageScanValues::From(const GalleryValues& g) {
  ImageScanValues v;
  v.baseDir = g.text("BaseDir");
  v.thumbPrefix = g.text("ThumbPrefix");
  v.isThumbPrefix = g.integer("IsThumbPrefix") == 1;
  v.sorted = g.flag("Sorted");
  return v;
}

bool IsThumbnailName(const std::string& name, const std::string& thumbPrefix, bool isThumbPrefix) {
  if (isThumbPrefix) return name.find(thumbPrefix) != std::string::npos;
  return EndsWith(name, thumbPrefix + ".jpg");
}

void SortImageNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    std::string la = LowerAscii(a), lb = LowerAscii(b);
    return la != lb ? la < lb : a < b;
  });
}

std::vector<std::string> ScanImageList(const std::string& imageFolder, const ImageScanValues& v) {
  std::vector<std::string> list;
  if (Blank(v.baseDir)) return list;
  const std::string folder = AddBackslash(imageFolder);
  for (const char* mask : {"*.bmp", "*.gif", "*.png"}) {
    auto names = fs::ListMask(folder, mask);
    list.insert(list.end(), names.begin(), names.end());
  }
  for (auto& name : fs::ListMask(folder, "*.jpg"))
    if (!IsThumbnailName(name, v.thumbPrefix, v.isThumbPrefix)) list.push_back(std::move(name));
  if (v.sorted) SortImageNames(list);
  return list;
}

std::vector<std::string> ScanImageList(const GalleryValues& g) {
  return ScanImageList(ImageFolder(NamingValues::From(g)), ImageScanValues::From(g));
}

std::string ImageCountLabel(int images, int pages) {
  return "Images:" + std::to_string(images) + "  Pages:" + std::to_string(pages);
}

}  // namespace fw
