// What the picture runs (thumbnails, copy and convert, resize) share: how the front end is
// told that a run holds the window, and the folder messages of their first checks.
#pragma once

#include <functional>

namespace fw {

class GalleryValues;

inline constexpr const char* kThumbFolderMessage = "Thumbnail directory could not be created.";
inline constexpr const char* kImageFolderMessage = "Image directory could not be created.";

// A pair of front-end callbacks around a run; either may be empty. What they stand for is
// told by each run (the busy state, the Abort button).
struct RunControls {
  std::function<void()> enter;
  std::function<void()> leave;
};

// Calls `enter` at once and `leave` exactly once: on release() or, when the run ends with
// an error, on destruction, after which the image list of `reloadOnError` is reloaded too
// (when given), so the window comes back usable and shows what the folder now holds.
class RunGuard {
 public:
  explicit RunGuard(const RunControls& controls, GalleryValues* reloadOnError = nullptr);
  RunGuard(const RunControls& controls, GalleryValues& values) : RunGuard(controls, &values) {}
  ~RunGuard();
  RunGuard(const RunGuard&) = delete;
  RunGuard& operator=(const RunGuard&) = delete;
  void release();

 private:
  const RunControls& controls_;
  GalleryValues* values_;
  bool released_ = false;
};

}  // namespace fw
