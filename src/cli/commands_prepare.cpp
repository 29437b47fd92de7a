// Preparing a gallery's pictures: thumbnails, copy and convert, resize in place, rename.
#include "cli/commands.h"
#include "cli/gallery.h"
#include "images/copy_run.h"
#include "images/rename_run.h"
#include "images/resize_run.h"
#include "images/thumbnail_run.h"

namespace fw::cli {
namespace {

void Thumbs(Context& c) {
  auto p = Positional(c, 1, 1);
  auto gallery = OpenGallery(c, p[0]);
  RunThumbnails(*gallery, c.host(), {});
}

void Copy(Context& c) {
  auto p = Positional(c, 1, 1);
  auto gallery = OpenGallery(c, p[0]);
  RunCopyImages(*gallery, c.host(), {});
}

void Resize(Context& c) {
  auto p = Positional(c, 1, 1);
  auto gallery = OpenGallery(c, p[0]);
  RunResizeImages(*gallery, c.host(), {}, {});
}

void Rename(Context& c) {
  auto p = Positional(c, 1, 1, {"--prefix"});
  auto gallery = OpenGallery(c, p[0]);
  RunRenameImages(*gallery, c.host(), c.option("--prefix", kDefaultImagePrefix),
                  !c.has("--random"));
}

}  // namespace

void AddPreparationCommands(std::vector<Command>& t) {
  t.push_back({"thumbs", "GALLERY", "makes every thumbnail of the gallery afresh", Thumbs});
  t.push_back({"copy", "GALLERY",
               "copies the pictures of the source folder into the image folder, converting "
               "them to JPEG when the gallery says so",
               Copy});
  t.push_back({"resize", "GALLERY",
               "shrinks, re-compresses or converts the pictures of the image folder by the "
               "Image Properties values",
               Resize});
  t.push_back({"rename", "GALLERY [--prefix P] [--random]",
               "renames the pictures to P (\"image\" unless given) and a number in list order; "
               "--random numbers them with gaps",
               Rename});
}

}  // namespace fw::cli
