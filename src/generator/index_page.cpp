#include "generator/index_page.h"

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "common/colours.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/paths.h"
#include "common/rounding.h"
#include "generator/framing.h"
#include "generator/page_context.h"
#include "generator/page_file.h"
#include "generator/page_hooks.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

int ClockDraw(int n) {
  std::mt19937 generator(static_cast<std::mt19937::result_type>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  return std::uniform_int_distribution<int>(0, n - 1)(generator);
}

}  // namespace

std::size_t SampleIndex(int page, int perPage, int count, const SampleDraw& draw) {
  // The sample is one of the page's own places; on a short last page the empty places fall
  // back to the last picture.
  const int r = draw ? draw(perPage) : ClockDraw(perPage);
  long long k = static_cast<long long>(page) * perPage - r - 1;
  if (k > count - 1) k = count - 1;
  if (k < 0) k = 0;
  return static_cast<std::size_t>(k);
}

IndexGeometry IndexGeometryFor(int pageCount) {
  IndexGeometry geo;
  const int p = pageCount;
  geo.cellsPerRow = p <= 20 ? 5 : p <= 30 ? 6 : p <= 42 ? 7 : 8;
  geo.rowFigure = static_cast<int>(
      RoundHalfEven(static_cast<long double>(p) / geo.cellsPerRow + 0.5L));
  geo.thumbnailHeight = geo.rowFigure <= 5 ? 50 : geo.rowFigure == 6 ? 40 : 35;
  return geo;
}

void WriteIndexPage(PageContext& c, const SampleDraw& draw) {
  const GallerySnapshot& g = c.values;
  c.host.status("Writing Index Page");
  c.host.processEvents();

  const int pages = c.run.pageCount;
  const int perPage = c.run.imagesPerPage;
  const IndexGeometry geo = IndexGeometryFor(pages);
  const int w = geo.cellsPerRow;
  const NamingValues names = NamingOf(g);

  PageFile page(AddBackslash(g.BaseDir) + g.IndexFile, PageFile::Kind::Page);
  WritePageHead(page, g, g.IndexTitle);
  page.line(GalleryBodyTag(g));
  if (!g.WriteScriptFile)
    for (const std::string& block :
         c.banners.inlineBlocks({g.texts.IndexHeader, g.texts.IndexFooter}))
      page.line(block);
  page.line(c.banners.replaceMarkers(g.texts.IndexHeader));

  const std::vector<std::string>& images = g.images;
  const int count = static_cast<int>(images.size());
  page.line("<DIV ALIGN=\"center\"><FONT FACE=\"Verdana\" SIZE=\"2\">" + g.TotalImagesText +
            std::to_string(count) + "<BR>" + g.TotalPagesText + std::to_string(pages) +
            "</FONT></DIV>");
  page.line("<HR WIDTH=\"350\">");
  const std::string tableStart = "<TABLE BGCOLOR=\"" + ColorToHtml(g.IndexTableBackColor) +
                                 "\" BORDER=\"1\" CELLSPACING=\"0\" ALIGN=\"CENTER\">";
  page.line(tableStart);
  page.line("<TR ALIGN=\"CENTER\">");

  const std::string label = "    <FONT FACE=\"MS Sans Serif\" size=\"1\">" + g.NavPagePrefix;
  for (int i = 1; i <= pages && count > 0 && perPage > 0; ++i) {
    const std::string number = pages == 1 ? std::string() : std::to_string(i);
    const std::string& sample = images[SampleIndex(i, perPage, count, draw)];

    if (i > 1 && (i - 1) % w == 0) {
      // The last, shorter row stands in a table of its own so that it is centred by itself.
      if (pages % w != 0 && (geo.rowFigure - 1) * w < i) {
        page.line("</TR></TABLE>");
        page.line(tableStart);
        page.line("<TR ALIGN=\"CENTER\">");
      } else {
        page.line("</TR><TR ALIGN=\"CENTER\">");
      }
    }
    page.line("  <TD>");
    if (!g.DisablePageLinks)
      page.line("    <A href=\"" + GalleryPageUrl(names, i, pages) +
                "\" STYLE=\"text-decoration: none\">");
    page.line("    <IMG src=\"" + ThumbnailUrl(names, sample) +
              "\" ALIGN=\"MIDDLE\" border=\"0\" HEIGHT=\"" + std::to_string(geo.thumbnailHeight) +
              "\"><BR>");
    page.line(label + number + "</FONT>");
    if (!g.DisablePageLinks) page.line("    </a>");
    page.line("  </TD>");
  }

  page.line("</TR></TABLE>");
  page.line("<HR WIDTH=\"350\">");
  if (!g.DisableBanner) page.line(CreditBannerLine());
  page.line(c.banners.replaceMarkers(g.texts.IndexFooter));
  WritePageEnd(page);
}

}  // namespace fw
