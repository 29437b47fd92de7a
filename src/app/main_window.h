// TfrmMain: the whole window. It shows one gallery profile at a time, binds every catalogue
// value to one control and every text block to one memo, writes each value when its control
// changes or is left, and starts the commands. It is the Host of the commands it runs and
// answers their reads of the gallery's values from its controls.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "app/dialogs.h"
#include "common/gallery_values.h"
#include "common/host.h"

class QLabel;
class QListWidget;
class QGroupBox;
class QTabWidget;

namespace fw {

class Store;
struct CatalogueEntry;
class ImageListBox;

struct WindowOptions {
  std::string storeFile;     // the settings store
  std::string settingsRoot;  // normal or test root
  std::string appFolder;     // with trailing separator
  Dialogs* dialogs = nullptr;  // nullptr: the real Qt boxes
};

class TfrmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TfrmMain(const WindowOptions& options, QWidget* parent = nullptr);
  ~TfrmMain() override;

  Host& host();
  GalleryValues& values();
  Store& store() { return *store_; }
  const std::string& galleryKey() const { return galleryKey_; }
  const std::string& textBlockFile() const { return textBlockFile_; }
  const std::string& imageFolder() const { return imageFolder_; }
  const std::string& thumbFolder() const { return thumbFolder_; }
  const std::string& appFolder() const { return appFolder_; }
  const std::string& settingsRoot() const { return root_; }

  // Gallery commands of the left panel.
  void addGallery();
  void deleteGallery();
  void duplicateGallery();
  void selectGallery();
  void loadProfile();

  void reloadImages();
  void showPreview();
  void toggleBackupGroup();
  void setBusy(bool busy, bool generating);
  void openBrowser();
  void openHelp(const QString& topic);
  void chooseFolder(const QString& field);
  void chooseColour(const QString& button);

  // Runs a handler; an error it raises is shown in a box titled "Framewright".
  void guard(const std::function<void()>& handler);

  template <class T>
  T* w(const char* name) const {
    return findChild<T*>(QString::fromLatin1(name));
  }

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // Construction of the regions and tabs.
  void buildWindow();
  QWidget* buildTopBar();
  QWidget* buildGalleryPanel();
  QWidget* buildDirectoriesTab();
  QWidget* buildThumbnailsTab();
  QWidget* buildIndexTab();
  QWidget* buildGalleryTab();
  QWidget* buildImageTab();
  QWidget* buildNavigationTab();
  QWidget* buildAdvancedTab();
  QWidget* buildReportsTab();
  QWidget* buildAboutTab();

  // Catalogue-driven bindings.
  void bindCatalogue();
  void bindEntry(const CatalogueEntry& e);
  void writeValue(const CatalogueEntry& e);
  void loadValue(const CatalogueEntry& e);
  void writeSection(const QString& memo);
  void commitFocused();

  // Rules and previews.
  void connectRules();
  void applyRules();
  void refreshGalleryPreview();
  void refreshImagePreview();
  void updateSubTabs();
  void recomputeFolders();

  // Layout tab.
  void chooseTemplate(int n);
  void applyTemplateLimits();
  int selectedTemplate() const;
  void setPagesLabel(const std::string& text);
  int pageCount();

  void startUp();
  void shutDown();
  std::optional<QString> askGalleryName(const QString& title, const QString& prompt,
                                        const QString& initial);
  void updateTotal();

  class WindowHost;
  class WindowValues;
  std::unique_ptr<Store> store_;
  std::unique_ptr<QtDialogs> ownDialogs_;
  Dialogs* dialogs_ = nullptr;
  std::unique_ptr<WindowHost> host_;
  std::unique_ptr<WindowValues> values_;
  std::string root_, appFolder_, galleryKey_, textBlockFile_, imageFolder_, thumbFolder_;
  QColor lastColour_ = Qt::black;
  bool shutDownDone_ = false;
  bool abortRequested_ = false;
  QLabel* statusText_ = nullptr;
};

}  // namespace fw
