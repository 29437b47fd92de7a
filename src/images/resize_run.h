// The "Resize large images" run: shrinks, re-compresses or converts the pictures of the image
// folder in place, by the values of the Image Properties dialog. Every picture it touches
// comes out as a JPEG of the same base name; a GIF, PNG or BMP picture is deleted once its
// JPEG is written.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "images/image_io.h"
#include "images/run_controls.h"

namespace fw {

class GalleryValues;
class Host;
struct GallerySettings;

// What the run does with one picture.
struct ResizeChoice {
  bool touch = false;  // false: the picture is left alone
  int size = 0;        // the longest side it is written with
};

// The selection rules for a picture of `width` x `height` whose file holds `fileBytes`, by the
// gallery's dialog values. `boxFit` gives the longest side that fits the box; it is asked
// only for a picture that does not fit.
ResizeChoice ChooseResize(const GallerySettings& s, int width, int height, std::int64_t fileBytes,
                          const std::function<int()>& boxFit);

// The JPEG a picture is written to: a JPEG (any spelling, any letter case) is rewritten under
// its own name, any other picture gets its base name with ".jpg".
std::string ResizeTarget(const std::string& path);

// `busy` enters and leaves the busy state; `restoreButtons` shows "Resize large images" again
// in place of its Abort button. The abort request is polled after each processed picture.
// A picture that cannot be read ends the run with its error, after the busy state was left,
// the buttons restored and the list reloaded. Pictures are scaled on `threads` worker threads
// (0: one per core); files, texts and their order are those of a run on one thread.
// Every JPEG the run writes is new and carries no
// metadata; with RemoveLocation the JPEG and WebP pictures it leaves alone lose their location
// data in place (picture_location.h), and one whose metadata are damaged ends the run with
// that error.
void RunResizeImages(GalleryValues& values, Host& host, const RunControls& busy,
                     const std::function<void()>& restoreButtons, unsigned threads = 0);

}  // namespace fw
