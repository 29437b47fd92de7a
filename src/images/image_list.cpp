// The reload of the image list. Thumbnails may share the image folder (when the thumbnail and
// image subfolders coincide), so the JPEG group leaves out every name that looks like one;
// the other formats never get thumbnails of their own kind and are all listed.
#include "images/image_list.h"

#include <algorithm>

#include "common/fs.h"
#include "common/naming.h"
#include "common/paths.h"
#include "common/text.h"
#include "settings/gallery_snapshot.h"

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

ImageScanValues ImageScanValues::From(const GallerySettings& s) {
  return {s.BaseDir, s.ThumbPrefix, s.IsThumbPrefix == 1, s.Sorted, s.ListWebPictures};
}

bool IsThumbnailName(const std::string& name, const std::string& thumbPrefix, bool isThumbPrefix) {
  if (isThumbPrefix) return name.find(thumbPrefix) != std::string::npos;
  return EndsWith(name, thumbPrefix + ".jpg");
}

void SortImageNames(std::vector<std::string>& names) {
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(names.size());
  for (std::string& n : names) keyed.emplace_back(LowerAscii(n), std::move(n));
  std::sort(keyed.begin(), keyed.end());
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::move(keyed[i].second);
}

std::vector<std::string> ScanImageList(const std::string& imageFolder, const ImageScanValues& v) {
  std::vector<std::string> list;
  if (Blank(v.baseDir)) return list;
  const char* const masks[] = {"*.bmp", "*.gif", "*.png", "*.jpg"};
  auto groups = fs::ListMasks(AddBackslash(imageFolder), masks);
  for (std::size_t m = 0; m + 1 < groups.size(); ++m)
    list.insert(list.end(), groups[m].begin(), groups[m].end());
  for (auto& name : groups.back())
    if (!IsThumbnailName(name, v.thumbPrefix, v.isThumbPrefix)) list.push_back(std::move(name));
  if (v.webPictures) {
    const char* const web[] = {"*.jpeg", "*.webp", "*.avif"};
    for (auto& group : fs::ListMasks(AddBackslash(imageFolder), web))
      list.insert(list.end(), group.begin(), group.end());
  }
  if (v.sorted) SortImageNames(list);
  return list;
}

std::vector<std::string> ScanImageList(const GallerySettings& s) {
  return ScanImageList(ImageFolder(NamingOf(s)), ImageScanValues::From(s));
}

std::string ImageCountLabel(int images, int pages) {
  return "Images:" + std::to_string(images) + "  Pages:" + std::to_string(pages);
}

}  // namespace fw
