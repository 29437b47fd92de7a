#include "generator/responsive_pictures.h"

#include <cstdlib>
#include <exception>
#include <string>

#include "common/fs.h"
#include "common/host.h"
#include "common/paths.h"
#include "common/rounding.h"
#include "generator/listed_pictures.h"
#include "generator/page_context.h"
#include "generator/responsive_names.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

// The longest side that makes a picture of `size` kDisplayWidth wide.
int DisplayLongestSide(ImageSize size) {
  if (size.width >= size.height) return kDisplayWidth;
  return static_cast<int>(
      RoundHalfEven(static_cast<long double>(size.height) * kDisplayWidth / size.width));
}

}  // namespace

void MakeResponsivePictures(PageContext& c) {
  const GallerySnapshot& g = c.values;
  const NamingValues names = NamingOf(g);
  const std::string imageFolder = ImageFolder(names), thumbFolder = ThumbFolder(names);
  const ListedPictures listed(g);
  auto mayWrite = [&](const std::string& name) {
    return !listed.isPicture(name);
  };
  // A double thumbnail is kept while it is twice its thumbnail's size: Thumbs makes the
  // thumbnails afresh (at a new ThumbSize, say) and leaves it as it was.
  auto doubleWanted = [&](const std::string& image, const std::string& twice) {
    if (!mayWrite(twice)) return false;
    if (!fs::Exists(thumbFolder + twice)) return true;
    const ImageSize one = c.pictures.size(ThumbnailPath(names, image));
    const ImageSize two = c.pictures.size(thumbFolder + twice);
    return std::abs(two.width - 2 * one.width) > 1 || std::abs(two.height - 2 * one.height) > 1;
  };
  const int count = static_cast<int>(g.images.size());
  for (int n = 1; n <= count; ++n) {
    const std::string& image = g.images[static_cast<std::size_t>(n - 1)];
    const std::string picture = imageFolder + image;
    const std::string twice = DoubleThumbnailName(names, image);
    const std::string copy = DisplayCopyName(names, image);
    if (!fs::Exists(picture)) continue;
    const std::string status =
        "Creating thumbnail " + std::to_string(n) + " of " + std::to_string(count);
    try {
      if (doubleWanted(image, twice)) {
        c.host.status(status);
        const Sampler sampler = g.SmoothPictures ? Sampler::Smooth : Sampler::Point;
        if (auto bytes = c.pictures.prepare(c.host, picture, 2 * g.ThumbSize, sampler))
          c.pictures.write(c.host, thumbFolder + twice, *bytes);
      }
      if (mayWrite(copy) && !fs::Exists(thumbFolder + copy)) {
        const ImageSize size = c.pictures.size(picture);
        if (size.width > kDisplayWidth) {
          c.host.status(status);
          c.pictures.makeDisplayCopy(c.host, picture, thumbFolder + copy, DisplayLongestSide(size));
        }
      }
    } catch (const std::exception&) {
      // The thumbnail pass has told the user of every picture it could not read; pages offer
      // only the extra pictures that exist.
    }
    c.host.processEvents();
  }
}

}  // namespace fw
