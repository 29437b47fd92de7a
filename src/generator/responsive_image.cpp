#include "generator/responsive_image.h"

#include "common/fs.h"
#include "common/web_text.h"
#include "generator/measure.h"
#include "generator/page_context.h"
#include "generator/page_file.h"
#include "generator/page_hooks.h"
#include "generator/responsive_frame.h"
#include "generator/responsive_names.h"
#include "settings/gallery_snapshot.h"

namespace fw {

std::string PictureName(bool clean, const std::string& image) {
  return HtmlEscape(clean ? CleanImageName(image) : image);
}

ResponsiveImageWriter::ResponsiveImageWriter(PageContext& c)
    : c_(c),
      names_(NamingOf(c.values)),
      imageFolder_(ImageFolder(names_)),
      thumbFolder_(ThumbFolder(names_)) {
  const GallerySnapshot& g = c.values;
  top_ = ResponsiveTop(
      c,
      {g.ImageTitle, "picture", {g.texts.ImageHeader, g.texts.ImageFooter}, g.texts.ImageHeader});
  footer_ = c.banners.replaceMarkers(g.texts.ImageFooter);
}

ShownPicture ResponsiveImageWriter::shown(const std::string& image) {
  const ImageSize original = MeasureOrReport(c_, imageFolder_ + image, image);
  ShownPicture p{PageUrl(ImageUrl(names_, image)), {}, {}, original.width, original.height};
  const std::string copy = DisplayCopyName(names_, image);
  if (original.width <= kDisplayWidth || !fs::Exists(thumbFolder_ + copy)) return p;
  const ImageSize display = MeasureOrReport(c_, thumbFolder_ + copy, copy);
  if (display.width <= 0) return p;
  const std::string copyUrl = PageUrl(UrlPath(FolderUrl(c_.values.ThumbsDir) + copy));
  p.srcset = copyUrl + " " + std::to_string(display.width) + "w, " + p.src + " " +
             std::to_string(original.width) + "w";
  p.sizes = "(max-width: " + std::to_string(display.width) + "px) 100vw, " +
            std::to_string(display.width) + "px";
  p.src = copyUrl;
  p.width = display.width;
  p.height = display.height;
  return p;
}

std::string ResponsiveImageWriter::bar(BarPlace place) const {
  const GallerySnapshot& g = c_.values;
  const std::vector<std::string>& images = g.images;
  const int i = c_.run.cursor, count = static_cast<int>(images.size());
  std::string nav = std::string("<nav class=\"bar\" aria-label=\"") +
                    (place == BarPlace::Top ? "Pictures" : "Pictures, below") + "\">\r\n";
  if (i > 0 && i - 1 < count)
    nav +=
        BarLink(PageUrl(ImagePageUrl(names_, images[i - 1])), g.NavPrevText, "prev", "ArrowLeft") +
        "\r\n";
  nav += BarLink(PageUrl(GalleryPageUrl(names_, c_.run.page, c_.run.pageCount)),
                 g.NavBackToGalleryText, "", "Escape") +
         "\r\n";
  if (i >= 0 && i < count - 1)
    nav +=
        BarLink(PageUrl(ImagePageUrl(names_, images[i + 1])), g.NavNextText, "next", "ArrowRight") +
        "\r\n";
  return nav + "</nav>\r\n";
}

void ResponsiveImageWriter::write(const std::string& image) {
  const GallerySnapshot& g = c_.values;
  PageFile page(ImagePagePath(names_, image));
  page.write(top_);
  if (g.ShowTopImageNavRow) page.write(bar(BarPlace::Top));

  const ShownPicture p = shown(image);
  std::string img = "<img src=\"" + p.src + "\"";
  if (!p.srcset.empty()) img += " srcset=\"" + p.srcset + "\" sizes=\"" + p.sizes + "\"";
  if (p.width > 0 && p.height > 0)
    img += " width=\"" + std::to_string(p.width) + "\" height=\"" + std::to_string(p.height) + "\"";
  const std::string name = PictureName(true, image);
  page.line("<main>\r\n<figure>\r\n" + img + " alt=\"" + name + "\">");
  if (g.ImagePageShowImageName) page.line("<figcaption>" + name + "</figcaption>");
  page.line("</figure>\r\n</main>\r\n<footer>");
  if (!g.DisableBanner) page.line(ResponsiveCreditLine());
  if (g.ShowBottomImageNavRow) page.write(bar(BarPlace::Bottom));
  page.line(footer_);
  page.line("</footer>");

  // The next picture is fetched while the visitor looks at this one.
  const std::size_t next = static_cast<std::size_t>(c_.run.cursor) + 1;
  if (c_.run.cursor >= 0 && next < g.images.size()) {
    const std::string& n = g.images[next];
    const std::string copy = DisplayCopyName(names_, n);
    const std::string url = fs::Exists(thumbFolder_ + copy) ? UrlPath(FolderUrl(g.ThumbsDir) + copy)
                                                            : ImageUrl(names_, n);
    page.line("<link rel=\"prefetch\" href=\"" + PageUrl(url) + "\">");
  }
  page.write(kResponsiveEnd);
  page.close();
}

}  // namespace fw
