// TfrmCustomTemplate: the Custom Template Options dialog, the template files and placeholders
// of the custom layout on two pages; the image page shows only while the custom image shell
// is on. Each template file name has a chooser beside it.
#pragma once

#include <initializer_list>
#include <string>

#include "app/settings_dialog.h"

class QLineEdit;
class QTabWidget;

namespace fw {

class Dialogs;

class TfrmCustomTemplate : public SettingsDialog {
  Q_OBJECT
 public:
  // The choosers ask `dialogs`, starting in `appFolder` while a name is empty.
  TfrmCustomTemplate(Store& store, CurrentKey currentKey, Guard guard, Dialogs& dialogs,
                     std::string appFolder);

  // Shows the values of the gallery at `galleryKey`, and the pages they call for.
  void load(const std::string& galleryKey);
  // Shown at its first page with the focus in the gallery template.
  void showFirstPage();

 private:
  void addPage(const char* title, std::initializer_list<const char*> names);
  void chooseFile(QLineEdit* edit);

  Dialogs& dialogs_;
  std::string appFolder_;
  QTabWidget* tabs_ = nullptr;
  QCheckBox* shell_ = nullptr;
};

}  // namespace fw
