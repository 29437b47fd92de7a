// The show, hide and enable rules, the colour previews, the derived folders and the wiring
// of the window's buttons and keys to their commands.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>

#include "app/main_window.h"
#include "app/widgets.h"
#include "common/paths.h"
#include "generator/layout.h"
#include "images/run_controls.h"
#include "images/thumbnail_run.h"

namespace fw {

namespace {

void SetTabShown(QWidget* page, bool shown) {
  auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
  if (tabs) tabs->setTabVisible(tabs->indexOf(page), shown);
}

void Colourise(QWidget* w, QPalette::ColorRole role, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(role, c);
  w->setPalette(p);
}

}  // namespace

void TfrmMain::connectRules() {
  const char* watched[] = {"chkDefColors",  "UseGalleryCols", "chkImageShell", "ShowImageName",
                           "ConvertToJpeg", "IncIndexLink",   "WriteScriptFile"};
  for (const char* n : watched)
    connect(w<QCheckBox>(n), &QCheckBox::toggled, this, [this] { applyRules(); });
  connect(w<QCheckBox>("chkSort"), &QCheckBox::toggled, this, [this](bool on) {
    w<QLabel>("ScrollingText")->setVisible(on);
    w<ImageListBox>("ImageList")->setSorted(on);
  });
  // Clicked, not toggled: loading a gallery reloads its list once, at its end.
  connect(w<QCheckBox>("chkListWebPictures"), &QCheckBox::clicked, this,
          [this] { guard([&] { reloadImages(); }); });
  connect(w<QComboBox>("BannerBank"), &QComboBox::currentIndexChanged, this,
          [this] { applyRules(); });
  auto* pages = w<QTabWidget>("PageControl");
  connect(pages, &QTabWidget::currentChanged, this, [this, pages](int i) {
    if (pages->widget(i) == w<QWidget>("tabGallery")) updateSubTabs();
    if (pages->widget(i) == w<QWidget>("tabThumbnails")) guard([&] { applyTemplateLimits(); });
  });
  connect(w<QTabWidget>("tabThumbnails"), &QTabWidget::currentChanged, this, [this](int i) {
    if (i == 0) guard([&] { applyTemplateLimits(); });
  });

  // Rows and Columns are stored by their bindings; the pages label follows each change.
  connect(w<SpinEdit>("Rows"), &SpinEdit::changed, this, [this] {
    guard([&] {
      int n = w<QListWidget>("ImageList")->count();
      setPagesLabel(PagesLabelForRows(n, pageCount()));
    });
  });
  connect(w<SpinEdit>("Cols"), &SpinEdit::changed, this, [this] {
    guard([&] {
      int n = w<QListWidget>("ImageList")->count();
      setPagesLabel(PagesLabelForColumns(n, pageCount()));
    });
  });

  on("butExit", [this] { close(); });
  on("butBrowser", [this] { openBrowser(); });
  on("butHelp", [this] { openHelp(helpTopic()); });
  on("butMakeThumbs", [this] {
    commitFocused();
    RunControls busy{[this] { setBusy(true, RunKind::Thumbnails); },
                     [this] { setBusy(false, RunKind::Thumbnails); }};
    RunThumbnails(values(), host(), busy);
  });
  on("butAddGallery", [this] { addGallery(); });
  on("butDelGallery", [this] { deleteGallery(); });
  on("butDuplicate", [this] { duplicateGallery(); });
  on("butBrowse", [this] { chooseFolder("ImageSourceDir"); });
  on("butBrowse2", [this] { chooseFolder("BaseDir"); });
  on("butBackDirBrowse", [this] { chooseFolder("edtBackupDir"); });
  on("butReloadImages", [this] { reloadImages(); });
  // Not a command: the run finishes the picture in hand before it sees the request, and its
  // progress bar stays.
  for (const char* n : {"butAbortCopy", "butAbortResize"})
    connect(w<QAbstractButton>(n), &QAbstractButton::clicked, this, [this] {
      abortRequested_ = true;
      statusText_->setText(statusText_->text() + " - Abort in progress. Please wait ...");
    });
  connectCommands();
  connect(w<QListWidget>("lstGalleries"), &QListWidget::itemClicked, this,
          [this] { guard([&] { selectGallery(); }); });
  connect(w<QListWidget>("ImageList"), &QListWidget::itemClicked, this,
          [this] { guard([&] { showPreview(); }); });
  connectShortcuts();
}

// Help opens at the topic of the page the user is looking at.
QString TfrmMain::helpTopic() const {
  return w<QTabWidget>("PageControl")->currentWidget()->objectName();
}

// Keys that leave every caption as it is: no mnemonic is added to a button.
void TfrmMain::connectShortcuts() {
  auto key = [this](const QKeySequence& keys, std::function<void()> f) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, f] { guard(f); });
  };
  key(QKeySequence(Qt::Key_F1), [this] { openHelp(helpTopic()); });
  key(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
  // A click does nothing while the button is disabled (the busy state).
  key(QKeySequence(Qt::CTRL | Qt::Key_G), [this] { w<QAbstractButton>("butGo")->click(); });
  // The Abort button that is shown, also while the user looks at another tab.
  key(QKeySequence(Qt::Key_Escape), [this] {
    for (const char* n : {"butAbortCopy", "butAbortResize"})
      if (auto* abort = w<QAbstractButton>(n); !abort->isHidden()) return abort->click();
  });
}

