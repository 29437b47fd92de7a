// Start-up and shutdown of the window, the Host it offers to commands, and the commands of
// its own: colour and folder choosers, Browser, Help, the backup-group toggle.
#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <unordered_map>

#include "app/controls.h"
#include "app/screen_fit.h"
#include "app/settings_dialog.h"
#include "app/widgets.h"
#include "common/error.h"
#include "common/paths.h"
#include "reports/report_list.h"
#include "settings/catalogue.h"
#include "settings/gallery_keys.h"
#include "settings/gallery_snapshot.h"
#include "settings/store.h"
#include "settings/textblock.h"
#include "version.h"

namespace fw {

QString MemoForSection(const QString& section);

class TfrmMain::WindowHost : public Host {
 public:
  explicit WindowHost(TfrmMain& w) : w_(w) {}
  void status(const std::string& text) override {
    w_.showStatus(QString::fromStdString(text));
  }
  void message(const std::string& text, const std::string& title, MessageIcon icon) override {
    w_.dialogs_->message(&w_, QString::fromStdString(text), QString::fromStdString(title), icon);
  }
  bool ask(const std::string& text, const std::string& title, bool defaultNo) override {
    return w_.dialogs_->ask(&w_, QString::fromStdString(text), QString::fromStdString(title),
                            defaultNo);
  }
  void progress(int done, int total) override { w_.showProgress(done, total); }
  void beep() override { w_.dialogs_->beep(); }
  void processEvents() override { QCoreApplication::processEvents(); }
  bool abortRequested() override { return w_.abortRequested_; }
  void open(const std::string& target) override {
    w_.dialogs_->open(QString::fromStdString(target));
  }

 private:
  TfrmMain& w_;
};

// The gallery as the window shows it: each value read from its bound control, found once by
// its name and then kept.
class TfrmMain::WindowValues : public GalleryValues {
 public:
  explicit WindowValues(TfrmMain& w) : w_(w) {}
  QWidget* control(const CatalogueEntry* e) const {
    if (!e) return nullptr;
    QPointer<QWidget>& kept = controls_[e];
    if (!kept) kept = find(*e);
    return kept;
  }
  std::string text(std::string_view name) const override {
    QWidget* c = control(FindGalleryValue(name));
    if (auto* edit = qobject_cast<QLineEdit*>(c)) return edit->text().toStdString();
    if (auto* spin = qobject_cast<SpinEdit*>(c)) return spin->text().toStdString();
    if (auto* spin = qobject_cast<QSpinBox*>(c)) return spin->text().toStdString();
    return std::to_string(integer(name));
  }
  int integer(std::string_view name) const override {
    const CatalogueEntry* e = FindGalleryValue(name);
    if (!e) return 0;
    if (e->name == value::Template) return w_.selectedTemplate();
    QWidget* c = control(e);
    if (e->name == value::IsThumbPrefix) {
      auto* r = qobject_cast<QRadioButton*>(c);
      return r && r->isChecked() ? 1 : 0;
    }
    if (auto* spin = qobject_cast<SpinEdit*>(c)) return spin->value();
    if (auto* spin = qobject_cast<QSpinBox*>(c)) return spin->value();
    if (auto* colour = qobject_cast<ColourButton*>(c)) return colour->colour();
    if (auto* box = qobject_cast<QCheckBox*>(c)) return box->isChecked() ? 1 : 0;
    if (auto* edit = qobject_cast<QLineEdit*>(c)) return edit->text().toInt();
    return 0;
  }
  bool flag(std::string_view name) const override { return integer(name) != 0; }
  std::string section(std::string_view name) const override {
    QString memo = MemoForSection(QString::fromStdString(std::string(name)));
    // A section without a memo of its own (a banner bank) is read from the file; an empty
    // name would find any memo.
    auto* m = memo.isEmpty() ? nullptr : w_.findChild<QPlainTextEdit*>(memo);
    if (m) {
      std::string t = m->toPlainText().toStdString();
      std::string out;
      for (const auto& line : SplitLines(t)) out += line + "\r\n";
      return out;
    }
    return ReadSection(w_.textBlockFile_, std::string(name));
  }
  std::vector<std::string> images() const override {
    return w_.w<ImageListBox>("ImageList")->imageNames();
  }
  void reloadImages() override { w_.reloadImages(); }
  std::string galleryName() const override {
    auto* l = w_.w<QListWidget>("lstGalleries");
    return l->currentItem() ? l->currentItem()->text().toStdString() : std::string();
  }
  std::string galleryKey() const override { return w_.galleryKey_; }
  std::string appFolder() const override { return w_.appFolder_; }

