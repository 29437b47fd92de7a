// Go and Copy from the window: the site written and opened, the gallery panel locked during a
// run, the progress bar, the window usable again after an error, copy with Abort.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace fw {
namespace {

class RunCommandTest : public WindowTest {
 protected:
  QString site() const { return dir_.path() + "/site"; }
  static void picture(const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    QImage img(40, 30, QImage::Format_RGB888);
    img.fill(Qt::blue);
    ASSERT_TRUE(img.save(folder + "/" + name, name.endsWith(".png") ? "PNG" : "BMP"));
  }
  void useSite(TfrmMain& w) {
    w.w<QLineEdit>("BaseDir")->setText(site());
    leave(w.w<QLineEdit>("BaseDir"));
    w.reloadImages();
  }
  static void click(TfrmMain& w, const char* button) {
    QTest::mouseClick(w.w<QAbstractButton>(button), Qt::LeftButton);
  }
  QString status(TfrmMain& w) const { return w.w<QLabel>("StatusText")->text(); }
};

TEST_F(RunCommandTest, GoWritesTheSiteOpensItAndLocksTheGalleryPanelMeanwhile) {
  picture(site() + "/images", "a.png");
  picture(site() + "/images", "b.bmp");
  TfrmMain& w = start();
  dialogs_.inputs.push_back(QString("Second"));
  w.addGallery();
  auto* galleries = w.w<QListWidget>("lstGalleries");
  ASSERT_EQ(galleries->count(), 2);
  galleries->setCurrentRow(0);
  w.selectGallery();
  const std::string key = w.galleryKey();
  useSite(w);

  bool panelEnabled = true, goEnabled = true, baseDirButtonEnabled = true;
  int barMaximum = 0;
  QTimer::singleShot(0, &w, [&] {
    panelEnabled = galleries->isEnabled();
    goEnabled = w.w<QWidget>("butGo")->isEnabled();
    baseDirButtonEnabled = w.w<QWidget>("butBrowse2")->isEnabled();
    auto* bar = w.w<QProgressBar>("ProgressBar");
    if (bar->isVisible()) barMaximum = bar->maximum();
    QRect r = galleries->visualItemRect(galleries->item(1));
    QTest::mouseClick(galleries->viewport(), Qt::LeftButton, {}, r.center());
  });
  click(w, "butGo");

  EXPECT_FALSE(panelEnabled);
  EXPECT_FALSE(goEnabled);
  EXPECT_FALSE(baseDirButtonEnabled);  // choosing a folder would move the rest of the run
  EXPECT_EQ(barMaximum, 2);  // "Creating thumbnail 1 of 2"
  EXPECT_EQ(w.galleryKey(), key);
  EXPECT_EQ(galleries->currentRow(), 0);
  EXPECT_TRUE(QFile::exists(site() + "/index.html"));
  EXPECT_TRUE(QFile::exists(site() + "/Gallery.html"));
  auto opened = dialogs_.of("open");
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].text, site() + "/index.html");
  EXPECT_EQ(status(w), "Finished");
  EXPECT_TRUE(w.w<QWidget>("butGo")->isEnabled());
  EXPECT_TRUE(galleries->isEnabled());
  EXPECT_TRUE(w.w<QWidget>("ThumbsDir")->isEnabled());
  EXPECT_FALSE(w.w<QProgressBar>("ProgressBar")->isVisible());
  EXPECT_TRUE(dialogs_.of("message").empty());
}

TEST_F(RunCommandTest, GoEndedByAFileErrorLeavesTheWindowUsable) {
  picture(site() + "/images", "a.png");
  QDir().mkpath(site() + "/index.html");  // the index page cannot be written
  TfrmMain& w = start();
  useSite(w);
  click(w, "butGo");
  auto messages = dialogs_.of("message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Framewright");
  EXPECT_TRUE(dialogs_.of("open").empty());
  for (const char* n : {"butGo", "butMakeThumbs", "PanelList", "BaseDir", "ImageList",
                        "butResizeImages", "ThumbsDir"})
    EXPECT_TRUE(w.w<QWidget>(n)->isEnabled()) << n;
}

