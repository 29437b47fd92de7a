#include "cli/gallery.h"

#include "common/subs.h"
#include "generator/layout.h"

namespace fw::cli {

int LoadedGallery::integer(std::string_view name) const {
  bool rows = EqualsNoCase(name, "Rows");
  if (!rows && !EqualsNoCase(name, "Columns")) return StoreGalleryValues::integer(name);
  Grid g = ApplyLimits(StoreGalleryValues::integer("Template"),
                       {StoreGalleryValues::integer("Rows"), StoreGalleryValues::integer("Columns")});
  return rows ? g.rows : g.columns;
}

std::unique_ptr<LoadedGallery> OpenGallery(Context& c, const std::string& gallery) {
  c.existingGalleryKey(gallery);
  return std::make_unique<LoadedGallery>(c.store(), c.root(), gallery, c.appFolder());
}

}  // namespace fw::cli
