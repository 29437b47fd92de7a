#include "images/copy_run.h"

#include <map>
#include <optional>
#include <span>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/subs.h"
#include "images/image_io.h"
#include "images/jpeg_writer.h"
#include "images/scale_ahead.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

bool Blank(const std::string& text) {
  for (unsigned char c : text)
    if (c > ' ') return false;
  return true;
}

// An empty folder text enumerates the working folder, so it is resolved as that.
std::string RealFolder(const std::string& folder) {
  return AddBackslash(fs::RealPath(folder.empty() ? "." : folder));
}

// What converting one picture takes: the picture, its target and the settings it uses.
struct Conversion {
  std::string source;
  std::string target;
  int quality = 0;
  bool progressive = false;
  bool shrink = false;  // else at its own size, no pixel resampled
  int size = 0;
  Sampler sampler = Sampler::Point;

  std::string recipe() const {
    return (shrink ? "shrink " : "own ") +
           JpegRecipe(size, quality, progressive, shrink && sampler == Sampler::Smooth);
  }
  // Touches no host and writes nothing: may run on a worker thread.
  std::optional<std::string> jpeg() const {
    if (shrink) return ScaledJpegData(source, size, quality, progressive, sampler);
    return EncodeJpeg(DecodePicture(source), quality, progressive);
  }
};

Conversion PlanConversion(const GallerySettings& s, const std::string& source,
                          const std::string& target, Sampler sampler) {
  Conversion c{source, target, s.JpegQuality, s.SourceResizedImageIsProgressive,
               s.SourceResizeByDimensions};
  c.sampler = sampler;
  if (c.shrink) c.size = FitLongestSide(source, s.SourceMaxImageWidth, s.SourceMaxImageHeight);
  return c;
}

// True when the target was written.
bool Write(Host& host, const Conversion& c, const std::string& jpeg) {
  if (c.shrink) return WriteScaledJpeg(host, c.target, jpeg);
  fs::ReplaceAtomically(c.target, jpeg);
  return true;
}

// The pictures of the run whose file a later one replaced, both having taken its name.
class NameClashes {
 public:
  void wrote(const std::string& target, const std::string& name) {
    auto [at, fresh] = last_.try_emplace(target, name);
    if (fresh) return;
    replaced_.push_back(at->second);
    at->second = name;
  }
  void report(Host& host) const {
    if (replaced_.empty()) return;
    std::string text = kNameTakenMessage;
    for (const std::string& name : replaced_) text += "\r\n" + name;
    host.message(text);
  }

 private:
  std::map<std::string, std::string> last_;  // target path: the picture written there last
  std::vector<std::string> replaced_;
};

// The GIF, BMP and PNG pictures of the source folder, in the order they are converted.
std::vector<std::string> PicturesToConvert(const std::string& source,
                                           std::span<const char* const> patterns) {
  std::vector<std::string> names;
  for (auto& group : fs::ListMasks(source, patterns))
    for (std::string& name : group) names.push_back(std::move(name));
  return names;
}

void ConvertPictures(const GallerySettings& s, Host& host, const std::string& source,
                     const std::vector<std::string>& names, unsigned threads, Sampler sampler,
                     NameClashes& clashes) {
  const std::string imageFolder = ImageFolder(NamingOf(s));
  auto conversion = [&](std::size_t k) {
    return PlanConversion(s, source + names[k - 1],
                          CopyTargetPath(imageFolder, names[k - 1], s.BlankSpace, true), sampler);
  };
  // Later pictures are converted on worker threads; this thread writes and reports in order.
  ScaleAhead ahead(WorkerCount(threads));
  auto plan = [&](std::size_t k) -> std::optional<ScaleAhead::Job> {
    const Conversion c = conversion(k);
    return ScaleAhead::Job{c.source, c.target, c.recipe(), [c] { return c.jpeg(); }};
  };
  for (std::size_t k = 1; k <= names.size(); ++k) {
    ahead.begin(k, names.size(), plan);
    host.status("Converting " + names[k - 1] + " to JPG.");
    host.progress(static_cast<int>(k), static_cast<int>(names.size()));
    host.processEvents();
    const Conversion c = conversion(k);
    std::optional<std::string> jpeg;
    if (!ahead.take(host, c.source, c.target, c.recipe(), jpeg)) jpeg = c.jpeg();
    if (jpeg && Write(host, c, *jpeg)) clashes.wrote(c.target, names[k - 1]);
    ahead.wrote(c.target);
    if (host.abortRequested()) break;
  }
}

}  // namespace

std::string CopyTargetPath(const std::string& imageFolder, const std::string& name,
                           const std::string& blankSpace, bool converted) {
  std::string target = imageFolder + ReplaceAll(name, " ", blankSpace);
  if (converted && target.size() >= 3) target.replace(target.size() - 3, 3, "jpg");
  return target;
}

bool SameFolder(const std::string& a, const std::string& b) {
  return AddBackslash(a) == AddBackslash(b) || RealFolder(a) == RealFolder(b);
}

void RunCopyImages(GalleryValues& values, Host& host, const RunControls& abort, unsigned threads,
                   Sampler sampler) {
  const GallerySnapshot s = TakeSnapshot(values);
  if (Blank(s.BaseDir)) {
    host.beep();
    host.message(kBaseDirNotSpecifiedMessage);
    return;
  }
  if (Blank(s.ImageSourceDir)) {
    host.beep();
    host.message(kSourceNotSpecifiedMessage);
    return;
  }
  const std::string imageFolder = ImageFolder(NamingOf(s));
  if (!fs::IsFolder(imageFolder) && !fs::MakeFolders(imageFolder)) {
    host.beep();
    host.message(kImageFolderMessage);
    return;
  }
  const std::string source = AddBackslash(s.ImageSourceDir);
  if (SameFolder(source, imageFolder)) {
    host.beep();
    host.message(kSameSourceMessage);
    return;
  }

  const bool convert = s.ConvertToJpeg;
  const char* const patterns[] = {"*.jpg", "*.gif", "*.bmp", "*.png"};
  const std::span<const char* const> all(patterns);
  NameClashes clashes;
  for (const char* pattern : convert ? all.first(1) : all) {
    for (const std::string& name : fs::ListMask(source, pattern)) {
      const std::string target = CopyTargetPath(imageFolder, name, s.BlankSpace, false);
      try {
        fs::CopyFile(source + name, target);
        clashes.wrote(target, name);
      } catch (const Error&) {
        host.message("Error copying file \"" + name + "\"");
      }
    }
  }

  if (convert) {
    RunGuard guard(abort, values);
    ConvertPictures(s, host, source, PicturesToConvert(source, all.subspan(1)), threads, sampler,
                    clashes);
    host.status("Finished converting to JPG.");
    guard.release();
    host.beep();
  }

  clashes.report(host);
  values.reloadImages();
}

}  // namespace fw
