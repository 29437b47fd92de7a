#include "generator/framing.h"

#include "common/gallery_values.h"
#include "common/subs.h"
#include "generator/page_file.h"
#include "generator/site.h"

namespace fw {
namespace {

constexpr const char* kMargins =
    " leftmargin=\"0\" topmargin=\"0\" rightmargin=\"0\" bottommargin=\"0\" marginwidth=\"0\" "
    "marginheight=\"0\"";

std::string Colour(const GalleryValues& g, const char* name) {
  return ColorToHtml(static_cast<std::int32_t>(g.integer(name)));
}

std::string BackgroundAttribute(const GalleryValues& g) {
  const std::string image = g.text("GalleryBackImage");
  return image.empty() ? std::string() : " BACKGROUND=\"" + image + "\"";
}

std::string ColourAttributes(const GalleryValues& g, const char* back, const char* fore,
                             const char* link, const char* visited, const char* active) {
  return " BGCOLOR=\"" + Colour(g, back) + "\" TEXT=\"" + Colour(g, fore) + "\" LINK=\"" +
         Colour(g, link) + "\" VLINK=\"" + Colour(g, visited) + "\" ALINK=\"" +
         Colour(g, active) + "\"";
}

}  // namespace

void WritePageHead(PageFile& page, const GalleryValues& g, const std::string& title) {
  page.line("<HTML>");
  page.line("<HEAD>");
  page.line("<TITLE>" + title + "</TITLE>");
  page.line(g.section("Header Code"));
  page.line("</HEAD>");
}

std::string GalleryBodyTag(const GalleryValues& g) {
  std::string tag = "<BODY" + BackgroundAttribute(g) + kMargins;
  if (!g.flag("DefaultColors"))
    tag += ColourAttributes(g, "GalleryBackColor", "GalleryForeColor", "GalleryLinkColor",
                            "GalleryVisitedLinkColor", "GalleryActiveLinkColor");
  return tag + ">";
}

std::string ImageBodyTag(const GalleryValues& g) {
  if (g.flag("DefaultColors") || g.flag("UseGalleryColors")) return GalleryBodyTag(g);
  // The image's own colours never come with the gallery's background picture.
  return std::string("<BODY") + kMargins +
         ColourAttributes(g, "ImageBackColor", "ImageForeColor", "ImageLinkColor",
                          "ImageVisitedLinkColor", "ImageActiveLinkColor") +
         ">";
}

std::string CreditBannerLine() {
  return std::string(
             "<DIV ALIGN=\"center\"><FONT STYLE=\"color: #66CCFF; font-family: Arial, Helvetica, "
             "sans-serif; font-size: 11px; font-style: italic;\">Gallery created with </FONT><A "
             "HREF=\"") +
         kMakerSite +
         "/framewright/\" STYLE=\"background-color: Maroon; color: Yellow; font-family: Arial, "
         "Helvetica, sans-serif; font-weight: bold; font-style: italic; text-align: center; "
         "text-decoration: none;\" TITLE=\"Framewright HomePage\">&nbsp;Framewright&nbsp;</A></DIV>";
}

void WritePageEnd(PageFile& page) {
  page.line("</body>");
  page.line("</HTML>");
  page.close();
}

}  // namespace fw
