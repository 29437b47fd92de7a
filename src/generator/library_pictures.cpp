#include "generator/page_context.h"
#include "images/image_io.h"

namespace fw {
namespace {

constexpr int kThumbnailQuality = 75;

class ImageIoPictures : public Pictures {
 public:
  ImageSize size(const std::string& path) override {
    return GetImageSize(path, PictureKindOf(path));
  }
  bool makeThumbnail(Host& host, const std::string& source, const std::string& target,
                     int longestSide) override {
    return MakeScaledJpeg(host, source, PictureKindOf(source), target, longestSide,
                          kThumbnailQuality, true);
  }
  std::optional<std::string> prepare(const std::string& source, int longestSide) override {
    return ScaledJpegData(source, PictureKindOf(source), longestSide, kThumbnailQuality, true);
  }
  bool write(Host& host, const std::string& target, const std::string& bytes) override {
    return WriteScaledJpeg(host, target, bytes);
  }
};

}  // namespace

Pictures& LibraryPictures() {
  static ImageIoPictures pictures;
  return pictures;
}

}  // namespace fw
