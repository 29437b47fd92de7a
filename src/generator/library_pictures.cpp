#include "generator/page_context.h"
#include "generator/responsive_names.h"
#include "images/image_io.h"

namespace fw {
namespace {

class ImageIoPictures : public Pictures {
 public:
  ImageSize size(const std::string& path) override {
    return GetImageSize(path, PictureKindOf(path));
  }
  std::optional<std::string> prepare(Host& host, const std::string& source, int longestSide,
                                     Sampler sampler) override {
    return LibraryThumbnails().prepare(host, source, longestSide, sampler);
  }
  bool write(Host& host, const std::string& target, const std::string& bytes) override {
    return LibraryThumbnails().write(host, target, bytes);
  }
  bool makeDisplayCopy(Host& host, const std::string& source, const std::string& target,
                       int longestSide) override {
    return MakeScaledJpeg(host, source, target, longestSide, kDisplayQuality, true,
                          Sampler::Smooth);
  }
};

}  // namespace

Pictures& LibraryPictures() {
  static ImageIoPictures pictures;
  return pictures;
}

}  // namespace fw
