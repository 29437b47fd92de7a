// Gallery values read straight from the settings store and the gallery's text-block file:
// what the CLI and tests take their snapshots from where the window reads its controls. Every
// call reads the store afresh, except the image list, which is kept until reloadImages().
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/gallery_name.h"
#include "common/gallery_values.h"

namespace fw {

class Store;

class StoreGalleryValues : public GalleryValues {
 public:
  // `settingsRoot` as chosen by SettingsRootFor; `appFolder` with or without its trailing
  // separator (the text-block file is appFolder + galleryName + ".dat").
  StoreGalleryValues(const Store& store, std::string settingsRoot, std::string galleryName,
                     std::string appFolder);

  // Catalogue values come with their catalogue default, and spin values are held within the
  // spin's range as the window's control would hold them. Names outside the catalogue read
  // with "" / 0 / false as default.
  std::string text(std::string_view name) const override;
  int integer(std::string_view name) const override;
  bool flag(std::string_view name) const override;
  std::string section(std::string_view name) const override;
  // The image list; scanned on first use and after reloadImages().
  std::vector<std::string> images() const override;
  void reloadImages() override;
  std::string galleryName() const override { return name_; }
  std::string galleryKey() const override { return key_; }
  std::string appFolder() const override { return appFolder_; }

  // Raises for a name that would put the file outside the application folder.
  std::string textBlockFile() const { return GalleryFile(appFolder_, name_); }

 private:
  const Store& store_;
  std::string root_, name_, key_, appFolder_;
  mutable std::optional<std::vector<std::string>> images_;
};

}  // namespace fw
