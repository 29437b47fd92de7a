#include "common/gallery_name.h"

#include "common/error.h"
#include "common/paths.h"

namespace fw {

bool IsGalleryName(std::string_view name) {
  return name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos && name != "." &&
         name != "..";
}

void CheckGalleryName(const std::string& name) {
  if (!IsGalleryName(name))
    throw Error("The gallery name \"" + name + "\" is not allowed. " + kGalleryNameRule);
}

std::string GalleryFile(const std::string& folder, const std::string& name) {
  CheckGalleryName(name);
  return AddBackslash(folder) + name + ".dat";
}

}  // namespace fw
