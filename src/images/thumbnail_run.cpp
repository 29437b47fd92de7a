#include "images/thumbnail_run.h"

#include <exception>
#include <optional>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/name_clashes.h"
#include "common/naming.h"
#include "common/subs.h"
#include "images/image_io.h"
#include "images/scale_ahead.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

constexpr int kThumbQuality = 75;

std::string SameFolderKey(const std::string& folder) {
  return AddBackslash(fs::RealPath(folder.empty() ? "." : folder));
}

}  // namespace

std::string ThumbnailFailureMessage(const std::string& picturePath, bool renamed) {
  return "Error creating thumbnail for\r\n" + picturePath + "\r\nThe affected file " +
         (renamed ? "has been renamed to" : "could not be renamed to") + "\r\n" + picturePath +
         ".error";
}

ThumbnailClash::ThumbnailClash(const GallerySettings& s) : names_(NamingOf(s)) {
  sameFolder_ = names_.thumbPrefix.empty() &&
                SameFolderKey(ThumbFolder(names_)) == SameFolderKey(ImageFolder(names_));
}

bool ThumbnailClash::hits(const std::string& image) const {
  if (!sameFolder_) return false;
  // The thumbnail name is the picture's own name or that of the JPEG beside a GIF, PNG or
  // BMP picture; whatever file lies there cannot be told from a picture.
  const std::string thumbName = ThumbnailName(names_, image);
  return thumbName == image || fs::Exists(ThumbFolder(names_) + thumbName);
}

void RunThumbnails(GalleryValues& values, Host& host, const RunControls& busy, unsigned threads,
                   Sampler sampler) {
  const GallerySnapshot s = TakeSnapshot(values);
  const std::vector<std::string>& list = s.images;
  if (list.empty()) {
    host.beep();
    host.message(kNoSupportedFilesMessage);
    return;
  }
  const NamingValues names = NamingOf(s);
  const std::string imageFolder = ImageFolder(names);
  if (!ThumbPrefixStaysInFolder(names.thumbPrefix)) {
    host.beep();
    host.message(kThumbPrefixMessage);
    return;
  }
  {
    NameClashes clashes;
    ClaimPictures(clashes, names, list);
    if (clashes.reportTo(host)) return;
  }
  if (!fs::MakeFolders(ThumbFolder(names))) {
    host.beep();
    host.message(kThumbFolderMessage);
    return;
  }
  if (!fs::MakeFolders(imageFolder)) {
    host.beep();
    host.message(kImageFolderMessage);
    return;
  }

  RunGuard guard(busy, values);
  const ThumbnailClash clash(s);
  const std::size_t count = list.size();
  const std::string recipe =
      JpegRecipe(s.ThumbSize, kThumbQuality, true, sampler == Sampler::Smooth);
  // Pictures n .. n + workers - 1 are scaled on worker threads while this thread shows,
  // writes and reports everything in list order, exactly as a run on one thread does.
  ScaleAhead ahead(WorkerCount(threads));
  auto plan = [&](std::size_t k) -> std::optional<ScaleAhead::Job> {
    if (clash.hits(list[k - 1])) return std::nullopt;
    ScaleAhead::Job job{imageFolder + list[k - 1], ThumbnailPath(names, list[k - 1]), recipe, {}};
    job.scale = [picture = job.picture, size = s.ThumbSize, sampler] {
      return ScaledJpegData(picture, PictureKindOf(picture), size, kThumbQuality, true, sampler);
    };
    return job;
  };
  for (std::size_t n = 1; n <= count; ++n) {
    ahead.begin(n, count, plan);
    host.status("Creating thumbnail " + std::to_string(n) + " of " + std::to_string(count));
    host.processEvents();
    const std::string& image = list[n - 1];
    const std::string picture = imageFolder + image;
    if (clash.hits(image)) continue;
    try {
      const std::string target = ThumbnailPath(names, image);
      std::optional<std::string> jpeg;
      if (ahead.take(host, picture, target, recipe, jpeg)) {
        if (jpeg) WriteScaledJpeg(host, target, *jpeg);
      } else {
        MakeScaledJpeg(host, picture, PictureKindOf(picture), target, s.ThumbSize, kThumbQuality,
                       true, sampler);
      }
      ahead.wrote(target);
    } catch (const std::exception&) {
      bool renamed = false;
      try {
        renamed = fs::RenameNoReplace(picture, picture + ".error");
      } catch (const Error&) {
      }
      host.beep();
      host.message(ThumbnailFailureMessage(picture, renamed));
      continue;
    }
    host.processEvents();
  }

  values.reloadImages();
  host.status("Finished creating thumbnails");
  guard.release();
  host.beep();
}

}  // namespace fw
