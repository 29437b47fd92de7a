// Values written back by their controls, the show/hide rules, the backup group, busy state.
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "app/widgets.h"
#include "images/store_gallery_values.h"
#include "settings/catalogue.h"
#include "settings/gallery_snapshot.h"
#include "settings/store.h"
#include "settings/textblock.h"
#include "window_fixture.h"

namespace fw {
namespace {

class BindingTest : public WindowTest {
 protected:
  std::string key() const { return root_ + "\\Galleries\\Gallery"; }
  bool tabShown(TfrmMain& w, const char* page) {
    QWidget* p = w.w<QWidget>(page);
    auto* tabs = qobject_cast<QTabWidget*>(p->parentWidget()->parentWidget());
    return tabs->isTabVisible(tabs->indexOf(p));
  }
};

// Every gallery-key value stored away from its default: what the window's controls then give a
// command is what the store held before the window showed it.
TEST_F(BindingTest, TheWindowsSnapshotIsTheStoresForEveryValue) {
  const std::string site = dir_.path().toStdString() + "/site";
  QDir().mkpath(QString::fromStdString(site + "/pics"));
  for (const char* name : {"b.jpg", "a.png"}) WriteSection(site + "/pics/" + name, "x", {});
  const std::string dat = appFolder_ + "Gallery.dat";
  WriteSection(dat, "Gallery Text4", {"four"});
  WriteSection(dat, "Banner Banks", {"b2", "B1"});
  WriteSection(dat, "B1", {"one"});
  GallerySnapshot stored;
  {
    Store store(storeFile_);
    for (const CatalogueEntry& e : Catalogue()) {
      if (e.scope == Scope::Application) continue;
      const int other = e.bounded() ? (e.defaultInt == e.minimum ? e.maximum : e.minimum)
                                    : e.defaultInt ^ 0x10203;
      if (e.kind == Kind::Boolean) store.RegWriteBool(key(), e.writeName, e.defaultInt == 0);
      if (e.kind == Kind::Integer) store.RegWriteInteger(key(), e.writeName, other);
      if (e.kind == Kind::String) store.RegWriteString(key(), e.writeName, "x" + e.name);
    }
    store.RegWriteString(key(), value::BaseDir, site);
    store.RegWriteString(key(), value::ImageDir, "pics");
    store.RegWriteInteger(key(), value::Template, 7);  // at least two columns
    store.RegWriteInteger(key(), value::Columns, 6);
    store.RegWriteInteger(key(), value::IsThumbPrefix, 0);
    stored = TakeSnapshot(StoreGalleryValues(store, root_, "Gallery", appFolder_));
  }
  const GallerySnapshot window = TakeSnapshot(start().values());
  EXPECT_TRUE(window == stored);
  EXPECT_EQ(window.IsThumbPrefix, 0);
  EXPECT_EQ(window.Template, 7);
  EXPECT_FALSE(window.UseImageShell);
  EXPECT_EQ(window.images, (std::vector<std::string>{"a.png", "b.jpg"}));
  EXPECT_EQ(window.texts.GalleryText4, "four\r\n");
  EXPECT_EQ(window.banks, (std::vector<BannerBank>{{"B1", "one\r\n"}, {"b2", ""}}));
}

TEST_F(BindingTest, ExitFieldsAreWrittenWhenLeft) {
  TfrmMain& w = start();
  auto* title = w.w<QLineEdit>("IndexTitle");
  title->setText("My pictures");
  EXPECT_EQ(w.store().RegReadString(key(), "IndexTitle", "unset"), "unset");
  leave(title);
  EXPECT_EQ(w.store().RegReadString(key(), "IndexTitle", ""), "My pictures");

  auto* url = w.w<QLineEdit>("BaseUrl");
  url->setText("  http://x.example/pics ");
  leave(url);
  EXPECT_EQ(url->text(), "http://x.example/pics/");
  EXPECT_EQ(w.store().RegReadString(key(), "BaseUrl", ""), "http://x.example/pics/");
  url->setText(" a/ ");  // already ends with "/": left as it is, blanks included
  leave(url);
  EXPECT_EQ(w.store().RegReadString(key(), "BaseUrl", ""), " a/ ");
  url->setText("");
  leave(url);
  EXPECT_EQ(w.store().RegReadString(key(), "BaseUrl", "unset"), "");

  auto* blank = w.w<QLineEdit>("BlankSpace");
  blank->setText("a b");
  EXPECT_EQ(blank->text(), "ab");
  leave(blank);
  EXPECT_EQ(w.store().RegReadString(key(), "BlankSpace", ""), "ab");
}

TEST_F(BindingTest, ChangeFieldsWriteAtOnceAndRecomputeFolders) {
  TfrmMain& w = start();
  w.w<QLineEdit>("BaseDir")->setText("/site");
  EXPECT_EQ(w.store().RegReadString(key(), "BaseDir", ""), "/site");
  EXPECT_EQ(w.imageFolder(), "/site/images/");
  w.w<QLineEdit>("ThumbsDir")->setText("");
  EXPECT_EQ(w.thumbFolder(), "/site/");
}

TEST_F(BindingTest, SpinEditorsWriteTheMinimumForNoNumberAndBoundOnExit) {
  TfrmMain& w = start();
  auto* size = w.w<SpinEdit>("ThumbSize");
  size->setText("");
  EXPECT_EQ(w.store().RegReadInteger(key(), "ThumbSize", 0), 1);
  EXPECT_EQ(size->text(), "");
  size->setText("999");
  EXPECT_EQ(w.store().RegReadInteger(key(), "ThumbSize", 0), 999);
  leave(size);
  EXPECT_EQ(size->text(), "400");
  EXPECT_EQ(w.store().RegReadInteger(key(), "ThumbSize", 0), 400);

  w.store().RegWriteInteger(key(), "CellPadding", 500);
  w.loadProfile();
  EXPECT_EQ(w.w<SpinEdit>("CellPadding")->value(), 100);
  EXPECT_EQ(w.store().RegReadInteger(key(), "CellPadding", 0), 100);
}

TEST_F(BindingTest, ClicksWriteChecksRadiosAndColours) {
  TfrmMain& w = start();
  w.w<QRadioButton>("optIsThumbPrefix0")->setChecked(true);
  EXPECT_EQ(w.store().RegReadInteger(key(), "IsThumbPrefix", -1), 0);
  w.w<QCheckBox>("ShowImageSize")->setChecked(true);
  EXPECT_TRUE(w.store().RegReadBool(key(), "ShowImageSize", false));

  dialogs_.colours = {QColor(0x11, 0x22, 0x33), std::nullopt};
  w.w<ColourButton>("butPageBackColor")->click();
  EXPECT_EQ(w.store().RegReadInteger(key(), "NavPageBackcolor", 0), 0x332211);
  w.w<ColourButton>("butGalleryBackColor")->click();  // cancelled
  ASSERT_EQ(dialogs_.colourStarts.size(), 2u);
  EXPECT_EQ(dialogs_.colourStarts[1], QColor(0x11, 0x22, 0x33));  // the last chosen colour
  EXPECT_EQ(w.values().integer("GalleryBackColor"), 0x800000);

  // Read back under the other spelling of the name.
  dialogs_.inputs = {QString("Copy")};
  w.duplicateGallery();
  EXPECT_EQ(w.w<ColourButton>("butPageBackColor")->colour(), 0x332211);
}

TEST_F(BindingTest, GalleryBackColourPaintsThePreview) {
  TfrmMain& w = start();
  dialogs_.colours = {QColor(0, 0, 255)};
  w.w<ColourButton>("butGalleryBackColor")->click();
  EXPECT_EQ(w.w<QWidget>("edtLinkColor")->palette().color(QPalette::Base), QColor(0, 0, 255));
  EXPECT_EQ(w.w<QWidget>("Shape1")->palette().color(QPalette::Window), QColor(0, 0, 255));
}

TEST_F(BindingTest, MemosWriteTheirSectionWhenLeft) {
  TfrmMain& w = start();
  auto* memo = w.w<QPlainTextEdit>("GalleryFooter");
  memo->setPlainText("one\ntwo");
  leave(memo);
  EXPECT_EQ(ReadSection(appFolder_ + "Gallery.dat", "Gallery Footer"), "one\r\ntwo\r\n");
}

TEST_F(BindingTest, ShowAndHideRulesFollowTheirControls) {
  TfrmMain& w = start();
  EXPECT_TRUE(tabShown(w, "tabImage"));
  w.w<QCheckBox>("chkImageShell")->setChecked(false);
  EXPECT_FALSE(tabShown(w, "tabImage"));
  EXPECT_FALSE(tabShown(w, "tabImageNav"));
  w.w<QCheckBox>("chkImageShell")->setChecked(true);
  EXPECT_TRUE(tabShown(w, "tabImage"));
  EXPECT_TRUE(tabShown(w, "tabImageNav"));

  EXPECT_FALSE(tabShown(w, "tabText3"));  // layout 1
  w.w<QRadioButton>("Template10")->setChecked(true);
  EXPECT_TRUE(tabShown(w, "tabText3"));
  EXPECT_TRUE(tabShown(w, "tabText4"));
  EXPECT_EQ(w.store().RegReadInteger(key(), "Template", 0), 10);
  EXPECT_EQ(w.w<SpinEdit>("Rows")->minimum(), 2);
  w.w<QRadioButton>("Template3")->setChecked(true);
  EXPECT_FALSE(tabShown(w, "tabText4"));
  EXPECT_FALSE(w.w<SpinEdit>("Rows")->isEnabled());
  auto* responsive = w.w<QRadioButton>("Template14");
  EXPECT_EQ(responsive->text(), "Responsive");
  responsive->setChecked(true);
  EXPECT_EQ(w.store().RegReadInteger(key(), "Template", 0), 14);
  EXPECT_TRUE(tabShown(w, "tabText3"));
  EXPECT_TRUE(tabShown(w, "tabText4"));
  EXPECT_TRUE(w.w<SpinEdit>("Rows")->isEnabled());
  w.w<QRadioButton>("Template1")->setChecked(true);
  EXPECT_FALSE(tabShown(w, "tabText3"));

  EXPECT_FALSE(w.w<QWidget>("CleanImageName")->isVisible());
  w.w<QCheckBox>("ShowImageName")->setChecked(true);
  EXPECT_TRUE(w.w<QWidget>("CleanImageName")->isVisibleTo(w.w<QWidget>("tabOptions")));
  EXPECT_FALSE(w.w<QWidget>("edtScriptExt")->isEnabled());
  w.w<QCheckBox>("WriteScriptFile")->setChecked(true);
  EXPECT_TRUE(w.w<QWidget>("edtScriptExt")->isEnabled());
  w.w<QCheckBox>("IncIndexLink")->setChecked(false);
  EXPECT_FALSE(w.w<QWidget>("edtIndexLink")->isEnabled());
  EXPECT_FALSE(w.w<QWidget>("BannerCode")->isEnabled());  // no bank
}

TEST_F(BindingTest, BackupGroupToggledTwiceStores120) {
  TfrmMain& w = start();
  auto* grp = w.w<QGroupBox>("grpBackup");
  w.toggleBackupGroup();
  EXPECT_EQ(w.store().RegReadInteger(root_, "BackupGroupHeight", 0), 12);
  EXPECT_EQ(grp->title(), " Click for Backup ");
  w.toggleBackupGroup();
  EXPECT_EQ(w.store().RegReadInteger(root_, "BackupGroupHeight", 0), 120);
  EXPECT_EQ(grp->title(), " Backup (click to hide) ");
}

TEST_F(BindingTest, CollapsedBackupGroupGivesTheListItsRoom) {
  TfrmMain& w = start();
  int expanded = w.w<QListWidget>("lstGalleries")->height();
  w.store().RegWriteInteger(root_, "BackupGroupHeight", 12);
  restart();
  QApplication::processEvents();
  EXPECT_EQ(window_->w<QGroupBox>("grpBackup")->height(), 12);
  EXPECT_EQ(window_->w<QListWidget>("lstGalleries")->height(), expanded + 108);
}

// Each run locks the controls of the values it reads and every command that would start a
// second run; what it does not read stays usable, and leaving gives back the rules' own states.
TEST_F(BindingTest, BusyStateLocksWhatTheRunReads) {
  struct Case {
    RunKind kind;
    std::vector<const char*> locked, usable;
  };
  const std::vector<const char*> always = {"lstGalleries", "butBackup", "BaseDir", "butBrowse2",
                                           "ImageDir",     "ImageList", "butGo", "butExport"};
  const std::vector<Case> cases = {
      {RunKind::Generation, {"ThumbsDir", "IndexTitle", "GalleryHeader", "Template3", "edtNext"},
       {"ImageSourceDir", "BaseUrl", "butAbortCopy", "PageControl"}},
      {RunKind::Thumbnails, {"ThumbsDir", "ThumbSize", "ThumbPrefix", "optIsThumbPrefix1"},
       {"IndexTitle", "GalleryHeader", "ConvertToJpeg"}},
      {RunKind::Resize, {}, {"ThumbsDir", "IndexTitle", "ThumbSize"}},
      {RunKind::Copy, {"ConvertToJpeg", "BlankSpace", "butBrowse", "spinMaxHeight"},
       {"ThumbsDir", "IndexTitle", "butAbortCopy"}},
  };
  TfrmMain& w = start();
  w.w<QCheckBox>("IncIndexLink")->setChecked(false);  // its field is disabled by a rule
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    w.setBusy(true, c.kind);
    for (const char* n : always) EXPECT_FALSE(w.w<QWidget>(n)->isEnabled()) << n;
    for (const char* n : c.locked) EXPECT_FALSE(w.w<QWidget>(n)->isEnabled()) << n;
    for (const char* n : c.usable) EXPECT_TRUE(w.w<QWidget>(n)->isEnabled()) << n;
    EXPECT_FALSE(w.renameDialog().isEnabled());
    w.setBusy(false, c.kind);
    for (const char* n : always) EXPECT_TRUE(w.w<QWidget>(n)->isEnabled()) << n;
    for (const char* n : c.locked) EXPECT_TRUE(w.w<QWidget>(n)->isEnabled()) << n;
    EXPECT_FALSE(w.w<QWidget>("edtIndexLink")->isEnabled());
    EXPECT_TRUE(w.renameDialog().isEnabled());
  }
}

TEST_F(BindingTest, BrowserHandsTheIndexFileToTheDesktop) {
  TfrmMain& w = start();
  w.openBrowser();
  ASSERT_EQ(dialogs_.of("open").size(), 1u);
  EXPECT_EQ(dialogs_.of("open")[0].text, "index.html");
  w.w<QLineEdit>("BaseDir")->setText("/site");
  w.openBrowser();
  EXPECT_EQ(dialogs_.of("open")[1].text, "/site/index.html");
}

}  // namespace
}  // namespace fw
