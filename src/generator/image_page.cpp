#include "generator/image_page.h"

#include <string>
#include <vector>

#include "common/web_text.h"
#include "generator/framing.h"
#include "generator/measure.h"
#include "generator/page_context.h"
#include "generator/page_file.h"
#include "generator/page_hooks.h"
#include "settings/gallery_snapshot.h"

namespace fw {

ImagePageWriter::ImagePageWriter(PageContext& c)
    : c_(c), names_(NamingOf(c.values)), imageFolder_(ImageFolder(names_)), bar_(c) {
  const GallerySnapshot& g = c.values;
  top_ = PageHead(g, g.ImageTitle) + ImageBodyTag(g) + "\r\n";
  if (!g.WriteScriptFile)
    for (const std::string& block :
         c.banners.inlineBlocks({g.texts.ImageHeader, g.texts.ImageFooter}))
      top_ += block + "\r\n";
  top_ += c.banners.replaceMarkers(g.texts.ImageHeader) + "\r\n<P>\r\n";
  bottom_ = c.banners.replaceMarkers(g.texts.ImageFooter) + "\r\n</body>\r\n</HTML>\r\n";
}

void ImagePageWriter::write(const std::string& image) {
  const GallerySnapshot& g = c_.values;
  PageFile page(ImagePagePath(names_, image), PageFile::Kind::Page);
  page.write(top_);
  if (g.ShowTopImageNavRow) bar_.write(page, c_, BarPlace::Top);

  page.line(
      "<TABLE ALIGN=\"CENTER\" BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\" "
      "BGCOLOR=\"White\"><TR ALIGN=\"CENTER\">");
  page.line("  <TD>");
  const ImageSize size = MeasureOrReport(c_, imageFolder_ + image, image);
  std::string img = "    <IMG src=\"" + ImageUrl(names_, image) + "\" border=\"0\"";
  if (size.height > 0) img += " height=\"" + std::to_string(size.height) + "\"";
  if (size.width > 0) img += " width=\"" + std::to_string(size.width) + "\"";
  page.line(img + ">");
  if (g.ImagePageShowImageName)
    page.line("    <br><b><font color=\"black\">" + HtmlEscape(CleanImageName(image)) +
              "</font></b><br>");
  page.line("  </TD>");
  page.line("</TR></TABLE>");

  if (!g.DisableBanner) page.line(CreditBannerLine());
  if (g.ShowBottomImageNavRow) {
    page.line("<P>");
    bar_.write(page, c_, BarPlace::Bottom);
  }
  page.write(bottom_);
  page.close();
}

void WriteImagePage(PageContext& c, const std::string& image) { ImagePageWriter(c).write(image); }

}  // namespace fw
