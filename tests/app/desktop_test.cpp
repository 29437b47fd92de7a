// The window on a Linux desktop: the help page opened at its anchor, titles exactly as given,
// room on a small screen, a restored position brought back onto a screen, and the keys.
#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

#include "app/app_setup.h"
#include "app/settings_dialog.h"
#include "settings/store.h"
#include "version.h"
#include "window_fixture.h"

namespace fw {
namespace {

class DesktopTest : public WindowTest {
 protected:
  // The page and anchor of the last document handed to the desktop.
  std::pair<QString, QString> lastOpened() const {
    auto opened = dialogs_.of("open");
    if (opened.empty()) return {};
    QUrl url(opened.back().text);
    EXPECT_EQ(url.scheme(), "file") << opened.back().text.toStdString();
    return {url.toLocalFile(), url.fragment()};
  }
  TfrmMain& startActive() {
    TfrmMain& w = start();
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    return w;
  }
  static QScreen* screenNamed(const QString& name) {
    for (QScreen* s : QGuiApplication::screens())
      if (s->name() == name) return s;
    return nullptr;
  }
};

TEST_F(DesktopTest, HelpOpensThePageAtTheAnchorOfTheTabShown) {
  TfrmMain& w = start();
  auto* pages = w.w<QTabWidget>("PageControl");
  for (int i = 0; i < pages->count(); ++i) {
    if (!pages->isTabVisible(i)) continue;
    pages->setCurrentIndex(i);
    w.w<QAbstractButton>("butHelp")->click();
    auto [file, anchor] = lastOpened();
    EXPECT_EQ(anchor, pages->widget(i)->objectName());
    QFile page(file);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << file.toStdString();
    EXPECT_TRUE(page.readAll().contains(QString("id=\"%1\"").arg(anchor).toUtf8()))
        << anchor.toStdString();
  }
}

TEST_F(DesktopTest, TitlesAreExactlyTheirTexts) {
  TfrmMain& w = start();
  EXPECT_EQ(w.windowTitle(), QString("Framewright v%1.%2.%3")
                                 .arg(version::kMajor)
                                 .arg(version::kMinor)
                                 .arg(version::kRelease));
  EXPECT_EQ(w.imageProps().windowTitle(), "Image Properties");
  EXPECT_EQ(w.renameDialog().windowTitle(), "Rename Images");
  EXPECT_EQ(w.customOptions().windowTitle(), "Custom Template Options");
  // A display name set by the program is appended by the desktop to every title; unset, it
  // follows the application name.
  const QString name = QCoreApplication::applicationName();
  SetUpApplication();
  QCoreApplication::setApplicationName("probe");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe");
  QCoreApplication::setApplicationName(name);
  EXPECT_FALSE(QApplication::windowIcon().isNull());
}

TEST_F(DesktopTest, WindowFitsASmallScreenAtTheDefaultAndALargeFont) {
  const QFont normal = QApplication::font();
  for (double points : {normal.pointSizeF(), 14.0}) {
    QFont f = normal;
    f.setPointSizeF(points);
    QApplication::setFont(f);
    TfrmMain& w = start();
    // Room for the title bar and a desktop panel on a 1024 x 600 screen.
    EXPECT_LE(w.minimumSizeHint().width(), 1024) << points;
    EXPECT_LE(w.minimumSizeHint().height(), 600 - 60) << points;
    EXPECT_GT(w.maximumHeight(), w.minimumHeight());  // resizable
    window_.reset();
  }
  QApplication::setFont(normal);
}

TEST_F(DesktopTest, RestoredPositionAndDialogsAreMovedOntoTheScreenThatShowsThem) {
  QScreen* small = screenNamed("Netbook");
  if (!small) GTEST_SKIP() << "the test screens are not configured";
  const QRect room = small->availableGeometry();
  {
    Store store(storeFile_);
    store.RegWriteInteger(root_, "Left", room.right() - 100);  // mostly past the right edge
    store.RegWriteInteger(root_, "Top", 400);
  }
  TfrmMain& w = start();
  const QRect f = w.frameGeometry();
  EXPECT_TRUE(room.contains(f)) << f.x() << "," << f.y() << " " << f.width() << "x" << f.height()
                                << " in " << room.x() << "," << room.y() << " " << room.width()
                                << "x" << room.height();
  // A dialog opened over a button near the bottom edge stays on the screen too.
  w.w<QAbstractButton>("butRenameImg")->click();
  EXPECT_TRUE(room.contains(w.renameDialog().frameGeometry()));
  w.close();
  {
    Store store(storeFile_);
    store.RegWriteInteger(root_, "Left", -5000);  // on no screen at all
    store.RegWriteInteger(root_, "Top", -5000);
  }
  start();
  EXPECT_TRUE(
      QGuiApplication::primaryScreen()->availableGeometry().contains(window_->frameGeometry()));
}

TEST_F(DesktopTest, KeysHelpExitGoAndAbortLeaveTheCaptionsAlone) {
  TfrmMain& w = startActive();
  auto* pages = w.w<QTabWidget>("PageControl");
  pages->setCurrentWidget(w.w<QWidget>("tabAdvanced"));
  QTest::keyClick(&w, Qt::Key_F1);
  EXPECT_EQ(lastOpened().second, "tabAdvanced");

  QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);  // Go, with no picture to place
  ASSERT_EQ(dialogs_.of("message").size(), 1u);
  EXPECT_EQ(dialogs_.of("message")[0].text, "There are no image files in the image directory");

  // Escape aborts the run whose Abort button is shown, here on a tab not shown.
  w.w<QAbstractButton>("butResizeImages")->click();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_TRUE(w.w<QLabel>("StatusText")->text().endsWith(" - Abort in progress. Please wait ..."));
  w.imageProps().reject();

  for (auto* b : w.findChildren<QAbstractButton*>())
    EXPECT_FALSE(QString(b->text()).remove("&&").contains('&')) << b->text().toStdString();
  QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(w.isVisible());
  EXPECT_NE(w.store().RegReadInteger(root_, "Left", -1), -1);  // shut down as by Exit
}

}  // namespace
}  // namespace fw
