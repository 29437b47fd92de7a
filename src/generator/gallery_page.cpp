#include "generator/gallery_page.h"

#include <string>
#include <vector>

#include "common/gallery_values.h"
#include "common/naming.h"
#include "common/subs.h"
#include "generator/extensions.h"
#include "generator/framing.h"
#include "generator/image_page.h"
#include "generator/measure.h"
#include "generator/navigation.h"
#include "generator/page_context.h"
#include "generator/page_file.h"
#include "generator/walk.h"

namespace fw {
namespace {

std::string Colour(const GalleryValues& g, const char* name) {
  return ColorToHtml(static_cast<std::int32_t>(g.integer(name)));
}

// The texts of a gallery page that may carry bank markers.
constexpr const char* kMarkedTexts[] = {"Gallery Header", "Gallery Footer", "Gallery Text3",
                                        "Gallery Text4"};

class GallerySink : public WalkSink {
 public:
  GallerySink(PageFile& page, PageContext& c) : page_(page), c_(c) {}

  void textRow(int colspan) override {
    page_.line("<TR><TD colspan=\"" + std::to_string(colspan) + "\"" + areaColours() + ">");
    page_.line(c_.banners.replaceMarkers(c_.values.section("Gallery Text3")));
    page_.line("</TD></TR>");
  }

  void openRow() override { page_.line("<TR ALIGN=\"CENTER\">"); }

  void textArea(const TextArea& a) override {
    std::string spans;
    switch (a.shape) {
      case TextArea::Shape::RowAndColumnSpan:
        spans = "rowspan=\"" + std::to_string(a.rowspan) + "\" colspan=\"" +
                std::to_string(a.colspan) + "\"";
        break;
      case TextArea::Shape::RowSpanOnly:
        spans = "rowspan=\"" + std::to_string(a.rowspan) + "\"";
        break;
      case TextArea::Shape::ColumnSpanOnly:
        spans = "colspan=\"" + std::to_string(a.colspan) + "\"";
        break;
    }
    page_.line("  <TD " + spans + areaColours() + ">");
    page_.line(c_.banners.replaceMarkers(
        c_.values.section(a.text4 ? "Gallery Text4" : "Gallery Text3")));
    page_.line("  </TD>");
  }

  void thumbnail(int cursor) override {
    const GalleryValues& g = c_.values;
    const std::string image = c_.run.images.at(static_cast<std::size_t>(cursor));
    const std::string thumbPath = ThumbnailPath(NamingValues::From(g), image);
    const ImageSize thumb = MeasureOrReport(c_, thumbPath, thumbPath);

    page_.line("  <TD ALIGN=\"CENTER\">");
    const bool shell = g.flag("UseImageShell");
    page_.line("    <A href=\"" +
               (shell ? ImagePageName(NamingValues::From(g), image)
                      : ImageUrl(NamingValues::From(g), image)) +
               "\">");
    std::string img = "    <IMG src=\"" + ThumbnailUrl(NamingValues::From(g), image) +
                      "\" border=\"0\"";
    if (thumb.height > 0) img += " height=\"" + std::to_string(thumb.height) + "\"";
    if (thumb.width > 0) img += " width=\"" + std::to_string(thumb.width) + "\"";
    page_.line(img + "></a>");

    if (shell) WriteImagePage(c_, image);

    const bool dims = g.flag("ShowImageDimensions"), size = g.flag("ShowImageSize"),
               name = g.flag("ShowImageName");
    const bool caption = dims || size || name;
    if (caption) {
      page_.line("    <table align=\"center\"><tr align=\"center\" valign=\"top\"><td>");
      page_.line(
          "    <FONT STYLE=\"font-family: Arial, Helvetica, sans-serif; font-size: 11px; color: " +
          Colour(g, "TableForeColor") + ";\">");
    }
    // The picture is measured for every cell, whatever the caption shows.
    const std::string picturePath = ImageFolder(NamingValues::From(g)) + image;
    const ImageSize picture = MeasureOrReport(c_, picturePath, image);
    if (g.flag("ShowImageName"))
      page_.line("      " + (g.flag("CleanImageName") ? CleanImageName(image) : image) + "<br>");
    if (g.flag("ShowImageDimensions"))
      page_.line("      " + std::to_string(picture.width) + " x " + std::to_string(picture.height));
    if (g.flag("ShowImageSize")) {
      const long double bytes = static_cast<long double>(FileSizeOf(picturePath));
      page_.line("      " + std::to_string(RoundHalfEven(bytes / 1000)) + "KB");
    }
    if (caption) {
      page_.line("    </FONT>");
      page_.line("    </td></tr></table>");
    }
    page_.line("  </TD>");
  }

  void closeRow() override { page_.line("</TR>"); }

 private:
  // Text areas keep the gallery's back colour and picture even with the default colours on.
  std::string areaColours() const {
    const std::string image = c_.values.text("GalleryBackImage");
    return " BGCOLOR=\"" + Colour(c_.values, "GalleryBackColor") + "\"" +
           (image.empty() ? std::string() : " BACKGROUND=\"" + image + "\"");
  }

  PageFile& page_;
  PageContext& c_;
};

}  // namespace

void WriteGalleryPage(PageContext& c) {
  const GalleryValues& g = c.values;
  PageFile page(GalleryPagePath(NamingValues::From(g), c.run.page, c.run.pageCount));
  WritePageHead(page, g, g.text("GalleryTitle"));
  page.line(GalleryBodyTag(g));

  if (!g.flag("WriteScriptFile")) {
    std::vector<std::string> texts;
    for (const char* name : kMarkedTexts) texts.push_back(g.section(name));
    for (const std::string& block : c.banners.inlineBlocks(texts)) page.line(block);
  }
  page.line(c.banners.replaceMarkers(g.section("Gallery Header")));

  if (g.flag("ShowTopGalleryNavRow") && c.run.pageCount != 1) WriteGalleryNavBar(page, c);
  if (g.flag("IncIndexLink")) WriteIndexLink(page, c);
  page.line("<P>");

  const std::string tableImage = g.text("TableBackImage");
  page.line("<TABLE ALIGN=\"CENTER\"" +
            (tableImage.empty() ? std::string() : " BACKGROUND=\"" + tableImage + "\"") +
            " BORDER=\"" + std::to_string(g.integer("TableBorder")) + "\" CELLSPACING=\"" +
            std::to_string(g.integer("CellSpacing")) + "\" CELLPADDING=\"" +
            std::to_string(g.integer("CellPadding")) + "\" BGCOLOR=\"" +
            Colour(g, "TableBackColor") + "\">");

  c.run.images = g.images();
  GallerySink sink(page, c);
  WalkPositions(g.integer("Template"), g.integer("Rows"), g.integer("Columns"),
                static_cast<int>(c.run.images.size()), c.run.cursor, sink);

  page.line("</TABLE>");
  if (!g.flag("DisableBanner")) page.line(CreditBannerLine());
  if (g.flag("ShowBottomGalleryNavRow") && c.run.pageCount != 1) {
    page.line("<P>");
    WriteGalleryNavBar(page, c);
    if (g.flag("IncIndexLink")) WriteIndexLink(page, c);
  }
  page.line(c.banners.replaceMarkers(g.section("Gallery Footer")));
  WritePageEnd(page);
}

}  // namespace fw
