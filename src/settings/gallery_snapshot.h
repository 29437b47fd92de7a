// The gallery a command works on, taken once when the command starts: every catalogue value,
// the text blocks, the banner banks and the image list. The controls a command reads are
// disabled while it runs, so the snapshot is what the user sees; a command never reads a value
// twice, and whatever is worked out from the snapshot (names, colours, folders) is worked out
// once. The fields are generated from the catalogue rows, so a misspelt value name does not
// compile.
#pragma once

#include <string>
#include <vector>

#include "common/naming.h"

namespace fw {

class GalleryValues;

// Every value kept under a gallery key, with its catalogue default.
struct GallerySettings {
#define FW_FLAG(scope, name, def, ...) bool name = def;
#define FW_SPIN(scope, name, def, ...) int name = def;
#define FW_NUMBER(scope, name, def, ...) int name = def;
#define FW_COLOUR(scope, name, def, ...) int name = def;
#define FW_TEXT(scope, name, def, ...) std::string name = def;
#include "settings/catalogue.def"

  bool operator==(const GallerySettings&) const = default;
};

// The sections of the text-block file that have a memo of their own. Rows:
// X(field and memo name, section name).
#define FW_TEXT_BLOCKS(X)            \
  X(GalleryHeader, "Gallery Header") \
  X(GalleryFooter, "Gallery Footer") \
  X(GalleryText3, "Gallery Text3")   \
  X(GalleryText4, "Gallery Text4")   \
  X(ImageHeader, "Image Header")     \
  X(ImageFooter, "Image Footer")     \
  X(IndexHeader, "Index Header")     \
  X(IndexFooter, "Index Footer")     \
  X(HeaderCode, "Header Code")

// Each text block as its section reads: lines joined by CR LF, the last one ended too.
struct TextBlocks {
#define FW_TEXT_BLOCK_FIELD(name, section) std::string name;
  FW_TEXT_BLOCKS(FW_TEXT_BLOCK_FIELD)
#undef FW_TEXT_BLOCK_FIELD

  bool operator==(const TextBlocks&) const = default;
};

// The section that lists a gallery's banner banks, one name a line.
inline constexpr const char* kBankListSection = "Banner Banks";

struct BannerBank {
  std::string name;
  std::string text;  // the bank's own section

  bool operator==(const BannerBank&) const = default;
};

struct GallerySnapshot : GallerySettings {
  TextBlocks texts;
  std::vector<BannerBank> banks;    // in list order (sorted without regard to case)
  std::vector<std::string> images;  // the image list, in list order
  std::string galleryName;
  std::string galleryKey;
  std::string appFolder;  // with its trailing separator

  bool operator==(const GallerySnapshot&) const = default;
};

// The values as `source` holds them now, each read once.
GallerySettings ReadSettings(const GalleryValues& source);
// Values, text blocks, banks and image list as `source` holds them now, each read once.
GallerySnapshot TakeSnapshot(const GalleryValues& source);

// The gallery's naming values.
NamingValues NamingOf(const GallerySettings& s);

// Bank names in the order the bank list shows them: sorted without regard to case, names
// that differ only in case in their stored order.
void SortBankNames(std::vector<std::string>& names);

}  // namespace fw
