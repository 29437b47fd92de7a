#include "images/thumbnail_run.h"

#include <chrono>
#include <deque>
#include <exception>
#include <future>
#include <optional>
#include <thread>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/subs.h"
#include "images/image_io.h"

namespace fw {
namespace {

constexpr int kThumbQuality = 75;

// A picture scaled ahead on a worker thread, with what it was made from: the front end's thread
// takes it only when the picture, target and size it would use itself are the same.
struct Ahead {
  std::string picture;
  std::string target;
  int size = 0;
  std::size_t writesBefore = 0;                  // thumbnails written when it started
  std::future<std::optional<std::string>> jpeg;  // invalid when nothing was started
};

unsigned WorkerCount(unsigned threads) {
  if (threads == 0) threads = std::thread::hardware_concurrency();
  return threads == 0 ? 1 : threads;
}

std::string SameFolderKey(const std::string& folder) {
  return AddBackslash(fs::RealPath(folder.empty() ? "." : folder));
}

}  // namespace

std::string ThumbnailFailureMessage(const std::string& picturePath, bool renamed) {
  return "Error creating thumbnail for\r\n" + picturePath + "\r\nThe affected file " +
         (renamed ? "has been renamed to" : "could not be renamed to") + "\r\n" + picturePath +
         ".error";
}

bool ThumbnailHitsPicture(const GalleryValues& values, const std::string& image) {
  const NamingValues names = NamingValues::From(values);
  if (!names.thumbPrefix.empty()) return false;
  if (SameFolderKey(ThumbFolder(names)) != SameFolderKey(ImageFolder(names))) return false;
  // The thumbnail name is the picture's own name or that of the JPEG beside a GIF, PNG or
  // BMP picture; whatever file lies there cannot be told from a picture.
  const std::string thumbName = ThumbnailName(names, image);
  return thumbName == image || fs::Exists(ThumbFolder(names) + thumbName);
}

void RunThumbnails(GalleryValues& values, Host& host, const RunControls& busy, unsigned threads) {
  const std::vector<std::string> atStart = values.images();
  if (atStart.empty()) {
    host.beep();
    host.message(kNoSupportedFilesMessage);
    return;
  }
  {
    const NamingValues names = NamingValues::From(values);
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
  }

  RunGuard guard(busy, values);
  const std::size_t count = atStart.size();
  const unsigned workers = WorkerCount(threads);
  // Pictures n .. n + workers - 1 are scaled on worker threads while this thread shows,
  // writes and reports everything in list order, exactly as a run on one thread does.
  std::deque<Ahead> ahead;
  std::size_t planned = 0;
  // Every thumbnail written so far: one may be a later picture of the list (a thumbnail kept
  // beside the pictures under a prefix), which a one-thread run reads as just written.
  std::vector<std::string> written;
  auto writtenSince = [&](std::size_t from, const std::string& picture) {
    const std::string real = fs::RealPath(picture);
    for (std::size_t i = from; i < written.size(); ++i)
      if (written[i] == real) return true;
    return false;
  };
  auto startAhead = [&](std::size_t k) {
    Ahead a;
    try {
      const std::vector<std::string> list = values.images();
      if (k <= list.size() && !ThumbnailHitsPicture(values, list[k - 1])) {
        const NamingValues names = NamingValues::From(values);
        a.picture = ImageFolder(names) + list[k - 1];
        a.target = ThumbnailPath(names, list[k - 1]);
        a.size = values.integer("ThumbSize");
        a.writesBefore = written.size();
        a.jpeg =
            std::async(std::launch::async, ScaledJpegData, a.picture, a.size, kThumbQuality, true);
      }
    } catch (const std::exception&) {
      // Left to the picture's own turn, which meets the same failure in its place.
    }
    ahead.push_back(std::move(a));
  };
  for (std::size_t n = 1; n <= count; ++n) {
    if (workers > 1) {
      while (planned < count && planned < n - 1 + workers) startAhead(++planned);
    }
    std::optional<Ahead> mine;
    if (!ahead.empty()) {
      mine = std::move(ahead.front());
      ahead.pop_front();
    }
    const std::vector<std::string> list = values.images();
    if (n > list.size()) break;
    host.status("Creating thumbnail " + std::to_string(n) + " of " + std::to_string(list.size()));
    host.processEvents();
    const std::string& image = list[n - 1];
    const NamingValues names = NamingValues::From(values);
    const std::string picture = ImageFolder(names) + image;
    if (ThumbnailHitsPicture(values, image)) continue;
    try {
      const std::string target = ThumbnailPath(names, image);
      const int size = values.integer("ThumbSize");
      if (mine && mine->jpeg.valid() && mine->picture == picture && mine->target == target &&
          mine->size == size && !writtenSince(mine->writesBefore, picture)) {
        using namespace std::chrono_literals;
        while (mine->jpeg.wait_for(20ms) != std::future_status::ready) host.processEvents();
        const std::optional<std::string> jpeg = mine->jpeg.get();
        if (jpeg) WriteScaledJpeg(host, target, *jpeg);
      } else {
        MakeScaledJpeg(host, picture, target, size, kThumbQuality, true);
      }
      if (workers > 1) written.push_back(fs::RealPath(target));
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
