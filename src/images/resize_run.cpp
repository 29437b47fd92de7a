#include "images/resize_run.h"

#include <vector>

#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/paths.h"
#include "images/image_io.h"
#include "images/picture_location.h"
#include "images/scale_ahead.h"
#include "settings/gallery_snapshot.h"

namespace fw {

ResizeChoice ChooseResize(const GallerySettings& s, int width, int height, std::int64_t fileBytes,
                          const std::function<int()>& boxFit) {
  const int longest = width > height ? width : height;
  const bool fits = width <= s.MaxImageWidth && height <= s.MaxImageHeight;
  ResizeChoice c;
  c.size = fits ? longest : boxFit();
  bool resize = s.ResizeByDimensions && !fits;
  bool recompress = false;
  if (!resize && fileBytes > std::int64_t{s.ImageSize} * 1000) {
    resize = s.ResizeBySize;
    // "Re-compress only" can be chosen only while "Resize if image larger than" is.
    recompress = resize && s.RecompressBySize;
  }
  if (!resize && s.RecompressAllImages) recompress = true;
  if (recompress) c.size = longest;
  c.touch = resize || recompress;
  return c;
}

std::string ResizeTarget(const std::string& path) {
  if (AnyPictureKind(path) == PictureKind::Jpeg) return path;
  return WithJpgExtension(path);
}

namespace {

// What picture i of the list needs; `target` empty when it is left alone.
struct ResizeStep {
  std::string path;
  PictureKind kind = PictureKind::None;
  std::string target;
  int size = 0;
  int quality = 0;
  bool progressive = false;
  bool clash = false;  // the JPEG's name is another picture's
  Sampler sampler = Sampler::Point;

  PreparedJob job() const {
    return {path, target, JpegRecipe(size, quality, progressive, sampler == Sampler::Smooth),
            [step = *this](Host& host) {
              return ScaledJpegData(host, step.path, step.kind, step.size,
                                    step.quality, step.progressive, step.sampler);
            }};
  }
};

ResizeStep PlanResize(const GallerySettings& s, const std::string& imageFolder,
                      const std::string& image) {
  ResizeStep step;
  step.sampler = SamplerOf(s.SmoothPictures);
  step.path = imageFolder + image;
  step.kind = PictureKindOf(step.path);
  const ImageSize size = GetImageSize(step.path, step.kind);
  const ResizeChoice choice = ChooseResize(s, size.width, size.height, FileSizeOf(step.path), [&] {
    return FitLongestSide(step.path, step.kind, s.MaxImageWidth, s.MaxImageHeight);
  });
  if (!choice.touch) return step;
  step.target = ResizeTarget(step.path);
  step.clash = step.target != step.path && fs::Exists(step.target);
  step.size = choice.size;
  step.quality = s.ResizeJpegQuality;
  step.progressive = s.ResizedImageIsProgressive;
  return step;
}

// A JPEG or WebP picture the run leaves as it is loses its location data in place: rewritten
// only when it held some, its image data untouched.
void RemoveLocationInPlace(const ResizeStep& step) {
  if (step.kind != PictureKind::Jpeg && step.kind != PictureKind::Webp) return;
  std::string bytes = fs::ReadFile(step.path);
  if (RemovePictureLocation(bytes, step.kind)) fs::ReplaceAtomically(step.path, bytes);
}

}  // namespace

void RunResizeImages(GalleryValues& values, Host& host, const RunControls& busy,
                     const std::function<void()>& restoreButtons, unsigned threads) {
  // The buttons come back however the run ends; the busy state is left after them.
  const RunControls controls{busy.enter, [&] {
                               if (restoreButtons) restoreButtons();
                               if (busy.leave) busy.leave();
                             }};
  RunGuard guard(controls, values);
  const GallerySnapshot s = TakeSnapshot(values);
  const std::vector<std::string>& list = s.images;
  const std::string imageFolder = ImageFolder(NamingOf(s));
  // Later pictures are scaled on worker threads; this thread writes and reports in order.
  auto plan = [&](std::size_t k) -> std::optional<PreparedJob> {
    const ResizeStep step = PlanResize(s, imageFolder, list[k - 1]);
    if (step.target.empty() || step.clash) return std::nullopt;
    return step.job();
  };
  bool aborted = false;
  RunInListOrder(host, list.size(), threads, plan, [&](std::size_t k, Prepared& prepared) {
    const ResizeStep step = PlanResize(s, imageFolder, list[k - 1]);
    if (step.target.empty()) {
      if (s.RemoveLocation) RemoveLocationInPlace(step);
      return true;
    }
    if (step.clash) {
      // Another picture holds the JPEG's name; it is never written over.
      host.message("Could not convert " + step.path + " because " + step.target +
                   " already exists. Will continue with next file.");
      return true;
    }
    host.status("Resizing image " + std::to_string(k) + " of " + std::to_string(list.size()));
    host.processEvents();
    const std::optional<std::string> jpeg = prepared.result(step.job());
    const bool written = !jpeg || WriteScaledJpeg(host, step.target, *jpeg);
    if (step.target != step.path && written) fs::Delete(step.path);
    host.processEvents();
    return !(aborted = host.abortRequested());
  });
  aborted = aborted || host.abortRequested();
  host.status(aborted ? "Image resizing aborted." : "Finished resizing.");
  host.processEvents();
  values.reloadImages();
  host.beep();
  guard.release();
}

}  // namespace fw
