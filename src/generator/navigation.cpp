#include "generator/navigation.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/gallery_values.h"
#include "common/naming.h"
#include "common/subs.h"
#include "generator/page_context.h"
#include "generator/page_file.h"

namespace fw {
namespace {

std::string Colour(const GalleryValues& g, const char* name) {
  return ColorToHtml(static_cast<std::int32_t>(g.integer(name)));
}

constexpr const char* kButtonFont =
    "<FONT STYLE=\"font-size: 12px; font-style: italic; font-family: Arial; color:";

}  // namespace

void WriteGalleryNavBar(PageFile& page, PageContext& c) {
  const GalleryValues& g = c.values;
  const int pages = c.run.pageCount;
  const std::string tableStart =
      "<TABLE ALIGN=\"center\" BORDER=\"" + std::to_string(g.integer("NavPageBorder")) + "\">";
  page.line(tableStart);
  page.line("<TR ALIGN=\"center\">");
  for (int m = 1; m <= pages; ++m) {
    // A stored value below 1 cannot come from the spin edit; one button per row then.
    const int perRow = std::max(1, g.integer("ButtonsPerRow"));
    if (m > 1 && (m - 1) % perRow == 0) {
      page.line("</TR></TABLE>");
      page.line("<TABLE ALIGN=\"center\" BORDER=\"" + std::to_string(g.integer("NavPageBorder")) +
                "\"><TR ALIGN=\"center\">");
    }
    const std::string label = g.text("NavPagePrefix") + std::to_string(m);
    if (m == c.run.page) {
      page.line("  <TD BGCOLOR=\"" + Colour(g, "NavActivePageBackColor") + "\">");
      page.line(std::string("    ") + kButtonFont + Colour(g, "NavActivePageFontColor") +
                ";\">&nbsp;" + label + "&nbsp;</FONT></TD>");
    } else {
      page.line("  <TD BGCOLOR=\"" + Colour(g, "NavPageBackColor") + "\">");
      page.line("    <A href=\"" + GalleryPageName(NamingValues::From(g), m, pages) +
                "\" STYLE=\"text-decoration: none\">" + kButtonFont +
                Colour(g, "NavPageFontColor") + "\">&nbsp;" + label + "&nbsp;</FONT></a></TD>");
    }
  }
  page.line("</TR>");
  page.line("</TABLE>");
}

void WriteIndexLink(PageFile& page, PageContext& c) {
  page.line("<DIV ALIGN=\"center\"><A HREF=\"" + c.values.text("IndexFile") + "\">" +
            c.values.text("IndexLinkText") + "</A></DIV>");
}

void WriteImageNavBar(PageFile& page, PageContext& c, BarPlace place) {
  const GalleryValues& g = c.values;
  const std::vector<std::string>& images = c.run.images;
  const int i = c.run.cursor;
  const int count = static_cast<int>(images.size());
  page.line("<TABLE ALIGN=\"CENTER\" BORDER=\"" + std::to_string(g.integer("NavBorder")) +
            "\" CELLSPACING=\"" + std::to_string(g.integer("NavCellSpacing")) +
            "\" CELLPADDING=\"" + std::to_string(g.integer("NavCellPadding")) +
            "\"><TR ALIGN=\"CENTER\">");
  const std::string style =
      " STYLE=\"text-decoration: none; font-family: Arial, Helvetica, sans-serif; font-size: " +
      std::to_string(g.integer("NavFontSize")) +
      "px; font-style: italic; font-weight: bold; color: " + Colour(g, "NavFontColor") + ";\">";
  const std::string back = Colour(g, "NavBackColor");
  auto cell = [&](const char* width, const std::string& href) {
    return "  <TD WIDTH=\"" + std::string(width) + "\" BGCOLOR=\"" + back + "\" NOWRAP><A HREF=\"" +
           href + "\"" + style;
  };
  if (i > 0 && i - 1 < count)
    page.line(cell("33%", ImagePageName(NamingValues::From(g), images[i - 1])) +
              g.text("NavPrevText") + "</A></TD>");
  page.line(cell("34%", GalleryPageName(NamingValues::From(g), c.run.page, c.run.pageCount)) +
            g.text("NavBackToGalleryText") + "</A></TD>");
  if (i >= 0 && i < count - 1) {
    const std::string next = cell("33%", ImagePageName(NamingValues::From(g), images[i + 1])) +
                             g.text("NavNextText");
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

}  // namespace fw
