// The window's side of its three small dialogs (Image Properties for the resize run, Rename
// Images, Custom Template Options): creating them, filling them from the gallery at start-up,
// opening them beside their buttons and starting their runs.
#include <QCheckBox>

#include "app/main_window.h"
#include "images/rename_run.h"
#include "images/resize_run.h"
#include "images/run_controls.h"

namespace fw {

namespace {

// The resize run's button is back in the place its Abort held while the dialog was open.
void ShowResizeButton(TfrmMain& w) {
  w.w<QWidget>("butResizeImages")->show();
  w.w<QWidget>("butAbortResize")->hide();
}

}  // namespace

void TfrmMain::buildDialogs() {
  auto key = [this] { return galleryKey_; };
  auto guarded = [this](const std::function<void()>& f) { guard(f); };

  imageProps_ =
      std::make_unique<TfrmImageProps>(*store_, key, guarded, w<QCheckBox>("chkSmoothPictures"));
  connect(imageProps_.get(), &QDialog::accepted, this, [this] { guard([&] { runResize(); }); });
  connect(imageProps_.get(), &QDialog::rejected, this, [this] { ShowResizeButton(*this); });

  rename_ = std::make_unique<TfrmRename>();
  on(rename_->renameButton(), [this] { runRename(); });

  customOptions_ =
      std::make_unique<TfrmCustomTemplate>(*store_, key, guarded, *dialogs_, appFolder_);
}

void TfrmMain::fillDialogs() {
  imageProps_->load(galleryKey_);
  customOptions_->load(galleryKey_);
}

void TfrmMain::openImageProps() {
  // An Abort while the dialog is open stops the run after its first picture.
  abortRequested_ = false;
  auto* button = w<QWidget>("butResizeImages");
  const QPoint at = button->mapToGlobal(QPoint(0, 0));
  button->hide();
  w<QWidget>("butAbortResize")->show();
  imageProps_->showAt(at);
}

void TfrmMain::runResize() {
  commitFocused();
  RunControls busy{[this] { setBusy(true, RunKind::Resize); },
                   [this] { setBusy(false, RunKind::Resize); }};
  RunResizeImages(values(), host(), busy, [this] { ShowResizeButton(*this); });
}

void TfrmMain::openRename() {
  rename_->showAt(w<QWidget>("butRenameImg")->mapToGlobal(QPoint(0, 0)));
}

void TfrmMain::runRename() {
  // The dialog stays open when there was nothing to rename.
  if (RunRenameImages(values(), host(), rename_->prefix(), rename_->sequential())) rename_->hide();
}

void TfrmMain::openCustomOptions() { customOptions_->showFirstPage(); }

}  // namespace fw