TEST_F(RunCommandTest, GoWithoutPicturesWritesNothing) {
  TfrmMain& w = start();
  useSite(w);
  click(w, "butGo");
  auto messages = dialogs_.of("message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "There are no image files in the image directory");
  EXPECT_FALSE(QFile::exists(site() + "/index.html"));
}

TEST_F(RunCommandTest, AnotherGalleryShowsNothingOfTheLastOnesRun) {
  picture(site() + "/images", "a.png");
  TfrmMain& w = start();
  useSite(w);
  click(w, "butGo");
  ASSERT_EQ(status(w), "Finished");
  EXPECT_EQ(w.w<QLabel>("PagesReqd")->text(), "Images:1  Pages:1");
  dialogs_.inputs = {QString("Empty")};
  w.addGallery();  // selected at once; it has no base directory
  EXPECT_EQ(status(w), "");
  EXPECT_EQ(w.w<QLabel>("PagesReqd")->text(), "Images:0  Pages:0");
  EXPECT_EQ(w.w<QListWidget>("ImageList")->count(), 0);
}

TEST_F(RunCommandTest, ThumbsRemakesEveryThumbnailWithProgressInTheBusyState) {
  picture(site() + "/images", "a.png");
  picture(site() + "/images", "b.bmp");
  picture(site() + "/images", "c.bmp");
  TfrmMain& w = start();
  useSite(w);
  int barValue = -1, barMaximum = -1;
  bool resizeEnabled = true;
  QTimer::singleShot(0, &w, [&] {
    auto* bar = w.w<QProgressBar>("ProgressBar");
    barValue = bar->isVisible() ? bar->value() : -1;
    barMaximum = bar->maximum();
    resizeEnabled = w.w<QWidget>("butResizeImages")->isEnabled();
  });
  click(w, "butMakeThumbs");
  EXPECT_GE(barValue, 1);
  EXPECT_EQ(barMaximum, 3);
  EXPECT_FALSE(resizeEnabled);
  EXPECT_EQ(QDir(site() + "/thumbs").entryList({"*.jpg"}).size(), 3);
  EXPECT_EQ(status(w), "Finished creating thumbnails");
  EXPECT_FALSE(w.w<QProgressBar>("ProgressBar")->isVisible());
  EXPECT_TRUE(w.w<QWidget>("butResizeImages")->isEnabled());
}

TEST_F(RunCommandTest, CopyConvertsUntilAbortedAndHidesItsAbortButton) {
  const QString source = dir_.path() + "/source";
  for (const char* n : {"a.bmp", "b.bmp", "c.bmp", "d.bmp"}) picture(source, n);
  TfrmMain& w = start();
  useSite(w);
  w.w<QLineEdit>("ImageSourceDir")->setText(source);
  w.w<QCheckBox>("ConvertToJpeg")->setChecked(true);
  auto* abort = w.w<QWidget>("butAbortCopy");
  EXPECT_FALSE(abort->isVisible());

  bool abortShown = false, goEnabled = true, convertEnabled = true, barKept = false;
  int barMaximum = 0;
  QString statusAfterAbort;
  QTimer::singleShot(0, &w, [&] {
    abortShown = abort->isVisible();
    goEnabled = w.w<QWidget>("butGo")->isEnabled();
    convertEnabled = w.w<QWidget>("ConvertToJpeg")->isEnabled();
    auto* bar = w.w<QProgressBar>("ProgressBar");
    if (bar->isVisible()) barMaximum = bar->maximum();
    click(w, "butHelp");  // a button clicked beside the run leaves its bar alone
    barKept = bar->isVisible();
    click(w, "butAbortCopy");
    statusAfterAbort = status(w);
  });
  click(w, "butCopyImages");

  EXPECT_TRUE(abortShown);
  EXPECT_FALSE(goEnabled);  // no second run inside this one
  EXPECT_FALSE(convertEnabled);
  EXPECT_EQ(barMaximum, 4);
  EXPECT_TRUE(barKept);
  EXPECT_TRUE(w.w<QWidget>("ConvertToJpeg")->isEnabled());
  EXPECT_FALSE(w.w<QProgressBar>("ProgressBar")->isVisible());
  EXPECT_TRUE(statusAfterAbort.endsWith(" - Abort in progress. Please wait ..."));
  EXPECT_TRUE(statusAfterAbort.startsWith("Converting "));
  EXPECT_EQ(status(w), "Finished converting to JPG.");
  EXPECT_FALSE(abort->isVisible());
  int converted = QDir(site() + "/images").entryList({"*.jpg"}).size();
  EXPECT_EQ(converted, 1);  // the picture in hand is finished, no other is started
  EXPECT_EQ(w.w<QListWidget>("ImageList")->count(), converted);
}

}  // namespace
}  // namespace fw
