// The Custom layout: gallery pages made from the user's own HTML template, each image
// placeholder taking the next picture and each thumbnail placeholder its thumbnail, and
// optionally one page per picture from a second template with Previous, Next and Gallery
// links. Nothing of the fixed layouts (index page, headers, navigation, banners) is written.
#pragma once

#include <string>

#include "generator/page_hooks.h"

namespace fw {

struct GallerySettings;
struct GallerySnapshot;

// A text file read whole: its lines joined by CR LF without a final line break; a missing
// file reads as "".
std::string ReadWholeText(const std::string& path);
// `text` and one CR LF, as a whole file (created or overwritten).
void WriteWholeText(const std::string& path, const std::string& text);

// CustomGalleryPrefix + page + "." + CustomGalleryExt, numbered also when there is one page.
std::string CustomGalleryPageName(const GallerySettings& g, int page);
// StripExtension(image) + "." + CustomGalleryExt.
std::string CustomImagePageName(const GallerySettings& g, const std::string& image);

// The message that ends a run whose gallery template cannot take a single picture: the
// template at `path` is missing or empty (`empty`), or holds no `placeholder`.
std::string NoImagePlaceholderMessage(const std::string& path, const std::string& placeholder,
                                      bool empty);

// The number of gallery pages the gallery's template fills with its pictures; 0 when the
// template holds no image placeholder (the run then ends with NoImagePlaceholderMessage).
int CustomPageCount(const GallerySnapshot& g);

class CustomTemplatePages : public CustomPages {
 public:
  // Writes the pages from the gallery's current values and leaves the number of the last
  // page in the run's page count. A template (missing, empty or otherwise) without the image
  // placeholder would never take a picture: the run then ends with an error naming it.
  void writePages(PageContext& context) override;
};

}  // namespace fw
