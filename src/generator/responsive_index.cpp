#include "generator/responsive_index.h"

#include <string>

#include "common/host.h"
#include "common/paths.h"
#include "generator/measure.h"
#include "generator/page_context.h"
#include "generator/page_file.h"
#include "generator/page_hooks.h"
#include "generator/responsive_frame.h"
#include "generator/responsive_image.h"
#include "settings/gallery_snapshot.h"

namespace fw {

void WriteResponsiveIndex(PageContext& c, const SampleDraw& draw) {
  const GallerySnapshot& g = c.values;
  c.host.status("Writing Index Page");
  c.host.processEvents();

  const int pages = c.run.pageCount, perPage = c.run.imagesPerPage;
  const int count = static_cast<int>(g.images.size());
  const NamingValues names = NamingOf(g);
  PageFile page(AddBackslash(g.BaseDir) + g.IndexFile);
  page.write(ResponsiveTop(c, {g.IndexTitle,
                               "gallery index",
                               {g.texts.IndexHeader, g.texts.IndexFooter},
                               g.texts.IndexHeader}));
  page.line("<main>");
  page.line("<p class=\"totals\">" + g.TotalImagesText + std::to_string(count) + "<br>" +
            g.TotalPagesText + std::to_string(pages) + "</p>");
  page.line("<ul class=\"grid\">");
  for (int i = 1; i <= pages && count > 0 && perPage > 0; ++i) {
    const std::string& sample = g.images[SampleIndex(i, perPage, count, draw)];
    const std::string thumbPath = ThumbnailPath(names, sample);
    const ImageSize thumb = MeasureOrReport(c, thumbPath, thumbPath);
    std::string img = "<img src=\"" + PageUrl(ThumbnailUrl(names, sample)) + "\"";
    if (thumb.width > 0 && thumb.height > 0)
      img += " width=\"" + std::to_string(thumb.width) + "\" height=\"" +
             std::to_string(thumb.height) + "\"";
    img += " alt=\"" + PictureName(g.CleanImageName, sample) + "\"";
    if (i > g.Columns) img += " loading=\"lazy\"";
    const std::string label = "<p class=\"caption\">" + g.NavPagePrefix +
                              (pages == 1 ? std::string() : std::to_string(i)) + "</p>";
    if (g.DisablePageLinks)
      page.line("<li>" + img + ">" + label + "</li>");
    else
      page.line("<li><a href=\"" + PageUrl(GalleryPageUrl(names, i, pages)) + "\">" + img + ">" +
                label + "</a></li>");
  }
  page.line("</ul>\r\n</main>\r\n<footer>");
  if (!g.DisableBanner) page.line(ResponsiveCreditLine());
  page.line(c.banners.replaceMarkers(g.texts.IndexFooter));
  page.line("</footer>");
  page.write(kResponsiveEnd);
  page.close();
}

}  // namespace fw
