// The busy state: while a run holds the window, the controls of every value it reads are
// disabled, and so is every command that would start a second run or change the gallery, its
// folders or its image list. Looking around (tabs, Help) and the Abort buttons stay usable.
#include <QDialog>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "app/main_window.h"
#include "app/settings_dialog.h"

namespace fw {

namespace {

// Locked by every run (each reloads the list the two picture options shape).
const std::vector<const char*> kEveryRun = {
    "butGo",     "butMakeThumbs", "PanelList",       "BaseDir",         "butBrowse2",
    "ImageDir",  "butCopyImages", "butResizeImages", "butReloadImages", "butRenameImg",
    "ImageList", "chkSort",       "butExport",       "chkListWebPictures", "chkRemoveLocation"};
// Go reads nearly every gallery value: the pages that hold them are locked whole (their
// bodies, so that they still scroll).
const std::vector<const char*> kGeneration = {
    "ThumbsDir",      "DisableBanner", "tabLayoutBody",     "tabOptionsBody",  "tabIndexBody",
    "tabGalleryBody", "tabImageBody",  "tabGalleryNavBody", "tabImageNavBody", "tabAdvancedBody"};
const std::vector<const char*> kThumbnails = {"ThumbsDir", "ThumbSize", "ThumbPrefix",
                                              "optIsThumbPrefix", "chkSmoothPictures"};
const std::vector<const char*> kCopy = {"ImageSourceDir",        "butBrowse",    "ConvertToJpeg",
                                        "lblJpegQuality",        "JpegQuality",  "chkIsProgressive",
                                        "chkResizeByDimensions", "spinMaxWidth", "lblX",
                                        "spinMaxHeight",         "BlankSpace",
                                        "chkSmoothPictures"};
const std::vector<const char*> kResize = {"chkSmoothPictures"};

std::vector<const char*> LockedBy(RunKind kind) {
  std::vector<const char*> names = kEveryRun;
  const auto& more = kind == RunKind::Generation   ? kGeneration
                     : kind == RunKind::Thumbnails ? kThumbnails
                     : kind == RunKind::Copy       ? kCopy
                                                   : kResize;
  names.insert(names.end(), more.begin(), more.end());
  return names;
}

}  // namespace

void TfrmMain::setBusy(bool busy, RunKind kind) {
  if (!busy) {
    for (const QPointer<QWidget>& w : locked_)
      if (w) w->setEnabled(true);
    locked_.clear();
    showProgress(0, 0);
    return;
  }
  // Only what is enabled now is locked, so leaving restores the rules' own disabled controls.
  auto lock = [this](QWidget* w) {
    if (!w || w->testAttribute(Qt::WA_ForceDisabled)) return;
    if (std::find(locked_.begin(), locked_.end(), w) != locked_.end()) return;
    w->setEnabled(false);
    locked_.emplace_back(w);
  };
  for (const char* name : LockedBy(kind)) lock(w<QWidget>(name));
  // The dialogs start runs of their own (Rename, the resize run's OK); the custom options are
  // read by Go.
  lock(rename_.get());
  lock(imageProps_.get());
  if (kind == RunKind::Generation) lock(customOptions_.get());
}

}  // namespace fw
