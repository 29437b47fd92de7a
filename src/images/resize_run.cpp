#include "images/resize_run.h"

#include <vector>

#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/subs.h"
#include "images/image_io.h"

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

void RunResizeImages(GalleryValues& values, Host& host, const RunControls& busy,
                     const std::function<void()>& restoreButtons) {
  // The buttons come back however the run ends; the busy state is left after them.
  const RunControls controls{busy.enter, [&] {
                               if (restoreButtons) restoreButtons();
                               if (busy.leave) busy.leave();
                             }};
  RunGuard guard(controls, values);
  const std::size_t count = values.images().size();
  bool aborted = false;
  for (std::size_t i = 0; i < count; ++i) {
    const std::vector<std::string> list = values.images();
    if (i >= list.size()) break;
    const std::string path = ImageFolder(NamingValues::From(values)) + list[i];
    int width = 0, height = 0;
    GetImageSize(path, width, height);
    const ResizeChoice choice = ChooseResize(values, width, height, FileSizeOf(path), [&] {
      return FitLongestSide(path, values.integer("MaxImageWidth"),
                            values.integer("MaxImageHeight"));
    });
    if (!choice.touch) continue;
    const std::string target = ResizeTarget(path);
    const bool converting = target != path;
    if (converting && fs::Exists(target)) {
      // Another picture holds the JPEG's name; it is never written over.
      host.message("Could not convert " + path + " because " + target +
                   " already exists. Will continue with next file.");
      continue;
    }
    host.status("Resizing image " + std::to_string(i + 1) + " of " + std::to_string(list.size()));
    host.processEvents();
    const bool written =
        MakeScaledJpeg(host, path, target, choice.size, values.integer("ResizeJpegQuality"),
                       values.flag("ResizedImageIsProgressive"));
    if (converting && written) fs::Delete(path);
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
