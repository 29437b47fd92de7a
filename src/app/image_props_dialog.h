// TfrmImageProps: the Image Properties dialog, the settings of the resize run. OK starts the
// run (the window wires `accepted`), Cancel and Escape close it (`rejected`).
#pragma once

#include "app/settings_dialog.h"

class QPoint;

namespace fw {

class TfrmImageProps : public SettingsDialog {
  Q_OBJECT
 public:
  // `windowSmooth` is the window's "Smooth pictures" box: the dialog's box follows it and
  // writes through it, so the gallery keeps one value.
  TfrmImageProps(Store& store, CurrentKey currentKey, Guard guard, QCheckBox* windowSmooth);

  // Shows the values of the gallery at `galleryKey`, and the rule that follows them.
  void load(const std::string& galleryKey);
  // Shown at `at` with the focus in the maximum width.
  void showAt(const QPoint& at);

 private:
  QSpinBox* spin(const char* name);
  void followSize();

  QSpinBox* maxWidth_ = nullptr;
  QCheckBox* bySize_ = nullptr;
  QCheckBox* recompressBySize_ = nullptr;
};

}  // namespace fw
