#include "images/resize_run.h"

#include <vector>

#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/subs.h"
#include "images/image_io.h"
#include "images/scale_ahead.h"

namespace fw {

ResizeChoice ChooseResize(const GalleryValues& values, int width, int height,
                          std::int64_t fileBytes, const std::function<int()>& boxFit) {
  const int longest = width > height ? width : height;
  const bool fits =
      width <= values.integer("MaxImageWidth") && height <= values.integer("MaxImageHeight");
  ResizeChoice c;
  c.size = fits ? longest : boxFit();
  bool resize = values.flag("ResizeByDimensions") && !fits;
  bool recompress = false;
  if (!resize && fileBytes > std::int64_t{values.integer("ImageSize")} * 1000) {
    resize = values.flag("ResizeBySize");
    // "Re-compress only" can be chosen only while "Resize if image larger than" is.
    recompress = resize && values.flag("RecompressBySize");
  }
  if (!resize && values.flag("RecompressAllImages")) recompress = true;
  if (recompress) c.size = longest;
  c.touch = resize || recompress;
  return c;
}

std::string ResizeTarget(const std::string& path) {
  const std::string target = path.substr(0, path.size() >= 4 ? path.size() - 4 : 0) + ".jpg";
  return LowerAscii(target) == LowerAscii(path) ? path : target;
}

namespace {

// What picture i of the list needs; `target` empty when it is left alone.
struct ResizeStep {
  std::string path;
  std::string target;
  int size = 0;
  int quality = 0;
  bool progressive = false;
  bool clash = false;  // the JPEG's name is another picture's
  Sampler sampler = Sampler::Point;

  std::string recipe() const {
    return JpegRecipe(size, quality, progressive, sampler == Sampler::Smooth);
  }
};

ResizeStep PlanResize(const GalleryValues& values, const std::string& image, Sampler sampler) {
  ResizeStep step;
  step.sampler = sampler;
  step.path = ImageFolder(NamingValues::From(values)) + image;
  int width = 0, height = 0;
  GetImageSize(step.path, width, height);
  const ResizeChoice choice = ChooseResize(values, width, height, FileSizeOf(step.path), [&] {
    return FitLongestSide(step.path, values.integer("MaxImageWidth"),
                          values.integer("MaxImageHeight"));
  });
  if (!choice.touch) return step;
  step.target = ResizeTarget(step.path);
  step.clash = step.target != step.path && fs::Exists(step.target);
  step.size = choice.size;
  step.quality = values.integer("ResizeJpegQuality");
  step.progressive = values.flag("ResizedImageIsProgressive");
  return step;
}

}  // namespace

void RunResizeImages(GalleryValues& values, Host& host, const RunControls& busy,
                     const std::function<void()>& restoreButtons, unsigned threads,
                     Sampler sampler) {
  // The buttons come back however the run ends; the busy state is left after them.
  const RunControls controls{busy.enter, [&] {
                               if (restoreButtons) restoreButtons();
                               if (busy.leave) busy.leave();
                             }};
  RunGuard guard(controls, values);
  const std::size_t count = values.images().size();
  // Later pictures are scaled on worker threads; this thread writes and reports in order.
  ScaleAhead ahead(WorkerCount(threads));
  auto plan = [&](std::size_t k) -> std::optional<ScaleAhead::Job> {
    const std::vector<std::string> list = values.images();
    if (k > list.size()) return std::nullopt;
    const ResizeStep step = PlanResize(values, list[k - 1], sampler);
    if (step.target.empty() || step.clash) return std::nullopt;
    return ScaleAhead::Job{step.path, step.target, step.recipe(), [step] {
                             return ScaledJpegData(step.path, step.size, step.quality,
                                                   step.progressive, step.sampler);
                           }};
  };
  bool aborted = false;
  for (std::size_t i = 0; i < count; ++i) {
    ahead.begin(i + 1, count, plan);
    const std::vector<std::string> list = values.images();
    if (i >= list.size()) break;
    const ResizeStep step = PlanResize(values, list[i], sampler);
    if (step.target.empty()) continue;
    if (step.clash) {
      // Another picture holds the JPEG's name; it is never written over.
      host.message("Could not convert " + step.path + " because " + step.target +
                   " already exists. Will continue with next file.");
      continue;
    }
    host.status("Resizing image " + std::to_string(i + 1) + " of " + std::to_string(list.size()));
    host.processEvents();
    std::optional<std::string> jpeg;
    const bool written = ahead.take(host, step.path, step.target, step.recipe(), jpeg)
                             ? !jpeg || WriteScaledJpeg(host, step.target, *jpeg)
                             : MakeScaledJpeg(host, step.path, step.target, step.size, step.quality,
                                              step.progressive, step.sampler);
    ahead.wrote(step.target);
    if (step.target != step.path && written) fs::Delete(step.path);
    host.processEvents();
    if ((aborted = host.abortRequested())) break;
  }
  aborted = aborted || host.abortRequested();
  host.status(aborted ? "Image resizing aborted." : "Finished resizing.");
  host.processEvents();
  values.reloadImages();
  host.beep();
  guard.release();
}

}  // namespace fw
