#include "generator/custom_pages.h"

#include <optional>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/paths.h"
#include "common/text.h"
#include "common/web_text.h"
#include "generator/page_context.h"
#include "generator/page_file.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

// Replaces the first occurrence of `pattern` (FindFrom's rules: an empty pattern is found at
// the start of a non-empty text); false when there is none.
bool ReplaceFirst(std::string& text, const std::string& pattern, const std::string& by) {
  const int at = FindFrom(1, text, pattern);
  if (at == 0) return false;
  text.replace(static_cast<std::size_t>(at - 1), pattern.size(), by);
  return true;
}

// Puts the pictures from `k` on into `page`, a copy of the gallery template: each takes the
// first image placeholder left (its image page's name with the image shell, else its URL) and
// the first thumbnail placeholder left (or the very start of the page). `placed` hears of each
// picture once its image placeholder is filled; `k` ends past the last picture placed.
template <class Placed>
void FillGalleryPage(const GallerySnapshot& g, const NamingValues& names, std::string& page,
                     int& k, Placed&& placed) {
  const int count = static_cast<int>(g.images.size());
  while (k < count && FindFrom(1, page, g.ImagePlaceHolder) != 0) {
    const std::string& image = g.images[static_cast<std::size_t>(k)];
    ReplaceFirst(page, g.ImagePlaceHolder,
                 g.UseCustomImageShell ? UrlPath(CustomImagePageName(g, image))
                                       : ImageUrl(names, image));
    placed(k);
    if (!ReplaceFirst(page, g.ThumbPlaceHolder, ThumbnailUrl(names, image)))
      page.insert(0, ThumbnailUrl(names, image));
    ++k;
  }
}

// A page made from a template must never be written over that template.
class TemplateGuard {
 public:
  explicit TemplateGuard(const std::string& templatePath)
      : real_(templatePath.empty() || !fs::IsFile(templatePath) ? std::string()
                                                                : fs::RealPath(templatePath)) {}
  void refuse(const std::string& page) const {
    if (real_.empty() || !fs::Exists(page)) return;
    if (fs::RealPath(page) == real_)
      throw Error("The page " + page + " would overwrite the custom template it is made from.");
  }

 private:
  std::string real_;
};

// Each template is read once, when it is first needed.
class Writer {
 public:
  explicit Writer(PageContext& c)
      : c_(c),
        g_(c.values),
        images_(g_.images),
        names_(NamingOf(g_)),
        siteFolder_(AddBackslash(g_.BaseDir)),
        galleryGuard_(g_.CustomGalleryTemplate),
        imageGuard_(g_.CustomImageTemplate) {}

  void galleryPages() {
    const int count = static_cast<int>(images_.size());
    const std::string& imageMark = g_.ImagePlaceHolder;
    int k = 0;
    int p = 1;
    while (k < count) {
      c_.run.page = p;
      c_.host.status("Writing gallery page " + std::to_string(p));
      c_.host.processEvents();
      if (p == 1) galleryTemplate_ = ReadWholeText(g_.CustomGalleryTemplate);
      std::string page = galleryTemplate_;
      if (FindFrom(1, page, imageMark) == 0)
        throw Error(NoImagePlaceholderMessage(g_.CustomGalleryTemplate, imageMark, page.empty()));
      const std::string pageName = CustomGalleryPageName(g_, p);
      FillGalleryPage(g_, names_, page, k, [&](int placed) {
        c_.run.cursor = placed;
        if (g_.UseCustomImageShell) imagePage(placed, pageName);
      });
      c_.run.cursor = k;
      const std::string path = siteFolder_ + pageName;
      galleryGuard_.refuse(path);
      imageGuard_.refuse(path);
      WriteWholeText(path, page);
      if (k < count) ++p;
    }
    c_.run.pageCount = p;
  }

 private:
  void imagePage(int k, const std::string& galleryPage) {
    const int last = static_cast<int>(images_.size()) - 1;
    const std::string& image = images_[static_cast<std::size_t>(k)];
    const std::string& previous = images_[static_cast<std::size_t>(k == 0 ? last : k - 1)];
    const std::string& next = images_[static_cast<std::size_t>(k == last ? 0 : k + 1)];
    if (!imageTemplate_) imageTemplate_ = ReadWholeText(g_.CustomImageTemplate);
    std::string page =
        ReplaceAll(*imageTemplate_, g_.ImagePagePlaceHolder, ImageUrl(names_, image));
    page = ReplaceAll(page, g_.PreviousPlaceHolder, UrlPath(CustomImagePageName(g_, previous)));
    page = ReplaceAll(page, g_.NextPlaceHolder, UrlPath(CustomImagePageName(g_, next)));
    page = ReplaceAll(page, g_.GalleryPlaceHolder, UrlPath(galleryPage));
    const std::string path = siteFolder_ + CustomImagePageName(g_, image);
    imageGuard_.refuse(path);
    galleryGuard_.refuse(path);
    WriteWholeText(path, page);
  }

  PageContext& c_;
  const GallerySnapshot& g_;
  const std::vector<std::string>& images_;
  const NamingValues names_;
  const std::string siteFolder_;
  std::string galleryTemplate_;
  std::optional<std::string> imageTemplate_;
  const TemplateGuard galleryGuard_, imageGuard_;
};

}  // namespace

std::string ReadWholeText(const std::string& path) {
  if (path.empty() || !fs::IsFile(path)) return {};
  const std::string data = fs::ReadFile(path);
  std::string text;
  text.reserve(data.size());
  for (std::size_t i = 0; i < data.size(); ++i) {
    const char ch = data[i];
    if (ch != '\r' && ch != '\n') {
      text += ch;
      continue;
    }
    if (ch == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
    // A break after the last line adds no line; every other one becomes CR LF.
    if (i + 1 < data.size()) text += "\r\n";
  }
  return text;
}

void WriteWholeText(const std::string& path, const std::string& text) {
  PageFile file(path);
  file.line(text);
  file.close();
}

std::string CustomGalleryPageName(const GallerySettings& g, int page) {
  return g.CustomGalleryPrefix + std::to_string(page) + "." + g.CustomGalleryExt;
}

std::string CustomImagePageName(const GallerySettings& g, const std::string& image) {
  return StripExtension(image) + "." + g.CustomGalleryExt;
}

std::string NoImagePlaceholderMessage(const std::string& path, const std::string& placeholder,
                                      bool empty) {
  const std::string what = "The custom gallery template \"" + path + "\"";
  if (empty) return what + " is missing or empty, so no image can be placed on a page.";
  return what + " holds no image place holder \"" + placeholder +
         "\", so no image can be placed on a page.";
}

int CustomPageCount(const GallerySnapshot& g) {
  const std::string galleryTemplate = ReadWholeText(g.CustomGalleryTemplate);
  if (FindFrom(1, galleryTemplate, g.ImagePlaceHolder) == 0) return 0;
  const NamingValues names = NamingOf(g);
  int k = 0, pages = 0;
  while (k < static_cast<int>(g.images.size())) {
    std::string page = galleryTemplate;
    FillGalleryPage(g, names, page, k, [](int) {});
    ++pages;
  }
  return pages;
}

void CustomTemplatePages::writePages(PageContext& context) { Writer(context).galleryPages(); }

}  // namespace fw
