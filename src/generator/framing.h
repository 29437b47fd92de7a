// How every generated page opens and closes: the page head, the two BODY tags, the credit
// banner line and the page end.
#pragma once

#include <string>

namespace fw {

class PageFile;
struct GallerySettings;
struct GallerySnapshot;

// "<HTML>", "<HEAD>", the title, the "Header Code" block and "</HEAD>", each line ended.
std::string PageHead(const GallerySnapshot& g, const std::string& title);
void WritePageHead(PageFile& page, const GallerySnapshot& g, const std::string& title);
// The BODY tag of gallery pages and the index page.
std::string GalleryBodyTag(const GallerySettings& g);
// The BODY tag of image pages.
std::string ImageBodyTag(const GallerySettings& g);
// The line that credits the program, linking to its home page.
const std::string& CreditBannerLine();
// "</body>", "</HTML>", then the file is closed.
void WritePageEnd(PageFile& page);

}  // namespace fw
