// The three small dialogs of the window: Image Properties (the resize run), Rename Images and
// Custom Template Options. Each is a window of its own, shown without blocking the window, with
// the focus in its first field; Escape closes it like its Cancel.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

#include "app/controls.h"
#include "app/main_window.h"
#include "app/screen_fit.h"
#include "app/settings_dialog.h"
#include "images/rename_run.h"
#include "images/resize_run.h"
#include "images/run_controls.h"
#include "settings/catalogue.h"

namespace fw {

namespace {

// Title-bar buttons: the close box only where a dialog has one.
constexpr Qt::WindowFlags kTitleOnly = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
constexpr Qt::WindowFlags kCloseBox = kTitleOnly | Qt::WindowCloseButtonHint;

// Shown at `at` (its last place when none), on the screen, with the focus in `first`.
void ShowWithFocus(QDialog* d, QWidget* first, std::optional<QPoint> at = std::nullopt) {
  if (at) {
    if (!d->testAttribute(Qt::WA_Resized)) d->adjustSize();  // its size before its first showing
    d->move(*at);
    FitOnScreen(d);
  }
  d->show();
  d->raise();
  d->activateWindow();
  first->setFocus(Qt::OtherFocusReason);
}

QDialogButtonBox* OkCancel(QDialog* d) {
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
  QObject::connect(box, &QDialogButtonBox::accepted, d, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, d, &QDialog::reject);
  return box;
}

}  // namespace

void TfrmMain::buildDialogs() {
  auto key = [this] { return galleryKey_; };
  auto guarded = [this](const std::function<void()>& f) { guard(f); };

  imageProps_ = std::make_unique<SettingsDialog>(*store_, key, guarded, "TfrmImageProps");
  SettingsDialog& p = *imageProps_;
  p.setWindowTitle("Image Properties");
  p.setWindowFlags(Qt::Dialog | kCloseBox);
  auto* v = new QVBoxLayout(&p);
  v->setSizeConstraint(QLayout::SetFixedSize);  // a fixed frame
  auto* note = new QLabel(
      "All images larger than the specified dimensions/size will be resized. This process is "
      "very CPU intensive and may take some time. Please be patient.",
      &p);
  note->setWordWrap(true);
  v->addWidget(note);
  auto* group = new QGroupBox(" New image maximum dimensions ", &p);
  auto* grid = new QGridLayout(group);
  auto spin = [&p](const char* n) { return qobject_cast<QSpinBox*>(p.control(n)); };
  grid->addWidget(new QLabel("Width", group), 0, 0);
  grid->addWidget(spin("MaxImageWidth"), 0, 1);
  grid->addWidget(new QLabel("x", group), 0, 2);
  grid->addWidget(new QLabel("Height", group), 0, 3);
  grid->addWidget(spin("MaxImageHeight"), 0, 4);
  grid->addWidget(new QLabel("pixels", group), 0, 5);
  grid->addWidget(new QLabel("Jpeg quality", group), 1, 0);
  spin("ResizeJpegQuality")->setSuffix("%");
  grid->addWidget(spin("ResizeJpegQuality"), 1, 1);
  grid->addWidget(p.control("ResizedImageIsProgressive"), 1, 3, 1, 3);
  grid->addWidget(p.control("ResizeByDimensions"), 2, 0, 1, 6);
  grid->addWidget(p.control("ResizeBySize"), 3, 0, 1, 3);
  grid->addWidget(spin("ImageSize"), 3, 3, 1, 2);
  grid->addWidget(new QLabel("kb", group), 3, 5);
  grid->addWidget(p.control("RecompressBySize"), 4, 0, 1, 6);
  grid->addWidget(p.control("RecompressAllImages"), 5, 0, 1, 6);
  // The gallery's one "Smooth pictures" value, shown here too for the resize it shapes: each
  // box follows the other, and the window's box writes it.
  auto* smooth = new QCheckBox(CaptionFor("chkSmoothPictures"), group);
  smooth->setObjectName("chkSmoothResize");
  grid->addWidget(smooth, 6, 0, 1, 6);
  auto* windowSmooth = w<QCheckBox>("chkSmoothPictures");
  smooth->setChecked(windowSmooth->isChecked());
  connect(smooth, &QCheckBox::toggled, windowSmooth, &QCheckBox::setChecked);
  connect(windowSmooth, &QCheckBox::toggled, smooth, &QCheckBox::setChecked);
  v->addWidget(group);
  v->addWidget(OkCancel(&p));
  auto* bySize = qobject_cast<QCheckBox*>(p.find("ResizeBySize"));
  auto followSize = [this, bySize] {
    imageProps_->find("RecompressBySize")->setEnabled(bySize->isChecked());
  };
  connect(bySize, &QCheckBox::toggled, &p, followSize);
  connect(&p, &QDialog::accepted, this, [this] { guard([&] { runResize(); }); });
  connect(&p, &QDialog::rejected, this, [this] {
    w<QWidget>("butResizeImages")->show();
    w<QWidget>("butAbortResize")->hide();
  });

  rename_ = std::make_unique<QDialog>(nullptr, Qt::Tool | kTitleOnly);
  QDialog& r = *rename_;
  r.setObjectName("TfrmRename");
  r.setWindowTitle("Rename Images");
  auto* rv = new QFormLayout(&r);
  auto* prefix = new QLineEdit(kDefaultImagePrefix, &r);
  prefix->setObjectName("ImagePrefix");
  rv->addRow("Image prefix", prefix);
  auto* numbering = new QGroupBox(" Numbering ", &r);
  numbering->setObjectName("chkRename");
  auto* nh = new QHBoxLayout(numbering);
  auto* sequential = new QRadioButton("Sequential", numbering);
  sequential->setObjectName("chkRename0");
  sequential->setChecked(true);
  auto* random = new QRadioButton("Non-sequential", numbering);
  random->setObjectName("chkRename1");
  nh->addWidget(sequential);
  nh->addWidget(random);
  rv->addRow(numbering);
  auto* buttons = new QDialogButtonBox(&r);
  auto* go = buttons->addButton("Rename", QDialogButtonBox::AcceptRole);
  go->setObjectName("butRename");
  go->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("butCancelRename");
  connect(go, &QPushButton::clicked, this, [this] { guard([&] { runRename(); }); });
  connect(buttons, &QDialogButtonBox::rejected, &r, &QDialog::reject);
  rv->addRow(buttons);

  customOptions_ = std::make_unique<SettingsDialog>(*store_, key, guarded, "TfrmCustomTemplate");
  SettingsDialog& c = *customOptions_;
  c.setWindowTitle("Custom Template Options");
  c.setWindowFlags(Qt::Tool | kCloseBox);
  auto* cv = new QVBoxLayout(&c);
  auto* tabs = new QTabWidget(&c);
  tabs->setObjectName("CustomTabs");
  cv->addWidget(tabs);
  auto page = [&](const char* title, std::initializer_list<const char*> names) {
    auto* tab = new QWidget(tabs);
    auto* f = new QFormLayout(tab);
    for (const char* n : names) {
      QWidget* control = c.control(n);
      control->setMinimumWidth(260);
      const CatalogueEntry* e = FindGalleryValue(n);
      QString label = QString::fromStdString(e->label);
      if (std::string(n).find("Template") == std::string::npos) {
        if (qobject_cast<QCheckBox*>(control))
          f->addRow(control);
        else
          f->addRow(label, control);
        continue;
      }
      // The template file names have a file chooser beside them.
      auto* row = new QHBoxLayout;
      row->addWidget(control, 1);
      auto* browse = new QToolButton(tab);
      browse->setObjectName(QString("butBrowse") + n);
      browse->setText("...");
      browse->setToolTip("Select base directory");
      row->addWidget(browse);
      f->addRow(label, row);
      auto* edit = qobject_cast<QLineEdit*>(control);
      connect(browse, &QToolButton::clicked, this, [this, edit] {
        QString start = edit->text().isEmpty() ? QString::fromStdString(appFolder_) : edit->text();
        if (auto chosen = dialogs_->file(customOptions_.get(), start, false)) {
          edit->setText(*chosen);
          customOptions_->store(edit);
        }
      });
    }
    tabs->addTab(tab, title);
  };
  page("Gallery page", {"CustomGalleryTemplate", "CustomGalleryPrefix", "CustomGalleryExt",
                        "ImagePlaceHolder", "ThumbPlaceHolder", "UseCustomImageShell"});
  page("Image page", {"CustomImageTemplate", "ImagePagePlaceHolder", "PreviousPlaceHolder",
                      "NextPlaceHolder", "GalleryPlaceHolder"});
  auto* shell = qobject_cast<QCheckBox*>(c.find("UseCustomImageShell"));
  connect(shell, &QCheckBox::toggled, tabs, [tabs](bool on) { tabs->setTabVisible(1, on); });
  tabs->setTabVisible(1, false);
}

void TfrmMain::fillDialogs() {
  imageProps_->fill(galleryKey_);
  imageProps_->find("RecompressBySize")
      ->setEnabled(qobject_cast<QCheckBox*>(imageProps_->find("ResizeBySize"))->isChecked());
  customOptions_->fill(galleryKey_);
  auto* tabs = customOptions_->findChild<QTabWidget*>("CustomTabs");
  tabs->setTabVisible(1, customOptions_->integer("UseCustomImageShell") != 0);
}

void TfrmMain::openImageProps() {
  // An Abort while the dialog is open stops the run after its first picture.
  abortRequested_ = false;
  auto* button = w<QWidget>("butResizeImages");
  const QPoint at = button->mapToGlobal(QPoint(0, 0));
  button->hide();
  w<QWidget>("butAbortResize")->show();
  ShowWithFocus(imageProps_.get(), imageProps_->find("MaxImageWidth"), at);
}

void TfrmMain::runResize() {
  commitFocused();
  RunControls busy{[this] { setBusy(true, RunKind::Resize); },
                   [this] { setBusy(false, RunKind::Resize); }};
  RunResizeImages(values(), host(), busy, [this] {
    w<QWidget>("butResizeImages")->show();
    w<QWidget>("butAbortResize")->hide();
  });
}

void TfrmMain::openRename() {
  ShowWithFocus(rename_.get(), rename_->findChild<QLineEdit*>("ImagePrefix"),
                w<QWidget>("butRenameImg")->mapToGlobal(QPoint(0, 0)));
}

void TfrmMain::runRename() {
  std::string prefix = rename_->findChild<QLineEdit*>("ImagePrefix")->text().toStdString();
  bool sequential = rename_->findChild<QRadioButton*>("chkRename0")->isChecked();
  // The dialog stays open when there was nothing to rename.
  if (RunRenameImages(values(), host(), prefix, sequential)) rename_->hide();
}

void TfrmMain::openCustomOptions() {
  customOptions_->findChild<QTabWidget*>("CustomTabs")->setCurrentIndex(0);
  ShowWithFocus(customOptions_.get(), customOptions_->find("CustomGalleryTemplate"));
}

}  // namespace fw
