// The "Thumbs" command: a fresh thumbnail for every picture of the image list, replacing the
// thumbnails that exist. A picture that cannot be made into a thumbnail is renamed with
// ".error" so that it drops out of the list.
#pragma once

#include <string>

#include "common/naming.h"
#include "images/image_io.h"
#include "images/run_controls.h"
#include "images/thumbnail_pass.h"

namespace fw {

class GalleryValues;
class Host;
struct GallerySettings;

inline constexpr const char* kNoSupportedFilesMessage =
    "There are no supported files in the image directory";

// `busy.enter` disables "Resize large images" and the thumbnail folder field and enters the
// busy state; `busy.leave` undoes both. Errors other than those of single pictures end the
// run after the busy state was left and the list reloaded.
// Pictures are scaled on `threads` worker threads (0: one per core) while everything the user
// sees, and every file written or renamed, follows the list order of a one-thread run.
void RunThumbnails(GalleryValues& values, Host& host, const RunControls& busy,
                   unsigned threads = 0);

// Whether making a thumbnail would write over a picture: only when thumbnails are kept in the
// image folder itself without a prefix do their names fall on pictures. The folders are
// compared once.
class ThumbnailClash {
 public:
  explicit ThumbnailClash(const GallerySettings& s);
  bool hits(const std::string& image) const;

 private:
  NamingValues names_;
  bool sameFolder_ = false;
};

}  // namespace fw
