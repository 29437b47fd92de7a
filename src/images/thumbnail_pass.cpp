#include "images/thumbnail_pass.h"

#include <exception>
#include <vector>

#include "common/fs.h"
#include "common/host.h"
#include "common/naming.h"
#include "images/scale_ahead.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

class ImageIoThumbnails : public ThumbnailMaker {
 public:
  std::optional<std::string> prepare(Host& host, const std::string& source, int longestSide,
                                     Sampler sampler) override {
    return ScaledJpegData(host, source, PictureKindOf(source), longestSide, kThumbnailQuality, true,
                          sampler);
  }
  bool write(Host& host, const std::string& target, const std::string& bytes) override {
    return WriteScaledJpeg(host, target, bytes);
  }
};

// A picture that cannot be renamed (gone since the list was read, say) must not end the run.
void ReportFailure(Host& host, const std::string& picture) {
  bool renamed = false;
  try {
    renamed = fs::RenameNoReplace(picture, picture + ".error");
  } catch (const std::exception&) {
  }
  host.beep();
  host.message(ThumbnailFailureMessage(picture, renamed));
}

}  // namespace

ThumbnailMaker& LibraryThumbnails() {
  static ImageIoThumbnails thumbnails;
  return thumbnails;
}

std::string ThumbnailFailureMessage(const std::string& picturePath, bool renamed) {
  return "Error creating thumbnail for\r\n" + picturePath + "\r\nThe affected file " +
         (renamed ? "has been renamed to" : "could not be renamed to") + "\r\n" + picturePath +
         ".error";
}

void MakeThumbnails(const GallerySnapshot& s, Host& host, ThumbnailMaker& maker,
                    const ThumbnailRule& rule, unsigned threads) {
  const std::vector<std::string>& list = s.images;
  const NamingValues names = NamingOf(s);
  const std::string imageFolder = ImageFolder(names);
  const int size = s.ThumbSize;
  const Sampler sampler = SamplerOf(s.SmoothPictures);
  const std::string recipe =
      JpegRecipe(size, kThumbnailQuality, true, sampler == Sampler::Smooth);
  auto job = [&](std::size_t k) -> std::optional<PreparedJob> {
    const std::string& image = list[k - 1];
    if (!rule.wanted(image)) return std::nullopt;
    const std::string picture = imageFolder + image;
    return PreparedJob{picture, ThumbnailPath(names, image), recipe,
                       [&maker, picture, size, sampler](Host& h) {
                         return maker.prepare(h, picture, size, sampler);
                       }};
  };
  const std::string count = std::to_string(list.size());
  RunInListOrder(host, list.size(), threads, job, [&](std::size_t n, Prepared& prepared) {
    const std::string status = "Creating thumbnail " + std::to_string(n) + " of " + count;
    if (rule.statusForEveryPicture) {
      host.status(status);
      host.processEvents();
    }
    const std::optional<PreparedJob> thumbnail = job(n);
    if (!thumbnail) return true;
    if (!rule.statusForEveryPicture) host.status(status);
    try {
      const std::optional<std::string> bytes = prepared.result(*thumbnail);
      if (bytes && maker.write(host, thumbnail->target, *bytes) && rule.made)
        rule.made(list[n - 1]);
    } catch (const std::exception&) {
      ReportFailure(host, thumbnail->picture);
      return true;
    }
    host.processEvents();
    return true;
  });
}

}  // namespace fw
