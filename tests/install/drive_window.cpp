// Preloaded (LD_PRELOAD) into an installed framewright window: plays the user who types a
// gallery header, leaves the memo and closes the window. It prints the window's title and the
// text of any message box (which it closes), so the test sees what a user would have seen.
#include <QApplication>
#include <QFocusEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstdio>

namespace {

QWidget* MainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "TfrmMain") return w;
  return nullptr;
}

void Drive() {
  // A box opened by a failed write would wait for a click that never comes.
  auto* boxes = new QTimer(qApp);
  QObject::connect(boxes, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      std::printf("message: %s\n", qPrintable(box->text()));
      std::fflush(stdout);
      box->done(0);
    }
  });
  boxes->start(100);
  QTimer::singleShot(0, qApp, [] {
    QWidget* window = MainWindow();
    if (!window) {
      std::printf("no main window\n");
      QCoreApplication::exit(3);
      return;
    }
    std::printf("title: %s\n", qPrintable(window->windowTitle()));
    auto* memo = window->findChild<QPlainTextEdit*>("GalleryHeader");
    memo->setPlainText(qEnvironmentVariable("FW_DRIVE_TEXT"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(memo, &out);
    std::fflush(stdout);
    window->close();
  });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Drive)
