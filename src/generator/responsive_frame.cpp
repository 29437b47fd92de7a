#include "generator/responsive_frame.h"

#include "common/site.h"
#include "common/text.h"
#include "generator/page_context.h"
#include "generator/page_hooks.h"
#include "generator/responsive_assets.h"
#include "settings/gallery_snapshot.h"

namespace fw {

std::string ResponsiveTop(PageContext& c, const ResponsiveTopParts& parts) {
  const GallerySnapshot& g = c.values;
  // The program's own texts are English; a gallery's texts say nothing of their language.
  // The empty icon keeps browsers from asking the server for one the site does not have.
  std::string top =
      "<!doctype html>\r\n<html lang=\"en\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n<title>" +
      parts.title +
      "</title>\r\n<link rel=\"icon\" href=\"data:,\">\r\n<link rel=\"stylesheet\" href=\"" +
      kStyleFile + "\">\r\n<script src=\"" + kScriptFile + "\" defer></script>\r\n" +
      g.texts.HeaderCode + "\r\n</head>\r\n<body class=\"" + parts.bodyClass + "\">\r\n";
  if (!g.WriteScriptFile)
    for (const std::string& block : c.banners.inlineBlocks(parts.bannerTexts)) top += block;
  return top + "<header>\r\n<h1>" + parts.title + "</h1>\r\n" +
         c.banners.replaceMarkers(parts.header) + "\r\n</header>\r\n";
}

const std::string& ResponsiveCreditLine() {
  static const std::string line =
      std::string("<p class=\"credit\">Gallery created with <a href=\"") + kMakerSite +
      "/framewright/\" title=\"Framewright HomePage\">&nbsp;"
      "Framewright&nbsp;</a></p>";
  return line;
}

std::string PageUrl(const std::string& url) { return ReplaceAll(url, " ", "%20"); }

std::string BarLink(const std::string& href, const std::string& text, const char* rel,
                    const char* key) {
  std::string a = "<a href=\"" + href + "\"";
  if (*rel) a += std::string(" rel=\"") + rel + "\"";
  if (*key) a += std::string(" data-key=\"") + key + "\"";
  return a + ">" + text + "</a>";
}

}  // namespace fw
