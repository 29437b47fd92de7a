// Where the galleries live in the settings store: one key per gallery under "Galleries" of
// the settings root.
#pragma once

#include <string>

namespace fw {

inline std::string GalleriesKey(const std::string& settingsRoot) {
  return settingsRoot + "\\Galleries";
}

inline std::string GalleryKey(const std::string& settingsRoot, const std::string& gallery) {
  return GalleriesKey(settingsRoot) + "\\" + gallery;
}

}  // namespace fw
