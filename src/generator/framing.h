// How every generated page opens and closes: the page head, the two BODY tags, the credit
// banner line and the page end.
#pragma once

#include <string>

namespace fw {

class GalleryValues;
class PageFile;

// "<HTML>", "<HEAD>", the title, the "Header Code" block and "</HEAD>".
void WritePageHead(PageFile& page, const GalleryValues& g, const std::string& title);
// The BODY tag of gallery pages and the index page.
std::string GalleryBodyTag(const GalleryValues& g);
// The BODY tag of image pages.
std::string ImageBodyTag(const GalleryValues& g);
// The line that credits the program, linking to its home page.
std::string CreditBannerLine();
// "</body>", "</HTML>", then the file is closed.
void WritePageEnd(PageFile& page);

}  // namespace fw
