#include "generator/image_page.h"

#include <string>
#include <vector>

#include "common/gallery_values.h"
#include "common/naming.h"
#include "generator/extensions.h"
#include "generator/framing.h"
#include "generator/measure.h"
#include "generator/navigation.h"
#include "generator/page_context.h"
#include "generator/page_file.h"

namespace fw {

void WriteImagePage(PageContext& c, const std::string& image) {
  const GalleryValues& g = c.values;
  PageFile page(ImagePagePath(NamingValues::From(g), image));
  WritePageHead(page, g, g.text("ImageTitle"));
  page.line(ImageBodyTag(g));

  if (!g.flag("WriteScriptFile")) {
    const std::vector<std::string> texts = {g.section("Image Header"), g.section("Image Footer")};
    for (const std::string& block : c.banners.inlineBlocks(texts)) page.line(block);
  }
  page.line(c.banners.replaceMarkers(g.section("Image Header")));
  page.line("<P>");
  if (g.flag("ShowTopImageNavRow")) WriteImageNavBar(page, c, BarPlace::Top);

  page.line(
      "<TABLE ALIGN=\"CENTER\" BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\" "
      "BGCOLOR=\"White\"><TR ALIGN=\"CENTER\">");
  page.line("  <TD>");
  const ImageSize size = MeasureOrReport(c, ImageFolder(NamingValues::From(g)) + image, image);
  std::string img = "    <IMG src=\"" + ImageUrl(NamingValues::From(g), image) + "\" border=\"0\"";
  if (size.height > 0) img += " height=\"" + std::to_string(size.height) + "\"";
  if (size.width > 0) img += " width=\"" + std::to_string(size.width) + "\"";
  page.line(img + ">");
  if (g.flag("ImagePageShowImageName"))
    page.line("    <br><b><font color=\"black\">" + CleanImageName(image) + "</font></b><br>");
  page.line("  </TD>");
  page.line("</TR></TABLE>");

  if (!g.flag("DisableBanner")) page.line(CreditBannerLine());
  if (g.flag("ShowBottomImageNavRow")) {
    page.line("<P>");
    WriteImageNavBar(page, c, BarPlace::Bottom);
  }
  page.line(c.banners.replaceMarkers(g.section("Image Footer")));
  WritePageEnd(page);
}

}  // namespace fw
