// Preloaded (LD_PRELOAD) into the framewright window by scripts/screenshots.sh: saves every tab
// of the main window and each of its three dialogs as a PNG file in $FW_SCREENSHOT_DIR, then
// closes the window.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

namespace {

QWidget* MainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "TfrmMain") return w;
  return nullptr;
}

void Save(QWidget* w, const QString& name) {
  const QString path = qEnvironmentVariable("FW_SCREENSHOT_DIR") + "/" + name + ".png";
  std::printf("%s %s\n", w->grab().save(path) ? "saved" : "not saved", qPrintable(path));
  std::fflush(stdout);
}

// Clicks the button; whichever dialog it shows (modal or not) is saved and closed.
void ShootDialog(QWidget* window, const char* button, const QString& name) {
  auto* b = window->findChild<QAbstractButton*>(button);
  if (!b || !b->isEnabled()) return;
  QTimer::singleShot(300, qApp, [name] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) {
        Save(d, name);
        d->reject();
      }
  });
  b->click();
  QApplication::processEvents();
}

void Shoot() {
  QTimer::singleShot(500, qApp, [] {
    QWidget* window = MainWindow();
    if (!window) {
      std::printf("no main window\n");
      QCoreApplication::exit(3);
      return;
    }
    auto* tabs = window->findChild<QTabWidget*>("PageControl");
    for (int i = 0; tabs && i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      QApplication::processEvents();
      Save(window, QString("tab%1").arg(i));
    }
    ShootDialog(window, "butResizeImages", "image-properties");
    ShootDialog(window, "butRenameImg", "rename");
    ShootDialog(window, "butCustomOptions", "custom-options");
    QTimer::singleShot(600, window, &QWidget::close);
  });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Shoot)
