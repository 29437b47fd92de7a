#include "images/run_controls.h"

#include <exception>

#include "common/gallery_values.h"

namespace fw {

RunGuard::RunGuard(const RunControls& controls, GalleryValues* reloadOnError)
    : controls_(controls), values_(reloadOnError) {
  if (controls_.enter) controls_.enter();
}

RunGuard::~RunGuard() {
  if (released_) return;
  // Unwinding from an error: the error itself is what the user must see, so nothing here
  // may replace it.
  try {
    release();
    if (values_) values_->reloadImages();
  } catch (const std::exception&) {
  }
}

void RunGuard::release() {
  if (released_) return;
  released_ = true;
  if (controls_.leave) controls_.leave();
}

}  // namespace fw
