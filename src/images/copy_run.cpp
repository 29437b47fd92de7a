#include "images/copy_run.h"

#include <span>

#include "common/error.h"
#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/subs.h"
#include "images/image_io.h"
#include "images/jpeg_writer.h"

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

void ConvertOne(GalleryValues& values, Host& host, const std::string& source,
                const std::string& target) {
  if (LowerAscii(RightPart(source, 4)) == ".jpg") return;
  const int quality = values.integer("JpegQuality");
  const bool progressive = values.flag("SourceResizedImageIsProgressive");
  if (values.flag("SourceResizeByDimensions")) {
    const int size = FitLongestSide(source, values.integer("SourceMaxImageWidth"),
                                    values.integer("SourceMaxImageHeight"));
    MakeScaledJpeg(host, source, target, size, quality, progressive);
    return;
  }
  // At its own size: no pixel is resampled.
  fs::ReplaceAtomically(target, EncodeJpeg(DecodePicture(source), quality, progressive));
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

void RunCopyImages(GalleryValues& values, Host& host, const RunControls& abort) {
  if (Blank(values.text("BaseDir"))) {
    host.beep();
    host.message(kBaseDirNotSpecifiedMessage);
    return;
  }
  const std::string imageFolder = ImageFolder(NamingValues::From(values));
  if (!fs::IsFolder(imageFolder) && !fs::MakeFolders(imageFolder)) {
    host.beep();
    host.message(kImageFolderMessage);
    return;
  }
  const std::string source = AddBackslash(values.text("ImageSourceDir"));
  if (SameFolder(source, imageFolder)) {
    host.beep();
    host.message(kSameSourceMessage);
    return;
  }

  const bool convert = values.flag("ConvertToJpeg");
  const char* const patterns[] = {"*.jpg", "*.gif", "*.bmp", "*.png"};
  const std::span<const char* const> all(patterns);
  for (const char* pattern : convert ? all.first(1) : all) {
    for (const std::string& name : fs::ListMask(source, pattern)) {
      try {
        fs::CopyFile(source + name,
                     CopyTargetPath(imageFolder, name, values.text("BlankSpace"), false));
      } catch (const Error&) {
        host.message("Error copying file \"" + name + "\"");
      }
    }
  }

  if (convert) {
    RunGuard guard(abort, values);
    bool aborted = false;
    for (const char* pattern : all.subspan(1)) {
      for (const std::string& name : fs::ListMask(source, pattern)) {
        const std::string target =
            CopyTargetPath(imageFolder, name, values.text("BlankSpace"), true);
        host.status("Converting " + name + " to JPG.");
        host.processEvents();
        ConvertOne(values, host, source + name, target);
        if ((aborted = host.abortRequested())) break;
      }
      if (aborted) break;
    }
    host.status("Finished converting to JPG.");
    guard.release();
    host.beep();
  }

  values.reloadImages();
}

}  // namespace fw
