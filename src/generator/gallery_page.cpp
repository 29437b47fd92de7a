#include "generator/gallery_page.h"

#include <optional>
#include <string>
#include <vector>

#include "common/colours.h"
#include "common/naming.h"
#include "common/paths.h"
#include "common/rounding.h"
#include "common/web_text.h"
#include "generator/framing.h"
#include "generator/image_page.h"
#include "generator/measure.h"
#include "generator/navigation.h"
#include "generator/page_context.h"
#include "generator/page_file.h"
#include "generator/page_hooks.h"
#include "generator/walk.h"
#include "settings/gallery_snapshot.h"

namespace fw {

struct GalleryPageWriter::Parts {
  explicit Parts(PageContext& c);

  NamingValues names;
  std::string imageFolder;
  std::string top;    // head, BODY tag, banner blocks and the header text
  std::string table;  // the thumbnail table's start tag
  std::string text3, text4, footer;
  std::string areaColours;  // text areas keep the gallery's back colour and picture always
  std::string captionFont;
  std::string indexLink;
  GalleryNavBar bar;
  std::optional<ImagePageWriter> imagePages;
};

GalleryPageWriter::Parts::Parts(PageContext& c)
    : names(NamingOf(c.values)),
      imageFolder(ImageFolder(names)),
      indexLink(IndexLinkLine(c.values)),
      bar(c) {
  const GallerySnapshot& g = c.values;
  const TextBlocks& t = g.texts;
  top = PageHead(g, g.GalleryTitle) + GalleryBodyTag(g) + "\r\n";
  if (!g.WriteScriptFile)
    for (const std::string& block :
         c.banners.inlineBlocks({t.GalleryHeader, t.GalleryFooter, t.GalleryText3, t.GalleryText4}))
      top += block + "\r\n";
  top += c.banners.replaceMarkers(t.GalleryHeader) + "\r\n";
  text3 = c.banners.replaceMarkers(t.GalleryText3);
  text4 = c.banners.replaceMarkers(t.GalleryText4);
  footer = c.banners.replaceMarkers(t.GalleryFooter);
  table = "<TABLE ALIGN=\"CENTER\"" +
          (g.TableBackImage.empty() ? std::string() : " BACKGROUND=\"" + g.TableBackImage + "\"") +
          " BORDER=\"" + std::to_string(g.TableBorder) + "\" CELLSPACING=\"" +
          std::to_string(g.CellSpacing) + "\" CELLPADDING=\"" + std::to_string(g.CellPadding) +
          "\" BGCOLOR=\"" + ColorToHtml(g.TableBackColor) + "\">";
  areaColours =
      " BGCOLOR=\"" + ColorToHtml(g.GalleryBackColor) + "\"" +
      (g.GalleryBackImage.empty() ? std::string() : " BACKGROUND=\"" + g.GalleryBackImage + "\"");
  captionFont =
      "    <FONT STYLE=\"font-family: Arial, Helvetica, sans-serif; font-size: 11px; color: " +
      ColorToHtml(g.TableForeColor) + ";\">";
  if (g.UseImageShell) imagePages.emplace(c);
}

namespace {

class GallerySink : public WalkSink {
 public:
  GallerySink(PageFile& page, PageContext& c, GalleryPageWriter::Parts& parts)
      : page_(page), c_(c), parts_(parts) {}

  void textRow(int colspan) override {
    page_.line("<TR><TD colspan=\"" + std::to_string(colspan) + "\"" + parts_.areaColours + ">");
    page_.line(parts_.text3);
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
    page_.line("  <TD " + spans + parts_.areaColours + ">");
    page_.line(a.text4 ? parts_.text4 : parts_.text3);
    page_.line("  </TD>");
  }

  void thumbnail(int cursor) override {
    const GallerySnapshot& g = c_.values;
    const NamingValues& names = parts_.names;
    const std::string& image = g.images.at(static_cast<std::size_t>(cursor));
    const std::string thumbPath = ThumbnailPath(names, image);
    const ImageSize thumb = MeasureOrReport(c_, thumbPath, thumbPath);

    page_.line("  <TD ALIGN=\"CENTER\">");
    page_.line("    <A href=\"" +
               (g.UseImageShell ? ImagePageUrl(names, image) : ImageUrl(names, image)) + "\">");
    std::string img = "    <IMG src=\"" + ThumbnailUrl(names, image) + "\" border=\"0\"";
    if (thumb.height > 0) img += " height=\"" + std::to_string(thumb.height) + "\"";
    if (thumb.width > 0) img += " width=\"" + std::to_string(thumb.width) + "\"";
    page_.line(img + "></a>");

    if (parts_.imagePages) parts_.imagePages->write(image);

    const bool caption = g.ShowImageDimensions || g.ShowImageSize || g.ShowImageName;
    if (caption) {
      page_.line("    <table align=\"center\"><tr align=\"center\" valign=\"top\"><td>");
      page_.line(parts_.captionFont);
    }
    // The picture is measured for every cell, whatever the caption shows.
    const std::string picturePath = parts_.imageFolder + image;
    const ImageSize picture = MeasureOrReport(c_, picturePath, image);
    if (g.ShowImageName)
      page_.line("      " + HtmlEscape(g.CleanImageName ? CleanImageName(image) : image) + "<br>");
    if (g.ShowImageDimensions)
      page_.line("      " + std::to_string(picture.width) + " x " + std::to_string(picture.height));
    if (g.ShowImageSize) {
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
  PageFile& page_;
  PageContext& c_;
  GalleryPageWriter::Parts& parts_;
};

}  // namespace

GalleryPageWriter::GalleryPageWriter(PageContext& c) : c_(c), parts_(std::make_unique<Parts>(c)) {}

GalleryPageWriter::~GalleryPageWriter() = default;

void GalleryPageWriter::write() {
  const GallerySnapshot& g = c_.values;
  Parts& p = *parts_;
  PageFile page(GalleryPagePath(p.names, c_.run.page, c_.run.pageCount), PageFile::Kind::Page);
  page.write(p.top);
  const bool bars = c_.run.pageCount != 1;
  if (g.ShowTopGalleryNavRow && bars) p.bar.write(page, c_.run.page);
  if (g.IncIndexLink) page.line(p.indexLink);
  page.line("<P>");
  page.line(p.table);

  GallerySink sink(page, c_, p);
  WalkPositions(g.Template, g.Rows, g.Columns, static_cast<int>(g.images.size()), c_.run.cursor,
                sink);

  page.line("</TABLE>");
  if (!g.DisableBanner) page.line(CreditBannerLine());
  if (g.ShowBottomGalleryNavRow && bars) {
    page.line("<P>");
    p.bar.write(page, c_.run.page);
    if (g.IncIndexLink) page.line(p.indexLink);
  }
  page.line(p.footer);
  WritePageEnd(page);
}

void WriteGalleryPage(PageContext& c) { GalleryPageWriter(c).write(); }

}  // namespace fw
