#include "generator/generation_run.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/fs.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/paths.h"
#include "generator/banners.h"
#include "generator/custom_pages.h"
#include "generator/gallery_page.h"
#include "generator/layout.h"
#include "generator/listed_pictures.h"
#include "generator/page_context.h"
#include "generator/page_hooks.h"
#include "generator/responsive_assets.h"
#include "generator/responsive_gallery.h"
#include "generator/responsive_index.h"
#include "generator/responsive_pictures.h"
#include "generator/site_clashes.h"
#include "images/run_controls.h"
#include "images/thumbnail_pass.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

// Creates the three folders; false after telling the user which one failed.
bool MakeSiteFolders(PageContext& c) {
  const NamingValues names = NamingOf(c.values);
  const struct {
    std::string path;
    const char* message;
  } folders[] = {{c.values.BaseDir, kBaseDirMessage},
                 {ThumbFolder(names), kThumbFolderMessage},
                 {ImageFolder(names), kImageFolderMessage}};
  for (const auto& f : folders) {
    if (fs::IsFolder(f.path)) continue;
    if (!fs::MakeFolders(f.path)) {
      c.host.beep();
      c.host.message(f.message);
      return false;
    }
  }
  return true;
}

// Which thumbnails exist: the thumbnail folder read once, kept up to date with what the run
// writes (a run never starts with a prefix that leaves the folder). A folder that cannot be
// read leaves each name to the file system.
class ThumbnailsPresent {
 public:
  explicit ThumbnailsPresent(std::string folder)
      : folder_(std::move(folder)), names_(fs::ExistingNames(folder_)) {}
  bool has(const std::string& name) const {
    if (!names_) return fs::Exists(folder_ + name);
    return names_->count(name) > 0;
  }
  void add(const std::string& name) {
    if (names_) names_->insert(name);
  }

 private:
  std::string folder_;
  std::optional<std::unordered_set<std::string>> names_;
};

// Thumbnails for the pictures that have none, or only one older than the picture's last
// change. A thumbnail name can coincide with a picture of the list (thumbnails kept beside the
// pictures with an empty prefix); such a picture is never written over. The renamed picture of
// a failure keeps its place in this run's pages; a reload drops it.
void MakeMissingThumbnails(PageContext& c, unsigned threads) {
  const GallerySnapshot& g = c.values;
  const NamingValues names = NamingOf(g);
  const std::string imageFolder = ImageFolder(names), thumbFolder = ThumbFolder(names);
  const ListedPictures listed(g);
  ThumbnailsPresent present(thumbFolder);
  auto stale = [&](const std::string& image, const std::string& name) {
    const std::optional<std::int64_t> picture = fs::ModifiedTime(imageFolder + image);
    const std::optional<std::int64_t> thumbnail = fs::ModifiedTime(thumbFolder + name);
    return picture && thumbnail && *picture > *thumbnail;
  };
  ThumbnailRule rule;
  rule.wanted = [&](const std::string& image) {
    const std::string name = ThumbnailName(names, image);
    return (!present.has(name) || stale(image, name)) &&
           !listed.isPicture(name);
  };
  rule.made = [&](const std::string& image) { present.add(ThumbnailName(names, image)); };
  MakeThumbnails(g, c.host, c.pictures, rule, threads);
}

// The gallery pages of the run, each with the image pages of its pictures.
template <class Writer>
void WritePages(PageContext& c, Writer& writer) {
  c.run.cursor = 0;
  const int pages = c.run.pageCount;
  for (int n = 1; n <= pages; ++n) {
    c.run.page = n;
    c.host.status("Writing page " + std::to_string(n) + " of " + std::to_string(pages));
    c.host.processEvents();
    writer.write();
  }
}

}  // namespace

void RunGeneration(PageContext& c, CustomPages* custom, const RunControls& busy,
                   const SampleDraw& draw, unsigned threads) {
  const GallerySnapshot& g = c.values;
  if (g.images.empty()) {
    c.host.beep();
    c.host.message(kNoImagesMessage);
    return;
  }
  if (!ThumbPrefixStaysInFolder(g.ThumbPrefix)) {
    c.host.beep();
    c.host.message(kThumbPrefixMessage);
    return;
  }
  if (FindSiteClashes(g).reportTo(c.host)) return;
  if (!MakeSiteFolders(c)) return;

  RunGuard guard(busy);
  MakeMissingThumbnails(c, threads);
  if (g.Template == kResponsiveTemplate) MakeResponsivePictures(c);

  if (g.Template == kCustomTemplate) {
    if (custom) custom->writePages(c);
  } else {
    c.run.pageCount =
        PageCount(g.Template, g.Rows, g.Columns, static_cast<int>(g.images.size()), &c.host);
    c.run.imagesPerPage = ImagesPerPage(g.Template, g.Rows, g.Columns);
    if (g.WriteScriptFile) c.banners.writeScriptFiles();

    if (g.Template == kResponsiveTemplate) {
      WriteResponsiveAssets(g);
      ResponsiveGalleryWriter writer(c);
      WritePages(c, writer);
      WriteResponsiveIndex(c, draw);
    } else {
      GalleryPageWriter writer(c);
      WritePages(c, writer);
      WriteIndexPage(c, draw);
    }
    c.host.open(AddBackslash(g.BaseDir) + g.IndexFile);
  }

  c.host.status("Finished");
  guard.release();
  c.host.beep();
}

void RunGo(const GalleryValues& source, Host& host, const RunControls& busy) {
  const GallerySnapshot snapshot = TakeSnapshot(source);
  GalleryBanners banners(snapshot);
  CustomTemplatePages custom;
  RunValues run;
  PageContext c{snapshot, host, LibraryPictures(), banners, run};
  RunGeneration(c, &custom, busy);
}

}  // namespace fw
