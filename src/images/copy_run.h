// The "Copy images" command: fills the image folder from the source folder, replacing each
// space of a file name by the BlankSpace text. With "Convert to Jpeg" only the JPEG pictures
// are copied and every GIF, BMP and PNG picture is written as a JPEG instead, shrunk into the
// source box on the way when asked. With ListWebPictures JPEGs named .jpeg, .jpe or .jfif are
// copied under a ".jpg" name, WebP and AVIF pictures copied as they are, and converting also
// takes HEIF/HEIC, AVIF, WebP and TIFF pictures.
#pragma once

#include <string>

#include "images/image_io.h"
#include "images/run_controls.h"

namespace fw {

class GalleryValues;
class Host;

inline constexpr const char* kBaseDirNotSpecifiedMessage = "Base directory not specified.";
inline constexpr const char* kSameSourceMessage = "Image directory is the same as source directroy";
inline constexpr const char* kSourceNotSpecifiedMessage = "Source directory not specified.";
// Followed by the names of the pictures, one a line.
inline constexpr const char* kNameTakenMessage =
    "These pictures were not copied, because another picture took their name:";

// A blank source folder is refused, as the working folder would stand in for it. Pictures
// whose names come out the same (blanks replaced, or a converted picture beside a JPEG of its
// name) replace one another in list order; the run ends with one message naming those
// replaced. `abort.enter` shows the Abort button and clears the abort request; `abort.leave`
// hides it and clears the request. The abort request (Host::abortRequested) is polled after each
// converted picture. An error while converting ends the run after the Abort button was
// hidden and the list reloaded. Pictures are converted on `threads` worker threads (0: one per
// core); files, texts and their order are those of a run on one thread. The JPEGs the run
// writes carry no metadata; with RemoveLocation the JPEG and WebP pictures it copies lose their location data
// (picture_location.h), their image data untouched, and one whose metadata are damaged is not
// copied; an AVIF copied as it is keeps its metadata.
void RunCopyImages(GalleryValues& values, Host& host, const RunControls& abort,
                   unsigned threads = 0);

// The image-folder path a source file is copied to: spaces replaced by `blankSpace`, and for
// a picture written under a ".jpg" name its extension replaced by "jpg".
std::string CopyTargetPath(const std::string& imageFolder, const std::string& name,
                           const std::string& blankSpace, bool jpgName);

// Whether two folder texts name the same folder: equal as typed (with a trailing separator
// added), or once both are resolved to their real paths.
bool SameFolder(const std::string& a, const std::string& b);

}  // namespace fw
