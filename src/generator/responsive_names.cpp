#include "generator/responsive_names.h"

namespace fw {

std::string MarkedName(const std::string& image, const char* marker) {
  const std::size_t cut = image.size() >= 4 ? image.size() - 4 : 0;
  return image.substr(0, cut) + marker + image.substr(cut);
}

std::string DoubleThumbnailName(const NamingValues& v, const std::string& image) {
  return ThumbnailName(v, MarkedName(image, kDoubleMarker));
}

std::string DisplayCopyName(const NamingValues& v, const std::string& image) {
  return ThumbnailName(v, MarkedName(image, kDisplayMarker));
}

}  // namespace fw
