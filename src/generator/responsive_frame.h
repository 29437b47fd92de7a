// How every page of the responsive layout opens and closes: an HTML5 head in UTF-8 with the
// viewport, the shared style sheet and script and the "Header Code" block; the body with its
// inline banner blocks and a header holding the page's title and header text; the credit line.
#pragma once

#include <string>
#include <vector>

namespace fw {

struct PageContext;

struct ResponsiveTopParts {
  std::string title;
  std::string bodyClass;                 // "gallery", "picture" or "gallery index"
  std::vector<std::string> bannerTexts;  // the texts whose bank markers need inline blocks
  std::string header;                    // the header text, bank markers not yet replaced
};

// Everything from the doctype to the end of the header, each line ended by CR LF.
std::string ResponsiveTop(PageContext& c, const ResponsiveTopParts& parts);
// The credit line of the program, linking to its home page.
const std::string& ResponsiveCreditLine();
inline constexpr const char* kResponsiveEnd = "</body>\r\n</html>\r\n";

// `url` (a naming rule's link or UrlPath's result) as the address of a link, picture or srcset
// candidate: with blanks encoded too, since a blank ends a srcset address and HTML5 allows
// none in a URL.
std::string PageUrl(const std::string& url);

// One link of a bar: `key` names the key that follows it (ArrowLeft, ArrowRight, Escape) or
// is empty; `rel` is "prev", "next" or empty. `href` is a URL already.
std::string BarLink(const std::string& href, const std::string& text, const char* rel,
                    const char* key);

}  // namespace fw
