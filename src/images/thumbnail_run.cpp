#include "images/thumbnail_run.h"

#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/name_clashes.h"
#include "common/naming.h"
#include "common/paths.h"
#include "images/image_io.h"
#include "images/thumbnail_pass.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

std::string SameFolderKey(const std::string& folder) {
  return AddBackslash(fs::RealPath(folder.empty() ? "." : folder));
}

}  // namespace

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

void RunThumbnails(GalleryValues& values, Host& host, const RunControls& busy, unsigned threads) {
  const GallerySnapshot s = TakeSnapshot(values);
  if (s.images.empty()) {
    host.beep();
    host.message(kNoSupportedFilesMessage);
    return;
  }
  const NamingValues names = NamingOf(s);
  if (!ThumbPrefixStaysInFolder(names.thumbPrefix)) {
    host.beep();
    host.message(kThumbPrefixMessage);
    return;
  }
  {
    NameClashes clashes;
    ClaimPictures(clashes, names, s.images);
    if (clashes.reportTo(host)) return;
  }
  if (!fs::MakeFolders(ThumbFolder(names))) {
    host.beep();
    host.message(kThumbFolderMessage);
    return;
  }
  if (!fs::MakeFolders(ImageFolder(names))) {
    host.beep();
    host.message(kImageFolderMessage);
    return;
  }

  RunGuard guard(busy, values);
  const ThumbnailClash clash(s);
  ThumbnailRule rule;
  rule.wanted = [&clash](const std::string& image) { return !clash.hits(image); };
  rule.statusForEveryPicture = true;
  MakeThumbnails(s, host, LibraryThumbnails(), rule, threads);

  values.reloadImages();
  host.status("Finished creating thumbnails");
  guard.release();
  host.beep();
}

}  // namespace fw
