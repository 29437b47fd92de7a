// The program's entry: the settings root from the first argument, the application folder of
// the executable, the main window and its event loop.
#include <QApplication>

#include "app/main_window.h"
#include "settings/store.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Framewright");
  QApplication::setApplicationDisplayName("Framewright");
  fw::WindowOptions options;
  options.settingsRoot = fw::SettingsRootFor(argc > 1 ? argv[1] : nullptr);
  options.appFolder = QCoreApplication::applicationDirPath().toStdString() + "/";
  options.storeFile = fw::DefaultStoreFile();
  fw::TfrmMain window(options);
  window.show();
  return app.exec();
}
