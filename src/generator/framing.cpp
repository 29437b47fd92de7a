#include "generator/framing.h"

#include "common/colours.h"
#include "common/site.h"
#include "generator/page_file.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

constexpr const char* kMargins =
    " leftmargin=\"0\" topmargin=\"0\" rightmargin=\"0\" bottommargin=\"0\" marginwidth=\"0\" "
    "marginheight=\"0\"";

std::string BackgroundAttribute(const GallerySettings& g) {
  return g.GalleryBackImage.empty() ? std::string() : " BACKGROUND=\"" + g.GalleryBackImage + "\"";
}

std::string ColourAttributes(int back, int fore, int link, int visited, int active) {
  return " BGCOLOR=\"" + ColorToHtml(back) + "\" TEXT=\"" + ColorToHtml(fore) + "\" LINK=\"" +
         ColorToHtml(link) + "\" VLINK=\"" + ColorToHtml(visited) + "\" ALINK=\"" +
         ColorToHtml(active) + "\"";
}

}  // namespace

std::string PageHead(const GallerySnapshot& g, const std::string& title) {
  return "<HTML>\r\n<HEAD>\r\n<TITLE>" + title + "</TITLE>\r\n" + g.texts.HeaderCode +
         "\r\n</HEAD>\r\n";
}

void WritePageHead(PageFile& page, const GallerySnapshot& g, const std::string& title) {
  page.write(PageHead(g, title));
}

std::string GalleryBodyTag(const GallerySettings& g) {
  std::string tag = "<BODY" + BackgroundAttribute(g) + kMargins;
  if (!g.DefaultColors)
    tag += ColourAttributes(g.GalleryBackColor, g.GalleryForeColor, g.GalleryLinkColor,
                            g.GalleryVisitedLinkColor, g.GalleryActiveLinkColor);
  return tag + ">";
}

std::string ImageBodyTag(const GallerySettings& g) {
  if (g.DefaultColors || g.UseGalleryColors) return GalleryBodyTag(g);
  // The image's own colours never come with the gallery's background picture.
  return std::string("<BODY") + kMargins +
         ColourAttributes(g.ImageBackColor, g.ImageForeColor, g.ImageLinkColor,
                          g.ImageVisitedLinkColor, g.ImageActiveLinkColor) +
         ">";
}

const std::string& CreditBannerLine() {
  static const std::string line =
      std::string(
          "<DIV ALIGN=\"center\"><FONT STYLE=\"color: #66CCFF; font-family: Arial, Helvetica, "
          "sans-serif; font-size: 11px; font-style: italic;\">Gallery created with </FONT><A "
          "HREF=\"") +
      kMakerSite +
      "/framewright/\" STYLE=\"background-color: Maroon; color: Yellow; font-family: Arial, "
      "Helvetica, sans-serif; font-weight: bold; font-style: italic; text-align: center; "
      "text-decoration: none;\" TITLE=\"Framewright HomePage\">&nbsp;Framewright&nbsp;</A></DIV>";
  return line;
}

void WritePageEnd(PageFile& page) {
  page.line("</body>");
  page.line("</HTML>");
  page.close();
}

}  // namespace fw
