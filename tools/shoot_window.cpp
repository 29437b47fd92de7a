// Preloaded (LD_PRELOAD) into the framewright window by scripts/screenshots.sh: saves every tab
// of the main window and each of its three dialogs as a PNG file in $FW_SCREENSHOT_DIR, then
// closes the window.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <iterator>

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

struct DialogShot {
  const char* button;
  const char* name;
};

constexpr DialogShot kDialogs[] = {
    {"butResizeImages", "image-properties"}, {"butRenameImg", "rename"},
    {"butCustomOptions", "custom-options"}};

// Clicks the button of dialog `i`; whichever dialog it shows (modal or not) is saved and
// closed, then the next one is taken; after the last the window closes.
void ShootDialog(QWidget* window, std::size_t i) {
  if (i == std::size(kDialogs)) {
    window->close();
    return;
  }
  QTimer::singleShot(300, qApp, [window, i] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) {
        Save(d, kDialogs[i].name);
        d->reject();
      }
    ShootDialog(window, i + 1);
  });
  auto* b = window->findChild<QAbstractButton*>(kDialogs[i].button);
  if (b && b->isEnabled()) b->click();
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
    ShootDialog(window, 0);
  });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Shoot)
