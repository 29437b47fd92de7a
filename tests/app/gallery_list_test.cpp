// Start-up, shutdown and the gallery list commands on a real window.
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <cstdio>

#include "app/widgets.h"
#include "common/gallery_name.h"
#include "settings/store.h"
#include "settings/textblock.h"
#include "window_fixture.h"

namespace fw {
namespace {

QStringList Names(TfrmMain& w) {
  QStringList out;
  auto* l = w.w<QListWidget>("lstGalleries");
  for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
  return out;
}

QString Selected(TfrmMain& w) {
  auto* l = w.w<QListWidget>("lstGalleries");
  return l->currentItem() ? l->currentItem()->text() : QString();
}

TEST_F(WindowTest, FirstStartShowsOneDefaultGalleryAndReport) {
  TfrmMain& w = start();
  EXPECT_EQ(Names(w), QStringList{"Gallery"});
  EXPECT_EQ(Selected(w), "Gallery");
  EXPECT_EQ(w.w<QLabel>("lblGallery")->text(), "Gallery");
  EXPECT_EQ(w.w<QLabel>("lblTotalGalleries")->text(), "1");
  auto* reports = w.w<QComboBox>("cmbReports");
  ASSERT_EQ(reports->count(), 1);
  EXPECT_EQ(reports->itemText(0), "Report 1");
  EXPECT_EQ(w.x(), 200);
  EXPECT_EQ(w.y(), 150);
  EXPECT_TRUE(w.w<QRadioButton>("Template1")->isChecked());
  EXPECT_EQ(w.w<SpinEdit>("Rows")->value(), 2);
  EXPECT_EQ(w.w<SpinEdit>("Cols")->value(), 5);
  EXPECT_EQ(w.w<SpinEdit>("ThumbSize")->value(), 100);
  EXPECT_EQ(w.values().text("GalleryTitle"), "Picture Gallery");
  EXPECT_EQ(w.values().integer("GalleryBackColor"), 0x800000);
  EXPECT_TRUE(w.windowTitle().startsWith("Framewright v"));
  EXPECT_EQ(w.w<QLineEdit>("edtBackupDir")->text().toStdString(), appFolder_ + "Backup");
}

TEST_F(WindowTest, AddRejectsEmptyAndExistingNamesIgnoringCase) {
  TfrmMain& w = start();
  dialogs_.inputs = {QString(), QString("gALLERY"), QString("Beach")};
  w.addGallery();
  auto asks = dialogs_.of("input");
  ASSERT_EQ(asks.size(), 3u);
  EXPECT_EQ(asks[0].title, "New Gallery");
  EXPECT_EQ(asks[0].text, "Gallery name");
  EXPECT_EQ(asks[1].text, "Please enter a name for gallery");
  EXPECT_EQ(asks[2].text, "The name already exists. Please select a new one.");
  EXPECT_EQ(asks[2].initial, "gALLERY");  // the rejected answer stays in the field
  EXPECT_EQ(Names(w), (QStringList{"Beach", "Gallery"}));
  EXPECT_EQ(Selected(w), "Beach");
  EXPECT_EQ(w.w<QLabel>("lblTotalGalleries")->text(), "2");
  EXPECT_TRUE(w.store().KeyExists(root_ + "\\Galleries\\Beach"));

  w.addGallery();  // cancelled: nothing changes
  EXPECT_EQ(Names(w).size(), 2);
}

TEST_F(WindowTest, NamesThatArePathsNeverMakeOrTouchAFileOutsideTheFolder) {
  // Refused where a name is typed...
  TfrmMain& w = start();
  dialogs_.inputs = {QString("../x"), QString("a/b"), QString(".."), QString("Fine")};
  w.addGallery();
  auto asks = dialogs_.of("input");
  ASSERT_EQ(asks.size(), 4u);
  for (int i = 1; i < 4; ++i)
    EXPECT_EQ(asks[i].text.toStdString(),
              std::string(kGalleryNameRule) + " Please select a new one.");
  EXPECT_EQ(Names(w), (QStringList{"Fine", "Gallery"}));

  // ...and a gallery of such a name from an older store is neither loaded nor its path used.
  const std::string outside = appFolder_ + "../victim.dat";
  WriteSection(outside, "Gallery Header", {"not ours"});
  w.store().CreateKey(root_ + "\\Galleries\\../victim");
  TfrmMain& again = start();
  again.w<QListWidget>("lstGalleries")->setCurrentRow(0);
  again.guard([&] { again.selectGallery(); });
  EXPECT_NE(dialogs_.of("message").back().text.toStdString().find("is not allowed"),
            std::string::npos);
  again.guard([&] { again.deleteGallery(); });
  EXPECT_FALSE(again.store().KeyExists(root_ + "\\Galleries\\../victim"));
  EXPECT_EQ(ReadSection(outside, "Gallery Header"), "not ours\r\n");
  std::remove(outside.c_str());
}

TEST_F(WindowTest, DeleteAsksWithNoAsDefaultAndSelectsTheNeighbour) {
  TfrmMain& w = start();
  dialogs_.inputs = {QString("a"), QString("b")};
  w.addGallery();
  w.addGallery();
  ASSERT_EQ(Names(w), (QStringList{"a", "b", "Gallery"}));

  dialogs_.answers = {false};
  w.deleteGallery();
  EXPECT_EQ(Names(w).size(), 3);
  auto asks = dialogs_.of("ask-no");
  ASSERT_EQ(asks.size(), 1u);
  EXPECT_EQ(asks[0].title, "Delete Gallery");
  EXPECT_EQ(asks[0].text, "Are you sure you want to delete the selected gallery?");

  w.w<QListWidget>("lstGalleries")->setCurrentRow(2);
  w.selectGallery();
  w.deleteGallery();
  EXPECT_EQ(Selected(w), "b");  // the new last entry
  w.w<QListWidget>("lstGalleries")->setCurrentRow(0);
  w.selectGallery();
  w.deleteGallery();
  EXPECT_EQ(Selected(w), "b");  // the entry that moved into the first place
  EXPECT_FALSE(w.store().KeyExists(root_ + "\\Galleries\\a"));
  w.deleteGallery();
  EXPECT_EQ(Names(w), QStringList{"Gallery"});
  EXPECT_EQ(w.w<QLabel>("lblTotalGalleries")->text(), "1");
  EXPECT_TRUE(w.w<QRadioButton>("Template1")->isChecked());
}

TEST_F(WindowTest, DeleteRemovesTheTextBlockFile) {
  TfrmMain& w = start();
  WriteSection(appFolder_ + "Gallery.dat", "Gallery Header", {"hello"});
  w.deleteGallery();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(appFolder_ + "Gallery.dat")));
}

