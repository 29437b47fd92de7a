#include "images/image_io.h"
#include "generator/page_context.h"

namespace fw {
namespace {

constexpr int kThumbnailQuality = 75;

class ImageIoPictures : public Pictures {
 public:
  ImageSize size(const std::string& path) override { return GetImageSize(path); }
  bool makeThumbnail(Host& host, const std::string& source, const std::string& target,
                     int longestSide) override {
    return MakeScaledJpeg(host, source, target, longestSide, kThumbnailQuality, true);
  }
};

}  // namespace

Pictures& LibraryPictures() {
  static ImageIoPictures pictures;
  return pictures;
}

}  // namespace fw
