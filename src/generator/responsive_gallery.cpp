#include "generator/responsive_gallery.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/fs.h"
#include "common/paths.h"
#include "common/rounding.h"
#include "common/web_text.h"
#include "generator/measure.h"
#include "generator/page_context.h"
#include "generator/page_file.h"
#include "generator/page_hooks.h"
#include "generator/responsive_frame.h"
#include "generator/responsive_image.h"
#include "generator/responsive_names.h"
#include "settings/gallery_snapshot.h"

namespace fw {

struct ResponsiveGalleryWriter::Parts {
  explicit Parts(PageContext& c);

  NamingValues names;
  std::string imageFolder, thumbFolder, thumbsUrl;
  std::string top, text3, text4, footer;
  std::optional<ResponsiveImageWriter> imagePages;
};

ResponsiveGalleryWriter::Parts::Parts(PageContext& c)
    : names(NamingOf(c.values)),
      imageFolder(ImageFolder(names)),
      thumbFolder(ThumbFolder(names)),
      thumbsUrl(FolderUrl(c.values.ThumbsDir)) {
  const GallerySnapshot& g = c.values;
  const TextBlocks& t = g.texts;
  top = ResponsiveTop(c, {g.GalleryTitle,
                          "gallery",
                          {t.GalleryHeader, t.GalleryFooter, t.GalleryText3, t.GalleryText4},
                          t.GalleryHeader});
  text3 = c.banners.replaceMarkers(t.GalleryText3);
  text4 = c.banners.replaceMarkers(t.GalleryText4);
  footer = c.banners.replaceMarkers(t.GalleryFooter);
  if (g.UseImageShell) imagePages.emplace(c);
}

ResponsiveGalleryWriter::ResponsiveGalleryWriter(PageContext& c)
    : c_(c), parts_(std::make_unique<Parts>(c)) {}

ResponsiveGalleryWriter::~ResponsiveGalleryWriter() = default;

// The page buttons (the current page marked, its neighbours bound to the arrow keys) and the
// index link, as the gallery's settings ask for them at the top or the bottom.
std::string ResponsiveGalleryWriter::bar(BarPlace place) const {
  const GallerySnapshot& g = c_.values;
  const int pages = c_.run.pageCount, current = c_.run.page;
  std::string links;
  const bool top = place == BarPlace::Top;
  if (pages != 1 && (top ? g.ShowTopGalleryNavRow : g.ShowBottomGalleryNavRow))
    for (int m = 1; m <= pages; ++m) {
      const std::string text = g.NavPagePrefix + std::to_string(m);
      if (m == current) {
        links += "<span aria-current=\"page\">" + text + "</span>\r\n";
        continue;
      }
      const bool prev = m == current - 1, next = m == current + 1;
      links += BarLink(PageUrl(GalleryPageUrl(parts_->names, m, pages)), text,
                       prev   ? "prev"
                       : next ? "next"
                              : "",
                       prev   ? "ArrowLeft"
                       : next ? "ArrowRight"
                              : "") +
               "\r\n";
    }
  const bool index = g.IncIndexLink && (top || (pages != 1 && g.ShowBottomGalleryNavRow));
  if (index) links += BarLink(PageUrl(UrlPath(g.IndexFile)), g.IndexLinkText, "", "") + "\r\n";
  if (links.empty()) return {};
  return std::string("<nav class=\"pages\" aria-label=\"") + (top ? "Pages" : "Pages, below") +
         "\">\r\n" + links + "</nav>\r\n";
}

std::string ResponsiveGalleryWriter::cell(int cursor, bool lazy) {
  const GallerySnapshot& g = c_.values;
  const Parts& p = *parts_;
  const std::string& image = g.images.at(static_cast<std::size_t>(cursor));
  const std::string thumbPath = ThumbnailPath(p.names, image);
  const ImageSize thumb = MeasureOrReport(c_, thumbPath, thumbPath);

  const std::string href =
      PageUrl(g.UseImageShell ? ImagePageUrl(p.names, image) : ImageUrl(p.names, image));
  const std::string src = PageUrl(ThumbnailUrl(p.names, image));
  std::string img = "<img src=\"" + src + "\"";
  const std::string twice = DoubleThumbnailName(p.names, image);
  if (fs::Exists(p.thumbFolder + twice))
    img += " srcset=\"" + src + " 1x, " + PageUrl(UrlPath(p.thumbsUrl + twice)) + " 2x\"";
  if (thumb.width > 0 && thumb.height > 0)
    img += " width=\"" + std::to_string(thumb.width) + "\" height=\"" +
           std::to_string(thumb.height) + "\"";
  img += " alt=\"" + PictureName(g.CleanImageName, image) + "\"";
  if (lazy) img += " loading=\"lazy\"";

  std::vector<std::string> caption;
  if (g.ShowImageName) caption.push_back(PictureName(g.CleanImageName, image));
  const std::string picturePath = p.imageFolder + image;
  if (g.ShowImageDimensions) {
    const ImageSize picture = MeasureOrReport(c_, picturePath, image);
    caption.push_back(std::to_string(picture.width) + " x " + std::to_string(picture.height));
  }
  if (g.ShowImageSize) {
    const long double bytes = static_cast<long double>(FileSizeOf(picturePath));
    caption.push_back(std::to_string(RoundHalfEven(bytes / 1000)) + "KB");
  }
  std::string li = "<li><a href=\"" + href + "\">" + img + "></a>";
  if (!caption.empty()) {
    li += "<p class=\"caption\">";
    for (std::size_t k = 0; k < caption.size(); ++k) li += (k ? "<br>" : "") + caption[k];
    li += "</p>";
  }
  return li + "</li>";
}

void ResponsiveGalleryWriter::write() {
  const GallerySnapshot& g = c_.values;
  Parts& p = *parts_;
  PageFile page(GalleryPagePath(p.names, c_.run.page, c_.run.pageCount));
  page.write(p.top);
  page.write(bar(BarPlace::Top));
  page.line("<main>");
  if (!p.text3.empty()) page.line("<div class=\"text\">\r\n" + p.text3 + "\r\n</div>");
  page.line("<ul class=\"grid\">");
  // The first row is on the first screen of every device; the rest load as they come near.
  const int count = static_cast<int>(g.images.size());
  const int first = c_.run.cursor;
  const int end = std::min(count, first + std::max(0, c_.run.imagesPerPage));
  for (int& i = c_.run.cursor; i < end; ++i) {
    page.line(cell(i, i - first >= g.Columns));
    if (p.imagePages) p.imagePages->write(g.images[static_cast<std::size_t>(i)]);
  }
  page.line("</ul>");
  if (!p.text4.empty()) page.line("<div class=\"text\">\r\n" + p.text4 + "\r\n</div>");
  page.line("</main>\r\n<footer>");
  if (!g.DisableBanner) page.line(ResponsiveCreditLine());
  page.write(bar(BarPlace::Bottom));
  page.line(p.footer);
  page.line("</footer>");
  page.write(kResponsiveEnd);
  page.close();
}

}  // namespace fw
