#include "generator/listed_pictures.h"

#include "common/fs.h"
#include "common/naming.h"
#include "common/paths.h"
#include "settings/gallery_snapshot.h"

namespace fw {

ListedPictures::ListedPictures(const GallerySnapshot& g) {
  const NamingValues names = NamingOf(g);
  realThumbFolder_ = AddBackslash(fs::RealPath(ThumbFolder(names)));
  const std::string folder = AddBackslash(fs::RealPath(ImageFolder(names)));
  for (const std::string& image : g.images) paths_.insert(folder + image);
}

bool ListedPictures::isPicture(const std::string& name) const {
  return paths_.count(realThumbFolder_ + name) != 0;
}

}  // namespace fw
