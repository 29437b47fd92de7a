// A gallery as the window would show it right after loading it, read from the store:
// catalogue defaults, spin values bounded, and the layout's Rows/Columns limits applied
// (nothing of that is written back).
#pragma once

#include <memory>
#include <string>

#include "cli/context.h"
#include "images/store_gallery_values.h"

namespace fw::cli {

class LoadedGallery : public StoreGalleryValues {
 public:
  using StoreGalleryValues::StoreGalleryValues;
  int integer(std::string_view name) const override;
};

// Throws when the gallery is not in the store.
std::unique_ptr<LoadedGallery> OpenGallery(Context& c, const std::string& gallery);

}  // namespace fw::cli
