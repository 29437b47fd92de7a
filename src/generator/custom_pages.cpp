#include "generator/custom_pages.h"

#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/subs.h"
#include "generator/page_context.h"
#include "generator/page_file.h"

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

// A page made from a template must never be written over that template.
void RefuseTemplateTarget(const std::string& page, const std::string& templatePath) {
  if (templatePath.empty() || !fs::IsFile(templatePath) || !fs::Exists(page)) return;
  if (fs::RealPath(page) == fs::RealPath(templatePath))
    throw Error("The page " + page + " would overwrite the custom template it is made from.");
}

class Writer {
 public:
  explicit Writer(PageContext& c) : c_(c), g_(c.values), images_(g_.images()) {}

  void galleryPages() {
    const int count = static_cast<int>(images_.size());
    c_.run.images = images_;
    int k = 0;
    int p = 1;
    while (k < count) {
      c_.run.page = p;
      c_.host.status("Writing gallery page " + std::to_string(p));
      c_.host.processEvents();
      const std::string templatePath = g_.text("CustomGalleryTemplate");
      std::string page = ReadWholeText(templatePath);
      const std::string imageMark = g_.text("ImagePlaceHolder");
      if (FindFrom(1, page, imageMark) == 0)
        throw Error(NoImagePlaceholderMessage(templatePath, imageMark, page.empty()));
      const std::string pageName = CustomGalleryPageName(g_, p);
      while (k < count && FindFrom(1, page, g_.text("ImagePlaceHolder")) != 0) {
        const std::string& image = images_[static_cast<std::size_t>(k)];
        const NamingValues names = NamingValues::From(g_);
        c_.run.cursor = k;
        if (g_.flag("UseCustomImageShell")) {
          ReplaceFirst(page, g_.text("ImagePlaceHolder"), CustomImagePageName(g_, image));
          imagePage(k, pageName);
        } else {
          ReplaceFirst(page, g_.text("ImagePlaceHolder"), ImageUrl(names, image));
        }
        if (!ReplaceFirst(page, g_.text("ThumbPlaceHolder"), ThumbnailUrl(names, image)))
          page.insert(0, ThumbnailUrl(names, image));
        ++k;
      }
      c_.run.cursor = k;
      const std::string path = AddBackslash(g_.text("BaseDir")) + pageName;
      RefuseTemplateTarget(path, templatePath);
      RefuseTemplateTarget(path, g_.text("CustomImageTemplate"));
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
    const std::string templatePath = g_.text("CustomImageTemplate");
    std::string page = ReadWholeText(templatePath);
    page =
        ReplaceAll(page, g_.text("ImagePagePlaceHolder"), ImageUrl(NamingValues::From(g_), image));
    page = ReplaceAll(page, g_.text("PreviousPlaceHolder"), CustomImagePageName(g_, previous));
    page = ReplaceAll(page, g_.text("NextPlaceHolder"), CustomImagePageName(g_, next));
    page = ReplaceAll(page, g_.text("GalleryPlaceHolder"), galleryPage);
    const std::string path = AddBackslash(g_.text("BaseDir")) + CustomImagePageName(g_, image);
    RefuseTemplateTarget(path, templatePath);
    RefuseTemplateTarget(path, g_.text("CustomGalleryTemplate"));
    WriteWholeText(path, page);
  }

  PageContext& c_;
  const GalleryValues& g_;
  const std::vector<std::string> images_;
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

std::string CustomGalleryPageName(const GalleryValues& g, int page) {
  return g.text("CustomGalleryPrefix") + std::to_string(page) + "." + g.text("CustomGalleryExt");
}

std::string CustomImagePageName(const GalleryValues& g, const std::string& image) {
  return StripExtension(image) + "." + g.text("CustomGalleryExt");
}

std::string NoImagePlaceholderMessage(const std::string& path, const std::string& placeholder,
                                      bool empty) {
  const std::string what = "The custom gallery template \"" + path + "\"";
  if (empty) return what + " is missing or empty, so no image can be placed on a page.";
  return what + " holds no image place holder \"" + placeholder +
         "\", so no image can be placed on a page.";
}

void CustomTemplatePages::writePages(PageContext& context) { Writer(context).galleryPages(); }

}  // namespace fw
