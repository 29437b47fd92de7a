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
#include "common/paths.h"
#include "common/text.h"
#include "images/image_io.h"
#include "images/jpeg_writer.h"
#include "images/picture_location.h"
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
  PictureKind kind = PictureKind::None;
  std::string target;
  int quality = 0;
  bool progressive = false;
  bool shrink = false;  // else at its own size, no pixel resampled
  int size = 0;
  Sampler sampler = Sampler::Point;

  // Touches no host and writes nothing: may run on a worker thread.
  PreparedJob job() const {
    return {source, target,
            (shrink ? "shrink " : "own ") +
                JpegRecipe(size, quality, progressive, shrink && sampler == Sampler::Smooth),
            [c = *this](Host&) -> std::optional<std::string> {
              if (c.shrink)
                return ScaledJpegData(c.source, c.kind, c.size, c.quality, c.progressive,
                                      c.sampler);
              return EncodeJpeg(DecodePicture(c.source, c.kind), c.quality, c.progressive);
            }};
  }
};

Conversion PlanConversion(const GallerySettings& s, const std::string& source,
                          const std::string& target) {
  Conversion c{source,
               PictureKindOf(source),
               target,
               s.JpegQuality,
               s.SourceResizedImageIsProgressive,
               s.SourceResizeByDimensions};
  c.sampler = SamplerOf(s.SmoothPictures);
  if (c.shrink)
    c.size = FitLongestSide(source, c.kind, s.SourceMaxImageWidth, s.SourceMaxImageHeight);
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

// Copied as they are, in this order: the galleries' four kinds (only the JPEGs when
// converting); with the web kinds listed, WebP and AVIF (when not converting) and the other
// spellings of a JPEG's name, which are copied under a ".jpg" one.
constexpr const char* kCopiedPatterns[] = {"*.jpg", "*.gif", "*.bmp", "*.png"};
constexpr const char* kWebPatterns[] = {"*.webp", "*.avif"};
constexpr const char* kJpegSpellings[] = {"*.jpeg", "*.jpe", "*.jfif"};
// Converted, in this order: the galleries' kinds first, so that a folder holding only those
// converts as it always has; with the web kinds listed, the phone, web and scanner kinds.
constexpr const char* kConvertedPatterns[] = {"*.gif",  "*.bmp",  "*.png", "*.heic", "*.heif",
                                              "*.avif", "*.webp", "*.tif", "*.tiff"};

std::vector<std::string> Matching(const std::string& source,
                                  std::span<const char* const> patterns) {
  std::vector<std::string> names;
  for (auto& group : fs::ListMasks(source, patterns))
    for (std::string& name : group) names.push_back(std::move(name));
  return names;
}

struct CopiedPicture {
  std::string name;
  bool jpgName = false;  // copied under its name with ".jpg" for its extension
};

std::vector<CopiedPicture> PicturesToCopy(const std::string& source, bool convert, bool web) {
  std::vector<CopiedPicture> pictures;
  auto add = [&](std::span<const char* const> patterns, bool jpgName) {
    for (std::string& name : Matching(source, patterns))
      pictures.push_back({std::move(name), jpgName});
  };
  const std::span<const char* const> copied(kCopiedPatterns);
  add(convert ? copied.first(1) : copied, false);
  if (web && !convert) add(kWebPatterns, false);
  if (web) add(kJpegSpellings, true);
  return pictures;
}

std::vector<std::string> PicturesToConvert(const std::string& source, bool web) {
  const std::span<const char* const> converted(kConvertedPatterns);
  return Matching(source, web ? converted : converted.first(3));
}

// A picture copied without its location data keeps every other byte; a file that needs no
// change is copied as it is.
void CopyPicture(const std::string& from, const std::string& to, bool removeLocation) {
  std::string bytes;
  if (removeLocation && RemovePictureLocation(bytes = fs::ReadFile(from), AnyPictureKind(from)))
    fs::ReplaceAtomically(to, bytes);
  else
    fs::CopyFile(from, to);
}

void ConvertPictures(const GallerySettings& s, Host& host, const std::string& source,
                     const std::vector<std::string>& names, unsigned threads,
                     NameClashes& clashes) {
  const std::string imageFolder = ImageFolder(NamingOf(s));
  auto conversion = [&](std::size_t k) {
    return PlanConversion(s, source + names[k - 1],
                          CopyTargetPath(imageFolder, names[k - 1], s.BlankSpace, true));
  };
  // Later pictures are converted on worker threads; this thread writes and reports in order.
  auto plan = [&](std::size_t k) -> std::optional<PreparedJob> { return conversion(k).job(); };
  RunInListOrder(host, names.size(), threads, plan, [&](std::size_t k, Prepared& prepared) {
    host.status("Converting " + names[k - 1] + " to JPG.");
    host.progress(static_cast<int>(k), static_cast<int>(names.size()));
    host.processEvents();
    const Conversion c = conversion(k);
    const std::optional<std::string> jpeg = prepared.result(c.job());
    if (jpeg && Write(host, c, *jpeg)) clashes.wrote(c.target, names[k - 1]);
    return !host.abortRequested();
  });
}

}  // namespace

std::string CopyTargetPath(const std::string& imageFolder, const std::string& name,
                           const std::string& blankSpace, bool jpgName) {
  const std::string target = imageFolder + ReplaceAll(name, " ", blankSpace);
  return jpgName ? WithJpgExtension(target) : target;
}

bool SameFolder(const std::string& a, const std::string& b) {
  return AddBackslash(a) == AddBackslash(b) || RealFolder(a) == RealFolder(b);
}

void RunCopyImages(GalleryValues& values, Host& host, const RunControls& abort, unsigned threads) {
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
  NameClashes clashes;
  for (const CopiedPicture& picture : PicturesToCopy(source, convert, s.ListWebPictures)) {
    const std::string target =
        CopyTargetPath(imageFolder, picture.name, s.BlankSpace, picture.jpgName);
    try {
      CopyPicture(source + picture.name, target, s.RemoveLocation);
      clashes.wrote(target, picture.name);
    } catch (const Error&) {
      host.message("Error copying file \"" + picture.name + "\"");
    }
  }

  if (convert) {
    RunGuard guard(abort, values);
    ConvertPictures(s, host, source, PicturesToConvert(source, s.ListWebPictures), threads,
                    clashes);
    host.status("Finished converting to JPG.");
    guard.release();
    host.beep();
  }

  clashes.report(host);
  values.reloadImages();
}

}  // namespace fw
