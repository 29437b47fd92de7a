#include "settings/gallery_snapshot.h"

#include <algorithm>

#include "common/gallery_values.h"
#include "common/text.h"
#include "settings/textblock.h"

namespace fw {

GallerySettings ReadSettings(const GalleryValues& source) {
  GallerySettings s;
#define FW_FLAG(scope, name, ...) s.name = source.flag(#name);
#define FW_SPIN(scope, name, ...) s.name = source.integer(#name);
#define FW_NUMBER(scope, name, ...) s.name = source.integer(#name);
#define FW_COLOUR(scope, name, ...) s.name = source.integer(#name);
#define FW_TEXT(scope, name, ...) s.name = source.text(#name);
#include "settings/catalogue.def"
  return s;
}

GallerySnapshot TakeSnapshot(const GalleryValues& source) {
  GallerySnapshot s;
  static_cast<GallerySettings&>(s) = ReadSettings(source);
#define FW_TEXT_BLOCK_READ(field, sectionName) s.texts.field = source.section(sectionName);
  FW_TEXT_BLOCKS(FW_TEXT_BLOCK_READ)
#undef FW_TEXT_BLOCK_READ
  std::vector<std::string> banks = SplitLines(source.section(kBankListSection));
  SortBankNames(banks);
  for (std::string& name : banks) {
    std::string text = source.section(name);
    s.banks.push_back({std::move(name), std::move(text)});
  }
  s.images = source.images();
  s.galleryName = source.galleryName();
  s.galleryKey = source.galleryKey();
  s.appFolder = source.appFolder();
  return s;
}

NamingValues NamingOf(const GallerySettings& s) {
  return {s.BaseDir,       s.ImageDir,    s.ThumbsDir, s.ThumbPrefix, s.IsThumbPrefix != 0,
          s.GalleryPrefix, s.DocExtension};
}

void SortBankNames(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return LowerAscii(a) < LowerAscii(b);
  });
}

}  // namespace fw