 private:
  QWidget* find(const CatalogueEntry& e) const {
    // The dialogs' settings live in their own windows, where some control names recur.
    if (e.scope == Scope::ImageProperties) return w_.imageProps_->find(e.name);
    if (e.scope == Scope::CustomTemplate) return w_.customOptions_->find(e.name);
    // "Use prefix" is the choice the value counts.
    if (e.name == value::IsThumbPrefix) return w_.findChild<QRadioButton*>("optIsThumbPrefix1");
    return w_.findChild<QWidget*>(QString::fromStdString(e.control));
  }

  TfrmMain& w_;
  mutable std::unordered_map<const CatalogueEntry*, QPointer<QWidget>> controls_;
};

TfrmMain::TfrmMain(const WindowOptions& o, QWidget* parent)
    : QMainWindow(parent),
      root_(o.settingsRoot),
      appFolder_(o.appFolder),
      dataFolder_(o.dataFolder),
      updateListUrl_(o.updateListUrl) {
  setObjectName("TfrmMain");
  store_ = std::make_unique<Store>(o.storeFile);
  if (!o.dialogs) ownDialogs_ = std::make_unique<QtDialogs>();
  dialogs_ = o.dialogs ? o.dialogs : ownDialogs_.get();
  host_ = std::make_unique<WindowHost>(*this);
  values_ = std::make_unique<WindowValues>(*this);
  buildWindow();
  // Resizable, opening as large as its contents ask and wide enough to show every tab;
  // start-up fits it onto the screen.
  const int allTabs = w<QWidget>("PanelList")->sizeHint().width() +
                      w<QTabWidget>("PageControl")->tabBar()->sizeHint().width() + 24;
  resize(sizeHint().expandedTo(QSize(allTabs, 0)));
  bindCatalogue();
  connectRules();
  guard([&] { startUp(); });
}

TfrmMain::~TfrmMain() = default;

Host& TfrmMain::host() { return *host_; }
GalleryValues& TfrmMain::values() { return *values_; }

void TfrmMain::guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    dialogs_->message(this, QString::fromStdString(e.what()), kAppTitle, MessageIcon::Error);
  }
}

void TfrmMain::closeEvent(QCloseEvent* e) {
  guard([&] { commitFocused(); });
  guard([&] { shutDown(); });
  // The dialogs are windows of their own; they go with the main window.
  for (QDialog* d :
       std::initializer_list<QDialog*>{imageProps_.get(), rename_.get(), customOptions_.get()})
    if (d) d->hide();
  e->accept();
}

void TfrmMain::startUp() {
  setWindowTitle(QString("%1 v%2.%3.%4")
                     .arg(version::kTitle)
                     .arg(version::kMajor)
                     .arg(version::kMinor)
                     .arg(version::kRelease));
  w<QLabel>("lblAppName")->setText(version::kTitle);
  w<QLabel>("lblAppVersion")->setText(QString("Version ") + version::kFileVersion);
  w<QLabel>("lblAppDesc")->setText(version::kComments);
  w<QLabel>("lblCopyright")->setText(version::kLegalCopyright);
  w<QTabWidget>("PageControl")->setCurrentWidget(w<QWidget>("tabDirectories"));

  auto* galleries = w<QListWidget>("lstGalleries");
  for (const auto& name : store_->Subkeys(GalleriesKey(root_))) {
    QString n = QString::fromStdString(name);
    galleries->insertItem(SortedRow(galleries, n), n);
  }
  reports_ = std::make_unique<ReportList>(*store_, root_);
  auto* reports = w<QComboBox>("cmbReports");
  for (const auto& name : reports_->names()) reports->addItem(QString::fromStdString(name));

  auto appInt = [&](const char* name) {
    const CatalogueEntry* e = FindApplicationValue(name);
    return store_->RegReadInteger(root_, name, e ? e->defaultInt : 0);
  };
  int selected = appInt("SelectedGallery");
  // A stored index that no longer fits (galleries removed outside) falls back to the first.
  if (selected < 0 || selected >= galleries->count()) selected = 0;
  if (galleries->count() > 0) galleries->setCurrentRow(selected);
  int report = appInt("SelectedReport");
  selectReport(report >= 0 && report < reports->count() ? report : 0);
  move(appInt("Left"), appInt("Top"));
  FitOnScreen(this);  // a position saved on a screen since gone or smaller

  QStringList lines = QString::fromStdString(store_->RegReadString(root_, "CustomColors", ""))
                          .split("\r\n", Qt::SkipEmptyParts);
  for (const QString& line : lines) {
    // Lines read "ColorA=RRGGBB" .. "ColorP=...", the colour value in hexadecimal.
    if (line.size() < 8 || !line.startsWith("Color") || line[6] != '=') continue;
    int index = line[5].toLatin1() - 'A';
    bool ok = false;
    int v = line.mid(7).toInt(&ok, 16);
    if (ok && index >= 0 && index < QColorDialog::customCount())
      QColorDialog::setCustomColor(index, ToQColor(v));
  }
  const CatalogueEntry* backup = FindApplicationValue("BackupDir");
  w<QLineEdit>("edtBackupDir")
      ->setText(QString::fromStdString(
          store_->RegReadString(root_, "BackupDir", appFolder_ + (backup ? backup->defaultText : ""))));
  int height = appInt("BackupGroupHeight");
  auto* grp = w<QGroupBox>("grpBackup");
  if (height != 120) {
    grp->setFixedHeight(12);
    grp->setTitle(" Click for Backup ");
    w<QWidget>("grpBackupBody")->hide();
  }
  loadProfile();
  updateTotal();  // the loader may have added the fall-back entry
  fillDialogs();
}

