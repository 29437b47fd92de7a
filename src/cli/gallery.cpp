#include "cli/gallery.h"

#include "common/text.h"
#include "generator/layout.h"
#include "settings/catalogue.h"

namespace fw::cli {

int LoadedGallery::integer(std::string_view name) const {
  bool rows = EqualsNoCase(name, value::Rows);
  if (!rows && !EqualsNoCase(name, value::Columns)) return StoreGalleryValues::integer(name);
  Grid g = ApplyLimits(
      StoreGalleryValues::integer(value::Template),
      {StoreGalleryValues::integer(value::Rows), StoreGalleryValues::integer(value::Columns)});
  return rows ? g.rows : g.columns;
}

std::unique_ptr<LoadedGallery> OpenGallery(Context& c, const std::string& gallery) {
  c.existingGalleryKey(gallery);
  return std::make_unique<LoadedGallery>(c.store(), c.root(), gallery, c.appFolder());
}

}  // namespace fw::cli
