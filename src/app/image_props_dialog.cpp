#include "app/image_props_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/controls.h"
#include "app/dialog_frame.h"

namespace fw {

TfrmImageProps::TfrmImageProps(Store& store, CurrentKey currentKey, Guard guard,
                               QCheckBox* windowSmooth)
    : SettingsDialog(store, std::move(currentKey), std::move(guard), "TfrmImageProps") {
  setWindowTitle("Image Properties");
  setWindowFlags(Qt::Dialog | kCloseBox);
  auto* v = new QVBoxLayout(this);
  v->setSizeConstraint(QLayout::SetFixedSize);  // a fixed frame
  auto* note = new QLabel(
      "All images larger than the specified dimensions/size will be resized. This process is "
      "very CPU intensive and may take some time. Please be patient.",
      this);
  note->setWordWrap(true);
  v->addWidget(note);
  auto* group = new QGroupBox(" New image maximum dimensions ", this);
  auto* grid = new QGridLayout(group);
  maxWidth_ = spin("MaxImageWidth");
  grid->addWidget(new QLabel("Width", group), 0, 0);
  grid->addWidget(maxWidth_, 0, 1);
  grid->addWidget(new QLabel("x", group), 0, 2);
  grid->addWidget(new QLabel("Height", group), 0, 3);
  grid->addWidget(spin("MaxImageHeight"), 0, 4);
  grid->addWidget(new QLabel("pixels", group), 0, 5);
  grid->addWidget(new QLabel("Jpeg quality", group), 1, 0);
  QSpinBox* quality = spin("ResizeJpegQuality");
  quality->setSuffix("%");
  grid->addWidget(quality, 1, 1);
  grid->addWidget(control("ResizedImageIsProgressive"), 1, 3, 1, 3);
  grid->addWidget(control("ResizeByDimensions"), 2, 0, 1, 6);
  bySize_ = qobject_cast<QCheckBox*>(control("ResizeBySize"));
  grid->addWidget(bySize_, 3, 0, 1, 3);
  grid->addWidget(spin("ImageSize"), 3, 3, 1, 2);
  grid->addWidget(new QLabel("kb", group), 3, 5);
  recompressBySize_ = qobject_cast<QCheckBox*>(control("RecompressBySize"));
  grid->addWidget(recompressBySize_, 4, 0, 1, 6);
  grid->addWidget(control("RecompressAllImages"), 5, 0, 1, 6);
  // The gallery's one "Smooth pictures" value, shown here too for the resize it shapes.
  auto* smooth = new QCheckBox(CaptionFor("chkSmoothPictures"), group);
  smooth->setObjectName("chkSmoothResize");
  grid->addWidget(smooth, 6, 0, 1, 6);
  smooth->setChecked(windowSmooth->isChecked());
  connect(smooth, &QCheckBox::toggled, windowSmooth, &QCheckBox::setChecked);
  connect(windowSmooth, &QCheckBox::toggled, smooth, &QCheckBox::setChecked);
  v->addWidget(group);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  v->addWidget(box);
  connect(bySize_, &QCheckBox::toggled, this, [this] { followSize(); });
}

QSpinBox* TfrmImageProps::spin(const char* name) { return qobject_cast<QSpinBox*>(control(name)); }

// Recompressing to a size is a choice only when resizing by size.
void TfrmImageProps::followSize() { recompressBySize_->setEnabled(bySize_->isChecked()); }

void TfrmImageProps::load(const std::string& galleryKey) {
  fill(galleryKey);
  followSize();
}

void TfrmImageProps::showAt(const QPoint& at) { ShowWithFocus(this, maxWidth_, at); }

}  // namespace fw
