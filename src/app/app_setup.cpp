#include "app/app_setup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include "app/main_window.h"

namespace fw {

void SetUpApplication() {
  QApplication::setApplicationName("Framewright");
  QGuiApplication::setDesktopFileName("example.ombrix.Framewright");
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/icons/framewright-%1.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(QIcon::fromTheme("framewright", icon));
}

std::string ProgramDataFolder() {
  const QDir bin(QCoreApplication::applicationDirPath());
  const QString installed = bin.absoluteFilePath("../share/framewright");
  const QString folder =
      QFileInfo::exists(installed + "/" + kHelpPage) ? installed : bin.absolutePath();
  return QDir::cleanPath(folder).toStdString() + "/";
}

}  // namespace fw
