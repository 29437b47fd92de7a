// Gallery values over the settings store. The bounding of spin values mirrors what the
// window's spin editors do to a loaded value, so a command run from the CLI sees the same
// numbers as one run from the window.
#include "images/store_gallery_values.h"

#include <utility>

#include "common/paths.h"
#include "images/image_list.h"
#include "settings/catalogue.h"
#include "settings/gallery_keys.h"
#include "settings/gallery_snapshot.h"
#include "settings/store.h"
#include "settings/textblock.h"

namespace fw {

StoreGalleryValues::StoreGalleryValues(const Store& store, std::string settingsRoot,
                                       std::string galleryName, std::string appFolder)
    : store_(store),
      root_(std::move(settingsRoot)),
      name_(std::move(galleryName)),
      key_(GalleryKey(root_, name_)),
      appFolder_(AddBackslash(appFolder)) {}

std::string StoreGalleryValues::text(std::string_view name) const {
  const CatalogueEntry* e = FindGalleryValue(name);
  return store_.RegReadString(key_, std::string(name), e ? e->defaultText : std::string());
}

int StoreGalleryValues::integer(std::string_view name) const {
  const CatalogueEntry* e = FindGalleryValue(name);
  int v = store_.RegReadInteger(key_, std::string(name), e ? e->defaultInt : 0);
  return e ? e->bound(v) : v;
}

bool StoreGalleryValues::flag(std::string_view name) const {
  const CatalogueEntry* e = FindGalleryValue(name);
  return store_.RegReadBool(key_, std::string(name), e && e->defaultInt != 0);
}

std::string StoreGalleryValues::section(std::string_view name) const {
  return ReadSection(textBlockFile(), std::string(name));
}

std::vector<std::string> StoreGalleryValues::images() const {
  if (!images_) images_ = ScanImageList(ReadSettings(*this));
  return *images_;
}

void StoreGalleryValues::reloadImages() { images_ = ScanImageList(ReadSettings(*this)); }

}  // namespace fw
