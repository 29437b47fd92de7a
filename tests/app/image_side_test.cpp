// The image list of the Directories tab: reload, sorting, the manual order, the preview.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include "app/widgets.h"
#include "window_fixture.h"

namespace fw {
namespace {

class ImageSideTest : public WindowTest {
 protected:
  QString site() const { return dir_.path() + "/site"; }
  void picture(const QString& name, int w = 4, int h = 4) {
    QDir().mkpath(site() + "/images");
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(site() + "/images/" + name, name.endsWith(".png") ? "PNG" : "BMP"));
  }
  void touch(const QString& name) {
    QDir().mkpath(site() + "/images");
    QFile f(site() + "/images/" + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
  }
};

TEST_F(ImageSideTest, ListIsGroupedByKindOrSortedAndCountsPages) {
  picture("b.png");
  touch("a.jpg");
  picture("c.bmp");
  touch("Thumb-a.jpg");
  TfrmMain& w = start();
  auto* list = w.w<ImageListBox>("ImageList");
  w.w<QLineEdit>("BaseDir")->setText(site());
  w.reloadImages();
  EXPECT_EQ(list->names(), (QStringList{"c.bmp", "b.png", "a.jpg"}));
  EXPECT_EQ(w.w<QLabel>("PagesReqd")->text(), "Images:3  Pages:1");
  w.w<SpinEdit>("Rows")->setValue(1);
  EXPECT_EQ(w.w<QLabel>("PagesReqd")->text(), "Images:3    Pages:1");
  w.w<QCheckBox>("chkSort")->setChecked(true);
  EXPECT_EQ(list->names(), (QStringList{"a.jpg", "b.png", "c.bmp"}));
  EXPECT_TRUE(w.w<QLabel>("ScrollingText")->isVisibleTo(w.w<QWidget>("tabDirectories")));
  // Listing the web kinds takes effect at once.
  touch("d.webp");
  auto* web = w.w<QCheckBox>("chkListWebPictures");
  EXPECT_EQ(web->text(), "Also list .jpeg, WebP and AVIF pictures");
  EXPECT_EQ(w.w<QCheckBox>("chkRemoveLocation")->text(),
            "Remove location data from published pictures");
  web->click();
  EXPECT_EQ(list->names(), (QStringList{"a.jpg", "b.png", "c.bmp", "d.webp"}));

  w.w<QLineEdit>("BaseDir")->setText("  ");
  w.reloadImages();
  EXPECT_EQ(list->count(), 0);
  EXPECT_EQ(w.w<QLabel>("PagesReqd")->text(), "Images:0  Pages:0");
}

TEST_F(ImageSideTest, DragAndDropMovesTheSelectedEntry) {
  ImageListBox list;
  for (const char* n : {"1", "2", "3", "4", "5"}) list.addName(n);
  list.setCurrentRow(0);
  list.moveSelectedTo(2);
  EXPECT_EQ(list.names(), (QStringList{"2", "3", "1", "4", "5"}));
  EXPECT_EQ(list.currentRow(), 2);
  list.setCurrentRow(0);
  list.moveSelectedTo(99);  // below the last entry
  EXPECT_EQ(list.names(), (QStringList{"3", "1", "4", "5", "2"}));
  list.setSorted(true);
  list.setCurrentRow(0);
  list.moveSelectedTo(4);  // a moved entry is not re-sorted
  EXPECT_EQ(list.names(), (QStringList{"2", "3", "4", "5", "1"}));
}

TEST_F(ImageSideTest, PreviewIsScaledAndSitsAboveTheList) {
  picture("tall.bmp", 300, 600);
  picture("wide.png", 400, 100);
  TfrmMain& w = start();
  w.w<QLineEdit>("BaseDir")->setText(site());
  w.reloadImages();
  auto* list = w.w<ImageListBox>("ImageList");
  auto* preview = w.w<QLabel>("ImageArea");
  list->setCurrentRow(0);
  w.showPreview();
  EXPECT_EQ(preview->size(), QSize(52, 104));
  EXPECT_EQ(preview->y() + preview->height() + 1, list->y());
  EXPECT_EQ(preview->x(), list->x() + (list->width() - 52) / 2);
  list->setCurrentRow(1);
  w.showPreview();
  EXPECT_EQ(preview->width(), list->width());
  EXPECT_TRUE(dialogs_.of("message").empty());

  QFile::remove(site() + "/images/tall.bmp");
  list->setCurrentRow(0);
  w.showPreview();
  ASSERT_EQ(dialogs_.of("beep").size(), 1u);
  ASSERT_EQ(dialogs_.of("message").size(), 1u);
  EXPECT_EQ(dialogs_.of("message")[0].text,
            "Image file does not exist.\r\nPlease click on the \"Reload images\" button to "
            "refresh the list.");
}

}  // namespace
}  // namespace fw
