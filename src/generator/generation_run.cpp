#include "generator/generation_run.h"

#include <exception>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/subs.h"
#include "generator/extensions.h"
#include "generator/gallery_page.h"
#include "generator/layout.h"
#include "generator/page_context.h"
#include "images/run_controls.h"
#include "images/scale_ahead.h"
#include "images/thumbnail_run.h"

namespace fw {
namespace {

// Leaves the busy state however the run ends, so the window stays usable after an error.
class BusyGuard {
 public:
  explicit BusyGuard(const BusyControls& busy) : busy_(busy) {
    if (busy_.enter) busy_.enter();
  }
  ~BusyGuard() { release(); }
  void release() {
    if (done_) return;
    done_ = true;
    if (busy_.leave) busy_.leave();
  }

 private:
  const BusyControls& busy_;
  bool done_ = false;
};

// Creates the three folders; false after telling the user which one failed.
bool MakeSiteFolders(PageContext& c) {
  const NamingValues names = NamingValues::From(c.values);
  const struct {
    std::string path;
    const char* message;
  } folders[] = {{c.values.text("BaseDir"), kBaseDirMessage},
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

// Thumbnails for the pictures that have none. A thumbnail name can coincide with a picture of
// the list (thumbnails kept beside the pictures with an empty prefix); such a picture is never
// written over. Thumbnails are prepared ahead on `threads` worker threads while this thread
// keeps the order of a one-thread run.
void MakeMissingThumbnails(PageContext& c, unsigned threads) {
  const GalleryValues& g = c.values;
  const std::vector<std::string> images = g.images();
  std::set<std::string> picturePaths;
  {
    const std::string folder = AddBackslash(fs::RealPath(ImageFolder(NamingValues::From(g))));
    for (const std::string& image : images) picturePaths.insert(folder + image);
  }
  auto needsThumbnail = [&](const NamingValues& names, const std::string& image) {
    return !fs::Exists(ThumbnailPath(names, image)) &&
           !picturePaths.count(AddBackslash(fs::RealPath(ThumbFolder(names))) +
                               ThumbnailName(names, image));
  };
  ScaleAhead ahead(WorkerCount(threads));
  auto plan = [&](std::size_t k) -> std::optional<ScaleAhead::Job> {
    const std::string& image = images[k - 1];
    const NamingValues names = NamingValues::From(g);
    if (!needsThumbnail(names, image)) return std::nullopt;
    const int size = g.integer("ThumbSize");
    ScaleAhead::Job job{
        ImageFolder(names) + image, ThumbnailPath(names, image), std::to_string(size), {}};
    job.scale = [&pictures = c.pictures, picture = job.picture, size] {
      return pictures.prepare(picture, size);
    };
    return job;
  };
  const int count = static_cast<int>(images.size());
  for (int n = 1; n <= count; ++n) {
    ahead.begin(static_cast<std::size_t>(n), images.size(), plan);
    const std::string& image = images[static_cast<std::size_t>(n - 1)];
    const NamingValues names = NamingValues::From(g);
    if (!needsThumbnail(names, image)) continue;
    const std::string thumbPath = ThumbnailPath(names, image);
    c.host.status("Creating thumbnail " + std::to_string(n) + " of " + std::to_string(count));
    const std::string picture = ImageFolder(names) + image;
    try {
      const int size = g.integer("ThumbSize");
      std::optional<std::string> bytes;
      if (ahead.take(c.host, picture, thumbPath, std::to_string(size), bytes)) {
        if (bytes) c.pictures.write(c.host, thumbPath, *bytes);
      } else {
        c.pictures.makeThumbnail(c.host, picture, thumbPath, size);
      }
      ahead.wrote(thumbPath);
    } catch (const std::exception&) {
      // The renamed picture keeps its place in this run's pages; a reload drops it. A picture
      // that cannot be renamed (gone since the list was read, say) must not end the run.
      bool renamed = false;
      try {
        renamed = fs::RenameNoReplace(picture, picture + ".error");
      } catch (const std::exception&) {
      }
      c.host.beep();
      c.host.message(ThumbnailFailureMessage(picture, renamed));
      continue;
    }
    c.host.processEvents();
  }
}

}  // namespace

void RunGeneration(PageContext& c, CustomPages* custom, const BusyControls& busy,
                   const SampleDraw& draw, unsigned threads) {
  const GalleryValues& g = c.values;
  if (g.images().empty()) {
    c.host.beep();
    c.host.message(kNoImagesMessage);
    return;
  }
  if (!ThumbPrefixStaysInFolder(NamingValues::From(g).thumbPrefix)) {
    c.host.beep();
    c.host.message(kThumbPrefixMessage);
    return;
  }
  if (!MakeSiteFolders(c)) return;

  BusyGuard guard(busy);
  MakeMissingThumbnails(c, threads);

  if (g.integer("Template") == kCustomTemplate) {
    if (custom) custom->writePages(c);
  } else {
    c.run.pageCount = PageCount(g, &c.host);
    c.run.imagesPerPage =
        ImagesPerPage(g.integer("Template"), g.integer("Rows"), g.integer("Columns"));
    if (g.flag("WriteScriptFile")) c.banners.writeScriptFiles();

    c.run.cursor = 0;
    const int pages = c.run.pageCount;
    for (int n = 1; n <= pages; ++n) {
      c.run.page = n;
      c.host.status("Writing page " + std::to_string(n) + " of " + std::to_string(pages));
      c.host.processEvents();
      WriteGalleryPage(c);
    }
    WriteIndexPage(c, draw);
    c.host.open(AddBackslash(g.text("BaseDir")) + g.text("IndexFile"));
  }

  c.host.status("Finished");
  guard.release();
  c.host.beep();
}

}  // namespace fw
