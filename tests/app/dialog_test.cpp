// The Image Properties, Rename Images and Custom Template Options dialogs, driven through the
// window: placement and buttons, the resize run with Abort, renaming, the stored options.
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/settings_dialog.h"
#include "settings/store.h"
#include "window_fixture.h"

namespace fw {
namespace {

class DialogTest : public WindowTest {
 protected:
  QString images() const { return dir_.path() + "/site/images"; }
  void pictures(std::initializer_list<const char*> names, int w = 300, int h = 200) {
    QDir().mkpath(images());
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(Qt::darkGreen);
    for (const char* n : names) ASSERT_TRUE(img.save(images() + "/" + n, "BMP"));
  }
  TfrmMain& startOnSite() {
    TfrmMain& w = start();
    w.w<QLineEdit>("BaseDir")->setText(dir_.path() + "/site");
    leave(w.w<QLineEdit>("BaseDir"));
    w.reloadImages();
    return w;
  }
  static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
  std::string gallery(const char* name) const { return root_ + "\\Galleries\\" + name; }
};

TEST_F(DialogTest, ResizeRunsFromTheDialogInTheBusyStateAndStopsOnAbort) {
  pictures({"a.bmp", "b.bmp", "c.bmp"});
  TfrmMain& w = startOnSite();
  SettingsDialog& props = w.imageProps();
  EXPECT_FALSE(props.isVisible());
  qobject_cast<QSpinBox*>(props.find("MaxImageWidth"))->setValue(100);
  qobject_cast<QSpinBox*>(props.find("MaxImageHeight"))->setValue(100);
  EXPECT_EQ(w.store().RegReadInteger(gallery("Gallery"), "MaxImageWidth", 0), 100);

  auto* resize = w.w<QWidget>("butResizeImages");
  auto* abort = w.w<QWidget>("butAbortResize");
  const QPoint place = resize->mapToGlobal(QPoint(0, 0));
  click(resize);
  EXPECT_TRUE(props.isVisible());
  EXPECT_EQ(props.pos(), place);
  EXPECT_FALSE(resize->isVisible());
  EXPECT_TRUE(abort->isVisible());
  EXPECT_TRUE(w.isEnabled());  // the window is not blocked

  bool panelEnabled = true;
  QTimer::singleShot(0, &w, [&] {
    panelEnabled = w.w<QWidget>("PanelList")->isEnabled();
    click(abort);
  });
  props.accept();
  EXPECT_FALSE(panelEnabled);
  EXPECT_FALSE(props.isVisible());
  EXPECT_EQ(w.w<QLabel>("StatusText")->text(), "Image resizing aborted.");
  EXPECT_EQ(QDir(images()).entryList({"*.jpg"}).size(), 1);
  EXPECT_EQ(QDir(images()).entryList({"*.bmp"}).size(), 2);
  EXPECT_TRUE(resize->isVisible());
  EXPECT_FALSE(abort->isVisible());
  EXPECT_TRUE(w.w<QWidget>("PanelList")->isEnabled());

  // Cancel puts the button back; the dialog keeps its values for another gallery.
  click(resize);
  props.reject();
  EXPECT_TRUE(resize->isVisible());
  EXPECT_FALSE(abort->isVisible());
  dialogs_.inputs = {QString("Other")};
  w.addGallery();
  auto* list = w.w<QListWidget>("lstGalleries");
  list->setCurrentRow(1);
  w.selectGallery();
  EXPECT_EQ(qobject_cast<QSpinBox*>(props.find("MaxImageWidth"))->value(), 100);
  qobject_cast<QSpinBox*>(props.find("MaxImageWidth"))->setValue(200);
  EXPECT_EQ(w.store().RegReadInteger(gallery("Other"), "MaxImageWidth", 0), 200);
  EXPECT_EQ(w.store().RegReadInteger(gallery("Gallery"), "MaxImageWidth", 0), 100);
}

TEST_F(DialogTest, RenameNumbersThePicturesOrSaysThereIsNothingToDo) {
  TfrmMain& w = startOnSite();
  QDialog& rename = w.renameDialog();
  click(w.w<QWidget>("butRenameImg"));
  ASSERT_TRUE(rename.isVisible());
  auto* prefix = rename.findChild<QLineEdit*>("ImagePrefix");
  EXPECT_EQ(prefix->text(), "image");
  EXPECT_TRUE(rename.findChild<QRadioButton*>("chkRename0")->isChecked());
  click(rename.findChild<QWidget*>("butRename"));
  auto messages = dialogs_.of("message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Nothing to do!");
  EXPECT_TRUE(rename.isVisible());

  pictures({"x.bmp", "y.bmp", "z.bmp"}, 4, 4);
  w.reloadImages();
  prefix->setText("pic");
  click(rename.findChild<QWidget*>("butRename"));
  EXPECT_FALSE(rename.isVisible());
  EXPECT_EQ(QDir(images()).entryList(QDir::Files, QDir::Name),
            (QStringList{"pic1.bmp", "pic2.bmp", "pic3.bmp"}));
  EXPECT_EQ(w.w<QListWidget>("ImageList")->count(), 3);
  click(w.w<QWidget>("butRenameImg"));
  EXPECT_EQ(prefix->text(), "pic");  // kept while the program runs
}

TEST_F(DialogTest, CustomOptionsAreStoredAndShownAgainAtStart) {
  TfrmMain& w = start();
  SettingsDialog& custom = w.customOptions();
  w.w<QAbstractButton>("butCustomOptions")->click();  // on a tab not shown
  EXPECT_TRUE(custom.isVisible());
  auto* tabs = custom.findChild<QTabWidget*>("CustomTabs");
  EXPECT_FALSE(tabs->isTabVisible(1));
  auto* shell = qobject_cast<QCheckBox*>(custom.find("UseCustomImageShell"));
  shell->click();
  EXPECT_TRUE(tabs->isTabVisible(1));
  EXPECT_TRUE(w.store().RegReadBool(gallery("Gallery"), "UseCustomImageShell", false));

  auto* prefix = qobject_cast<QLineEdit*>(custom.find("CustomGalleryPrefix"));
  EXPECT_EQ(prefix->text(), "Gallery");
  prefix->setText("page");
  EXPECT_EQ(w.store().RegReadString(gallery("Gallery"), "CustomGalleryPrefix", "unset"), "unset");
  leave(prefix);
  EXPECT_EQ(w.store().RegReadString(gallery("Gallery"), "CustomGalleryPrefix", ""), "page");

  dialogs_.files = {QString("/tmp/t/gallery.html")};
  click(custom.findChild<QWidget*>("butBrowseCustomGalleryTemplate"));
  ASSERT_EQ(dialogs_.of("open-file").size(), 1u);
  EXPECT_EQ(dialogs_.of("open-file")[0].text.toStdString(), appFolder_);
  EXPECT_EQ(w.store().RegReadString(gallery("Gallery"), "CustomGalleryTemplate", ""),
            "/tmp/t/gallery.html");
  EXPECT_EQ(w.values().text("CustomGalleryPrefix"), "page");

  restart();
  SettingsDialog& again = window_->customOptions();
  EXPECT_EQ(qobject_cast<QLineEdit*>(again.find("CustomGalleryPrefix"))->text(), "page");
  EXPECT_TRUE(again.findChild<QTabWidget*>("CustomTabs")->isTabVisible(1));
}


TEST_F(DialogTest, SmoothPicturesIsOneValueShownBesideTheThumbnailSizeAndInImageProperties) {
  TfrmMain& w = start();
  auto* window = w.w<QCheckBox>("chkSmoothPictures");
  auto* props = w.imageProps().findChild<QCheckBox*>("chkSmoothResize");
  ASSERT_TRUE(props);
  EXPECT_EQ(window->text(), "Smooth pictures");
  EXPECT_EQ(props->text(), "Smooth pictures");
  EXPECT_FALSE(window->isChecked());
  props->click();
  EXPECT_TRUE(window->isChecked());
  EXPECT_TRUE(w.store().RegReadBool(gallery("Gallery"), "SmoothPictures", false));
  EXPECT_TRUE(w.values().flag("SmoothPictures"));
  window->click();
  EXPECT_FALSE(props->isChecked());
  EXPECT_FALSE(w.store().RegReadBool(gallery("Gallery"), "SmoothPictures", true));

  // A stored value shows in both at start.
  w.store().RegWriteBool(gallery("Gallery"), "SmoothPictures", true);
  restart();
  EXPECT_TRUE(window_->w<QCheckBox>("chkSmoothPictures")->isChecked());
  EXPECT_TRUE(window_->imageProps().findChild<QCheckBox*>("chkSmoothResize")->isChecked());
}
TEST_F(DialogTest, ToolDialogsOpenAtTheirFirstFieldCarryTheirTitleButtonsAndCloseOnEscape) {
  TfrmMain& w = start();
  struct Case {
    const char* button;
    QDialog* dialog;
    QWidget* first;
    bool closeBox;
  };
  const Case cases[] = {
      {"butResizeImages", &w.imageProps(), w.imageProps().find("MaxImageWidth"), true},
      {"butRenameImg", &w.renameDialog(), w.renameDialog().findChild<QWidget*>("ImagePrefix"),
       false},
      {"butCustomOptions", &w.customOptions(), w.customOptions().find("CustomGalleryTemplate"),
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    w.w<QAbstractButton>(c.button)->click();
    ASSERT_TRUE(c.dialog->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(c.dialog));
    EXPECT_EQ(c.dialog->focusWidget(), c.first);
    const Qt::WindowFlags flags = c.dialog->windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_EQ(bool(flags & Qt::WindowCloseButtonHint), c.closeBox);
    EXPECT_FALSE(flags & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint));
    QTest::keyClick(c.first, Qt::Key_Escape);
    EXPECT_FALSE(c.dialog->isVisible());
  }
  // Escape is Cancel: the resize button is back in its place.
  EXPECT_TRUE(w.w<QWidget>("butResizeImages")->isVisible());
  EXPECT_FALSE(w.w<QWidget>("butAbortResize")->isVisible());
}

}  // namespace
}  // namespace fw
