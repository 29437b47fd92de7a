// The program's entry: the settings root from the first argument, the user's application
// folder, the install's data folder, the main window and its event loop.
#include <QApplication>

#include "app/app_setup.h"
#include "app/main_window.h"
#include "common/fs.h"
#include "settings/store.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  fw::SetUpApplication();
  fw::WindowOptions options;
  options.settingsRoot = fw::SettingsRootFor(argc > 1 ? argv[1] : nullptr);
  options.appFolder = fw::DefaultAppFolder();
  // A folder that cannot be made shows up as the platform's error of the first file written.
  fw::fs::MakeFolders(options.appFolder);
  options.dataFolder = fw::ProgramDataFolder();
  options.storeFile = fw::DefaultStoreFile();
  fw::TfrmMain window(options);
  window.show();
  return app.exec();
}