void TfrmMain::shutDown() {
  if (shutDownDone_) return;
  shutDownDone_ = true;
  auto* galleries = w<QListWidget>("lstGalleries");
  if (!galleries->currentItem()) return;
  store_->RegWriteInteger(root_, "Top", y());
  store_->RegWriteInteger(root_, "Left", x());
  std::string colours;
  for (int i = 0; i < QColorDialog::customCount(); ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "Color%c=%06X\r\n", 'A' + i,
                  static_cast<unsigned>(FromQColor(QColorDialog::customColor(i))));
    colours += line;
  }
  store_->RegWriteString(root_, "CustomColors", colours);
  store_->RegWriteInteger(root_, "SelectedGallery", galleries->currentRow());
  store_->RegWriteInteger(root_, "SelectedReport", w<QComboBox>("cmbReports")->currentIndex());
}

void TfrmMain::toggleBackupGroup() {
  auto* grp = w<QGroupBox>("grpBackup");
  auto* list = w<QListWidget>("lstGalleries");
  bool expanded = grp->height() == 120 || grp->maximumHeight() == 120;
  // The list takes the room the group gives up, so the panel keeps its height.
  int listHeight = list->height();
  if (expanded) {
    grp->setFixedHeight(12);
    grp->setTitle(" Click for Backup ");
    w<QWidget>("grpBackupBody")->hide();
    list->resize(list->width(), listHeight + 108);
  } else {
    grp->setFixedHeight(120);
    grp->setTitle(" Backup (click to hide) ");
    w<QWidget>("grpBackupBody")->show();
    list->resize(list->width(), listHeight - 108);
  }
  store_->RegWriteInteger(root_, "BackupGroupHeight", grp->maximumHeight());
}

void TfrmMain::openBrowser() {
  std::string file = AddBackslash(w<QLineEdit>("BaseDir")->text().toStdString()) +
                     w<QLineEdit>("IndexFile")->text().toStdString();
  dialogs_->open(QString::fromStdString(file));
}

void TfrmMain::openHelp(const QString& topic) {
  QUrl page = QUrl::fromLocalFile(QString::fromStdString(dataFolder_) + kHelpPage);
  page.setFragment(topic);
  dialogs_->open(page.toString());
}

void TfrmMain::chooseFolder(const QString& field) {
  auto* edit = findChild<QLineEdit*>(field);
  QString start = edit->text().isEmpty() ? QString::fromStdString(appFolder_) : edit->text();
  if (auto chosen = dialogs_->folder(this, start)) {
    edit->setText(*chosen);
    // A chosen folder is saved like a typed one, also for the fields written on leaving.
    if (field == "edtBackupDir")
      store_->RegWriteString(root_, "BackupDir", chosen->toStdString());
  }
}

void TfrmMain::chooseColour(const QString& button) {
  auto* b = findChild<ColourButton*>(button);
  auto chosen = dialogs_->colour(this, lastColour_);
  if (!chosen) return;
  lastColour_ = *chosen;
  b->setColour(FromQColor(*chosen));
  if (const CatalogueEntry* e = EntryForControl(button)) writeValue(*e);
  refreshGalleryPreview();
  refreshImagePreview();
}

}  // namespace fw
