#include "generator/navigation.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/colours.h"
#include "common/web_text.h"
#include "generator/page_context.h"
#include "generator/page_file.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

constexpr const char* kButtonFont =
    "<FONT STYLE=\"font-size: 12px; font-style: italic; font-family: Arial; color:";

}  // namespace

GalleryNavBar::GalleryNavBar(const PageContext& c)
    : activeBack_(ColorToHtml(c.values.NavActivePageBackColor)),
      activeFont_(ColorToHtml(c.values.NavActivePageFontColor)),
      prefix_(c.values.NavPagePrefix) {
  const GallerySnapshot& g = c.values;
  const NamingValues names = NamingOf(g);
  const int pages = c.run.pageCount;
  const std::string border = std::to_string(g.NavPageBorder);
  const std::string back = ColorToHtml(g.NavPageBackColor);
  const std::string font = ColorToHtml(g.NavPageFontColor);
  // A stored value below 1 cannot come from the spin edit; one button per row then.
  const int perRow = std::max(1, g.ButtonsPerRow);
  linked_ = "<TABLE ALIGN=\"center\" BORDER=\"" + border + "\">\r\n<TR ALIGN=\"center\">\r\n";
  for (int m = 1; m <= pages; ++m) {
    if (m > 1 && (m - 1) % perRow == 0)
      linked_ += "</TR></TABLE>\r\n<TABLE ALIGN=\"center\" BORDER=\"" + border +
                 "\"><TR ALIGN=\"center\">\r\n";
    const std::size_t start = linked_.size();
    linked_ += "  <TD BGCOLOR=\"" + back + "\">\r\n    <A href=\"" +
               GalleryPageUrl(names, m, pages) + "\" STYLE=\"text-decoration: none\">" +
               kButtonFont + font + "\">&nbsp;" + prefix_ + std::to_string(m) +
               "&nbsp;</FONT></a></TD>\r\n";
    buttons_.emplace_back(start, linked_.size());
  }
  linked_ += "</TR>\r\n</TABLE>\r\n";
}

std::string GalleryNavBar::activeButton(int m) const {
  return "  <TD BGCOLOR=\"" + activeBack_ + "\">\r\n    " + kButtonFont + activeFont_ +
         ";\">&nbsp;" + prefix_ + std::to_string(m) + "&nbsp;</FONT></TD>\r\n";
}

void GalleryNavBar::write(PageFile& page, int current) const {
  if (current < 1 || current > static_cast<int>(buttons_.size())) {
    page.write(linked_);
    return;
  }
  const auto [start, end] = buttons_[static_cast<std::size_t>(current - 1)];
  const std::string_view bar(linked_);
  page.write(bar.substr(0, start));
  page.write(activeButton(current));
  page.write(bar.substr(end));
}

std::string IndexLinkLine(const GallerySettings& g) {
  return "<DIV ALIGN=\"center\"><A HREF=\"" + UrlPath(g.IndexFile) + "\">" + g.IndexLinkText +
         "</A></DIV>";
}

ImageNavBar::ImageNavBar(const PageContext& c) : names_(NamingOf(c.values)) {
  const GallerySnapshot& g = c.values;
  tableStart_ = "<TABLE ALIGN=\"CENTER\" BORDER=\"" + std::to_string(g.NavBorder) +
                "\" CELLSPACING=\"" + std::to_string(g.NavCellSpacing) + "\" CELLPADDING=\"" +
                std::to_string(g.NavCellPadding) + "\"><TR ALIGN=\"CENTER\">";
  cellStart_ = "\" BGCOLOR=\"" + ColorToHtml(g.NavBackColor) + "\" NOWRAP><A HREF=\"";
  linkEnd_ =
      "\" STYLE=\"text-decoration: none; font-family: Arial, Helvetica, sans-serif; "
      "font-size: " +
      std::to_string(g.NavFontSize) +
      "px; font-style: italic; font-weight: bold; color: " + ColorToHtml(g.NavFontColor) + ";\">";
}

void ImageNavBar::write(PageFile& page, const PageContext& c, BarPlace place) const {
  const GallerySnapshot& g = c.values;
  const std::vector<std::string>& images = g.images;
  const int i = c.run.cursor;
  const int count = static_cast<int>(images.size());
  auto cell = [&](const char* width, const std::string& href) {
    return "  <TD WIDTH=\"" + std::string(width) + cellStart_ + href + linkEnd_;
  };
  page.line(tableStart_);
  if (i > 0 && i - 1 < count)
    page.line(cell("33%", ImagePageUrl(names_, images[i - 1])) + g.NavPrevText + "</A></TD>");
  page.line(cell("34%", GalleryPageUrl(names_, c.run.page, c.run.pageCount)) +
            g.NavBackToGalleryText + "</A></TD>");
  if (i >= 0 && i < count - 1) {
    const std::string next = cell("33%", ImagePageUrl(names_, images[i + 1])) + g.NavNextText;
    if (place == BarPlace::Top) {
      page.line(next + "</A>");
      page.line("  </TD>");
    } else {
      page.line(next + "</A></TD>");
    }
  }
  page.line("</TR></TABLE>");
  page.line("<P>");
}

void WriteGalleryNavBar(PageFile& page, PageContext& c) {
  GalleryNavBar(c).write(page, c.run.page);
}

void WriteIndexLink(PageFile& page, PageContext& c) { page.line(IndexLinkLine(c.values)); }

void WriteImageNavBar(PageFile& page, PageContext& c, BarPlace place) {
  ImageNavBar(c).write(page, c, place);
}

}  // namespace fw