void TfrmMain::applyRules() {
  w<QWidget>("GalleryColors")->setVisible(!w<QCheckBox>("chkDefColors")->isChecked());
  w<QWidget>("ImageColors")->setVisible(!w<QCheckBox>("UseGalleryCols")->isChecked());
  bool shell = w<QCheckBox>("chkImageShell")->isChecked();
  SetTabShown(w<QWidget>("tabImage"), shell);
  SetTabShown(w<QWidget>("tabImageNav"), shell);
  w<QWidget>("CleanImageName")->setVisible(w<QCheckBox>("ShowImageName")->isChecked());
  bool jpeg = w<QCheckBox>("ConvertToJpeg")->isChecked();
  for (const char* n : {"lblJpegQuality", "JpegQuality", "chkResizeByDimensions", "spinMaxWidth",
                        "lblX", "spinMaxHeight", "chkIsProgressive"})
    w<QWidget>(n)->setVisible(jpeg);
  w<QWidget>("lblJpegQuality")->setEnabled(jpeg);
  w<QWidget>("JpegQuality")->setEnabled(jpeg);
  bool link = w<QCheckBox>("IncIndexLink")->isChecked();
  w<QWidget>("lblIndexLink")->setEnabled(link);
  w<QWidget>("edtIndexLink")->setEnabled(link);
  bool script = w<QCheckBox>("WriteScriptFile")->isChecked();
  for (const char* n : {"butBannerCode", "lblScriptExt", "edtScriptExt"})
    w<QWidget>(n)->setEnabled(script);
  w<QWidget>("BannerCode")->setEnabled(w<QComboBox>("BannerBank")->currentIndex() >= 0);
}

void TfrmMain::updateSubTabs() {
  int t = selectedTemplate();
  SetTabShown(w<QWidget>("tabText3"), t != 1);
  SetTabShown(w<QWidget>("tabText4"), t == 10 || t == 12 || t == kResponsiveTemplate);
}

void TfrmMain::refreshGalleryPreview() {
  QColor back = ToQColor(w<ColourButton>("butGalleryBackColor")->colour());
  const char* samples[4] = {"edtTextColor", "edtLinkColor", "edtVisitedLinkColor",
                            "edtActiveLinkColor"};
  const char* fore[4] = {"butGalleryForeColor", "butGalleryLinkColor",
                         "butGalleryVisitedLinkColor", "butGalleryActiveLinkColor"};
  for (int i = 0; i < 4; ++i) {
    QWidget* s = w<QWidget>(samples[i]);
    Colourise(s, QPalette::Base, back);
    Colourise(s, QPalette::Text, ToQColor(w<ColourButton>(fore[i])->colour()));
  }
  Colourise(w<QWidget>("Shape1"), QPalette::Window, back);
}

void TfrmMain::refreshImagePreview() {
  QColor back = ToQColor(w<ColourButton>("butImageBackColor")->colour());
  const char* samples[4] = {"ImageText", "ImageLink", "ImageVisitedLink", "ImageActiveLink"};
  const char* fore[4] = {"butImageForeColor", "butImageLinkColor", "butImageVisitedLinkColor",
                         "butImageActiveLinkColor"};
  for (int i = 0; i < 4; ++i) {
    QWidget* s = w<QWidget>(samples[i]);
    Colourise(s, QPalette::Base, back);
    Colourise(s, QPalette::Text, ToQColor(w<ColourButton>(fore[i])->colour()));
  }
  Colourise(w<QWidget>("Shape2"), QPalette::Window, back);
}

void TfrmMain::recomputeFolders() {
  std::string base = AddBackslash(w<QLineEdit>("BaseDir")->text().toStdString());
  std::string images = w<QLineEdit>("ImageDir")->text().toStdString();
  std::string thumbs = w<QLineEdit>("ThumbsDir")->text().toStdString();
  imageFolder_ = images.empty() ? base : AddBackslash(base + images);
  thumbFolder_ = thumbs.empty() ? base : AddBackslash(base + thumbs);
}

}  // namespace fw
