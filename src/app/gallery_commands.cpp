// The gallery list commands, the profile loader, the image list with its preview, and the
// layout choice of the Thumbnails tab.
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <cmath>

#include "app/main_window.h"
#include "app/widgets.h"
#include "common/fs.h"
#include "common/gallery_name.h"
#include "common/rounding.h"
#include "common/text.h"
#include "generator/layout.h"
#include "images/image_io.h"
#include "images/image_list.h"
#include "settings/catalogue.h"
#include "settings/gallery_keys.h"
#include "settings/gallery_snapshot.h"
#include "settings/store.h"
#include "settings/textblock.h"

namespace fw {

QString MemoSection(const QString& memo);

std::optional<QString> TfrmMain::askGalleryName(const QString& title, const QString& prompt,
                                                const QString& initial) {
  auto* list = w<QListWidget>("lstGalleries");
  QString ask = prompt, answer = initial;
  for (;;) {
    auto got = dialogs_->input(this, title, ask, answer);
    if (!got) return std::nullopt;
    answer = *got;
    if (answer.isEmpty()) {
      ask = "Please enter a name for gallery";
      continue;
    }
    if (!IsGalleryName(answer.toStdString())) {
      ask = QString(kGalleryNameRule) + " Please select a new one.";
      continue;
    }
    bool taken = false;
    for (int i = 0; i < list->count(); ++i)
      taken = taken || list->item(i)->text().compare(answer, Qt::CaseInsensitive) == 0;
    if (!taken) return answer;
    ask = "The name already exists. Please select a new one.";
  }
}

void TfrmMain::updateTotal() {
  w<QLabel>("lblTotalGalleries")->setText(QString::number(w<QListWidget>("lstGalleries")->count()));
}

void TfrmMain::addGallery() {
  auto name = askGalleryName("New Gallery", "Gallery name", "");
  if (!name) return;
  auto* list = w<QListWidget>("lstGalleries");
  int row = SortedRow(list, *name);
  list->insertItem(row, *name);
  list->setCurrentRow(row);
  selectGallery();
  store_->CreateKey(GalleryKey(root_, name->toStdString()));
  updateTotal();
}

void TfrmMain::deleteGallery() {
  if (!dialogs_->ask(this, "Are you sure you want to delete the selected gallery?",
                     "Delete Gallery", true))
    return;
  auto* list = w<QListWidget>("lstGalleries");
  int i = list->currentRow();
  if (i < 0) return;
  std::string name = list->item(i)->text().toStdString();
  try {
    store_->DeleteKey(GalleryKey(root_, name));
  } catch (const std::exception&) {
    // A key that cannot be deleted leaves the list to be updated all the same.
  }
  // A name that is no gallery name has no text-block file of ours to delete.
  if (IsGalleryName(name)) fs::Delete(GalleryFile(appFolder_, name));
  delete list->takeItem(i);
  if (list->count() > 0) list->setCurrentRow(i < list->count() ? i : list->count() - 1);
  selectGallery();
  updateTotal();
}

void TfrmMain::duplicateGallery() {
  auto* list = w<QListWidget>("lstGalleries");
  if (!list->currentItem()) return;
  QString source = list->currentItem()->text();
  auto name = askGalleryName("Duplicate gallery", "Please enter a name for the duplicate gallery",
                             source + "-1");
  if (!name) return;
  try {
    if (store_->KeyExists(galleryKey_))
      store_->CopyKey(galleryKey_, GalleryKey(root_, name->toStdString()));
  } catch (const std::exception&) {
    // As with deletion, a failed copy is not reported.
  }
  if (IsGalleryName(source.toStdString())) {
    std::string from = GalleryFile(appFolder_, source.toStdString());
    if (fs::Exists(from)) fs::CopyFile(from, GalleryFile(appFolder_, name->toStdString()));
  }
  int row = SortedRow(list, *name);
  list->insertItem(row, *name);
  list->setCurrentRow(row);
  selectGallery();
  updateTotal();
}

void TfrmMain::selectGallery() {
  loadProfile();
  auto* preview = w<QLabel>("ImageArea");
  preview->clear();
  preview->hide();
}

void TfrmMain::loadProfile() {
  auto* list = w<QListWidget>("lstGalleries");
  if (list->count() == 0) {
    list->addItem("Gallery");
    list->setCurrentRow(0);
  }
  if (!list->currentItem()) list->setCurrentRow(0);
  std::string name = list->currentItem()->text().toStdString();
  w<QLabel>("lblGallery")->setText(QString::fromStdString(name));
  showStatus(QString());  // the last run's status belongs to the gallery it ran on
  galleryKey_ = GalleryKey(root_, name);
  // A gallery whose file would lie outside the application folder is not loaded.
  textBlockFile_ = GalleryFile(appFolder_, name);
  for (const CatalogueEntry* e : CatalogueScope(Scope::Gallery)) loadValue(*e);
  recomputeFolders();
  refreshGalleryPreview();
  refreshImagePreview();
  applyRules();
  for (auto* memo : findChildren<QPlainTextEdit*>()) {
    QString section = MemoSection(memo->objectName());
    if (section.isEmpty()) continue;
    std::string text = ReadSection(textBlockFile_, section.toStdString());
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    memo->setPlainText(QString::fromStdString(ReplaceAll(text, "\r\n", "\n")));
  }
  banks_ = LoadBankList(textBlockFile_);
  showBanks();
  applyRules();
  reloadImages();
  updateSubTabs();
}

void TfrmMain::reloadImages() {
  auto* list = w<ImageListBox>("ImageList");
  list->clear();
  // No base directory lists no picture, and the pages label says so.
  if (QString::fromStdString(w<QLineEdit>("BaseDir")->text().toStdString()).trimmed().isEmpty())
    return setPagesLabel(ImageCountLabel(0, 0));
  list->setSorted(w<QCheckBox>("chkSort")->isChecked());
  ImageScanValues v = ImageScanValues::From(ReadSettings(values()));
  v.sorted = false;  // the list box itself keeps the sorted order
  list->setNames(ScanImageList(imageFolder_, v));
  setPagesLabel(ImageCountLabel(list->count(), pageCount()));
}

void TfrmMain::showPreview() {
  auto* list = w<ImageListBox>("ImageList");
  auto* preview = w<QLabel>("ImageArea");
  if (!list->currentItem()) return;
  std::string path = imageFolder_ + list->currentItem()->text().toStdString();
  if (!fs::Exists(path)) {
    dialogs_->beep();
    dialogs_->message(this,
                      "Image file does not exist.\r\nPlease click on the \"Reload images\" button "
                      "to refresh the list.",
                      kAppTitle, MessageIcon::None);
    return;
  }
  Raster r;
  try {
    r = DecodePicture(path, PictureKindOf(path));
  } catch (const std::exception&) {
    r = Raster{};
  }
  if (r.width <= 0 || r.height <= 0) {
    preview->clear();
    preview->hide();
    return;
  }
  QImage img(r.rgb.data(), r.width, r.height, r.width * 3, QImage::Format_RGB888);
  double factor = r.height > r.width ? 104.0 / r.height : double(list->width()) / r.width;
  int pw = int(RoundHalfEven(r.width * factor)), ph = int(RoundHalfEven(r.height * factor));
  preview->setPixmap(QPixmap::fromImage(img.copy()));
  preview->setGeometry(list->x() + int(RoundHalfEven((list->width() - pw) / 2.0)),
                       list->y() - ph - 1, pw, ph);
  preview->show();
  preview->raise();
}

int TfrmMain::selectedTemplate() const {
  for (int n = kFirstTemplate; n <= kLastTemplate; ++n)
    if (auto* r = findChild<QRadioButton*>(QString("Template%1").arg(n)); r && r->isChecked())
      return n;
  return 0;
}

int TfrmMain::pageCount() {
  return PageCount(selectedTemplate(), w<SpinEdit>("Rows")->value(), w<SpinEdit>("Cols")->value(),
                   w<QListWidget>("ImageList")->count(), &host());
}

void TfrmMain::setPagesLabel(const std::string& text) {
  w<QLabel>("PagesReqd")->setText(QString::fromStdString(text).replace("\r\n", "\n"));
}

void TfrmMain::chooseTemplate(int n) {
  store_->RegWriteInteger(galleryKey_, value::Template, n);
  applyTemplateLimits();
  updateSubTabs();
}

void TfrmMain::applyTemplateLimits() {
  int t = selectedTemplate();
  auto* rows = w<SpinEdit>("Rows");
  auto* cols = w<SpinEdit>("Cols");
  TemplateLimits lim = LimitsFor(t);
  rows->setEnabled(lim.rowsEnabled);
  cols->setEnabled(lim.columnsEnabled);
  rows->setRange(lim.minRows, rows->maximum(), 1);
  cols->setRange(lim.minColumns, cols->maximum(), 1);
  Grid g = ApplyLimits(t, Grid{rows->value(), cols->value()});
  if (g.rows != rows->value()) rows->setValue(g.rows);  // stored by the editor's own handler
  if (g.columns != cols->value()) cols->setValue(g.columns);
  int count = w<QListWidget>("ImageList")->count();
  setPagesLabel(PagesLabelForTemplate(count, pageCount()));
}

}  // namespace fw
