// The one loop that makes a list's thumbnails, shared by the "Thumbs" command and Go's
// missing-thumbnail pass, which differ only in the pictures they pass over and in what they
// show for those. A picture that cannot be made into a thumbnail is renamed with ".error".
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "images/image_io.h"

namespace fw {

class Host;
struct GallerySnapshot;

inline constexpr int kThumbnailQuality = 75;

// Where thumbnails are made: the library's scaler, or a test's stand-in.
class ThumbnailMaker {
 public:
  virtual ~ThumbnailMaker() = default;
  // The thumbnail of `source` as JPEG bytes, `longestSide` pixels on its longest side; empty
  // when nothing would be written. Raises when the picture cannot be read. Writes nothing and
  // touches `host` only to let its events run, so it may run on any thread.
  virtual std::optional<std::string> prepare(Host& host, const std::string& source,
                                             int longestSide, Sampler sampler) = 0;
  // Writes them to `target`; false when it could not be written (the host has been told).
  virtual bool write(Host& host, const std::string& target, const std::string& bytes) = 0;
};

// MakeScaledJpeg's two steps at the thumbnails' quality, progressive.
ThumbnailMaker& LibraryThumbnails();

// Which pictures a pass makes thumbnails for.
struct ThumbnailRule {
  // Whether `image` gets a thumbnail; asked again on its turn, once the thumbnails before it
  // were written.
  std::function<bool(const std::string& image)> wanted;
  // Told of each thumbnail written; may be empty.
  std::function<void(const std::string& image)> made;
  // Every picture's turn shows its status and lets events run before `wanted` is asked;
  // otherwise only the pictures that get a thumbnail show theirs.
  bool statusForEveryPicture = false;
};

// The thumbnails of the snapshot's image list at its `ThumbSize`, smooth when its
// `SmoothPictures` says so, in list order, prepared on
// `threads` worker threads (0: one per core) while what the user sees and every file written
// or renamed follow the order of a one-thread run. A failed picture is reported and the pass
// goes on.
void MakeThumbnails(const GallerySnapshot& s, Host& host, ThumbnailMaker& maker,
                    const ThumbnailRule& rule, unsigned threads);

// The report for a picture that could not be made into a thumbnail; `renamed` tells whether
// the ".error" rename went through (it never replaces an existing file).
std::string ThumbnailFailureMessage(const std::string& picturePath, bool renamed);

}  // namespace fw
