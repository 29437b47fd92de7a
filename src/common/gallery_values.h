// Read access to the current gallery, value by value, at the moment a command needs it.
// The window reads its bound controls; the CLI and tests read the store and text-block file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fw {

class GalleryValues {
 public:
  virtual ~GalleryValues() = default;
  // A gallery value by its value name (names compare without regard to ASCII case).
  virtual std::string text(std::string_view name) const = 0;
  virtual int integer(std::string_view name) const = 0;
  virtual bool flag(std::string_view name) const = 0;
  // A text block of the gallery's text-block file, lines joined by CR LF.
  virtual std::string section(std::string_view name) const = 0;
  // The image list in list order (bare file names).
  virtual std::vector<std::string> images() const = 0;
  // Rebuilds the image list from the image folder (after runs that change the folder).
  virtual void reloadImages() = 0;
  // The gallery's name and its key path in the store.
  virtual std::string galleryName() const = 0;
  virtual std::string galleryKey() const = 0;
  // The application folder, with its trailing separator.
  virtual std::string appFolder() const = 0;
};

}  // namespace fw