TEST_F(WindowTest, DuplicateCopiesSettingsAndTexts) {
  TfrmMain& w = start();
  w.store().RegWriteInteger(root_ + "\\Galleries\\Gallery", "ThumbSize", 150);
  WriteSection(appFolder_ + "Gallery.dat", "Gallery Header", {"top line"});
  w.loadProfile();
  dialogs_.inputs = {QString("Gallery-1")};
  w.duplicateGallery();
  auto asks = dialogs_.of("input");
  ASSERT_EQ(asks.size(), 1u);
  EXPECT_EQ(asks[0].title, "Duplicate gallery");
  EXPECT_EQ(asks[0].text, "Please enter a name for the duplicate gallery");
  EXPECT_EQ(asks[0].initial, "Gallery-1");
  EXPECT_EQ(Selected(w), "Gallery-1");
  EXPECT_EQ(w.w<SpinEdit>("ThumbSize")->value(), 150);
  EXPECT_EQ(w.values().section("Gallery Header"), "top line\r\n");
  EXPECT_EQ(ReadSection(appFolder_ + "Gallery-1.dat", "Gallery Header"), "top line\r\n");
}

TEST_F(WindowTest, DuplicateOfAGalleryWithoutKeyShowsDefaults) {
  TfrmMain& w = start();
  w.store().DeleteKey(root_ + "\\Galleries\\Gallery");
  dialogs_.inputs = {QString("Copy")};
  w.duplicateGallery();
  EXPECT_EQ(Selected(w), "Copy");
  EXPECT_EQ(w.w<SpinEdit>("ThumbSize")->value(), 100);
  EXPECT_EQ(w.store().RegReadInteger(root_ + "\\Galleries\\Copy", "ThumbSize", -1), -1);
}

TEST_F(WindowTest, RestartRestoresSelectionPositionAndColours) {
  TfrmMain& w = start();
  dialogs_.inputs = {QString("a"), QString("z")};
  w.addGallery();
  w.addGallery();
  w.w<QListWidget>("lstGalleries")->setCurrentRow(1);
  w.selectGallery();
  w.move(260, 180);
  QColorDialog::setCustomColor(2, QColor(1, 2, 3));
  restart();
  EXPECT_EQ(Selected(*window_), "Gallery");
  EXPECT_EQ(window_->x(), 260);
  EXPECT_EQ(window_->y(), 180);
  EXPECT_EQ(window_->store().RegReadInteger(root_, "SelectedGallery", -1), 1);
  EXPECT_NE(window_->store().RegReadString(root_, "CustomColors", "").find("ColorC=030201\r\n"),
            std::string::npos);
  QColorDialog::setCustomColor(2, Qt::white);
  window_.reset();  // gone without closing: nothing is stored
  start();
  EXPECT_EQ(QColorDialog::customColor(2), QColor(1, 2, 3));
}

TEST_F(WindowTest, AStoreErrorDuringLoadIsShownAndTheWindowStaysUsable) {
  TfrmMain& w = start();
  dialogs_.inputs = {QString("bad")};
  w.store().RegWriteString(root_ + "\\Galleries\\bad", "ThumbSize", "wide");
  w.guard([&] { w.addGallery(); });
  auto boxes = dialogs_.of("message");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Framewright");
  EXPECT_TRUE(boxes[0].text.contains("ThumbSize"));
  w.w<QListWidget>("lstGalleries")->setCurrentRow(1);
  w.guard([&] { w.selectGallery(); });
  EXPECT_EQ(Selected(w), "Gallery");
}

}  // namespace
}  // namespace fw
