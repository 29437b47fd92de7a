// TfrmMain: the whole window. It shows one gallery profile at a time, binds every catalogue
// value to one control and every text block to one memo, writes each value when its control
// changes or is left, and starts the commands. It is the Host of the commands it runs and
// answers their reads of the gallery's values from its controls.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "app/custom_template_dialog.h"
#include "app/dialogs.h"
#include "app/image_props_dialog.h"
#include "app/rename_dialog.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "generator/banners_commands.h"

class QAbstractButton;
class QLabel;
class QListWidget;
class QGroupBox;
class QTabWidget;
class QProgressBar;

namespace fw {

// The help page, in the program's data folder.
inline constexpr const char* kHelpPage = "framewright-help.html";

// The runs that hold the window; each locks the controls of the values it reads.
enum class RunKind { Generation, Thumbnails, Resize, Copy };

class Store;
struct CatalogueEntry;
class ImageListBox;
class ReportList;

struct WindowOptions {
  std::string storeFile;       // the settings store
  std::string updateListUrl;   // empty: the maker's update list
  std::string settingsRoot;    // normal or test root
  std::string appFolder;       // the user's files, with trailing separator
  std::string dataFolder;      // the read-only program files, with trailing separator
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
  // Enters or leaves the busy state of a run of `kind`.
  void setBusy(bool busy, RunKind kind);
  void openBrowser();
  void openHelp(const QString& topic);
  void chooseFolder(const QString& field);
  void chooseColour(const QString& button);

  // The commands wired by the command files.
  void runGo();
  void runCopy();
  void addBank();
  void deleteBank();
  void selectBank(int index);
  void generateBankCode();
  void selectReport(int index);
  void addReport();
  void deleteReport();
  void duplicateReport();
  void exportReport();
  void chooseReportFile();
  void backup();
  void restore();
  void checkForUpdate();
  // The status text; a text ending in "n of N" also moves the progress bar.
  void showStatus(const QString& text);
  // The three dialogs, created hidden at start-up; each opens without blocking the window.
  TfrmImageProps& imageProps() { return *imageProps_; }
  TfrmRename& renameDialog() { return *rename_; }
  TfrmCustomTemplate& customOptions() { return *customOptions_; }
  void openImageProps();
  void openRename();
  void openCustomOptions();
  void runResize();
  void runRename();

  // Progress of a run that knows its total; a total of 0 hides the bar.
  void showProgress(int done, int total);

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
  void connectCommands();
  // Runs `command` under guard() when the button is clicked. A progress bar the command left
  // goes when it ends, however it ends; the bar of a run that holds the window stays.
  void on(QAbstractButton* button, std::function<void()> command);
  void on(const char* button, std::function<void()> command);
  // Stores a command field the user leaves; false when `name` is none of them.
  bool leaveCommandField(const QString& name);
  void showBanks();
  void buildDialogs();
  void fillDialogs();
  std::vector<std::string> galleryNames() const;
  void showReport();
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

  void connectShortcuts();
  QString helpTopic() const;

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
  std::string root_, appFolder_, dataFolder_, galleryKey_, textBlockFile_, imageFolder_,
      thumbFolder_;
  // The controls the running command disabled, enabled again when it ends.
  std::vector<QPointer<QWidget>> locked_;
  QColor lastColour_ = Qt::black;
  bool shutDownDone_ = false;
  bool abortRequested_ = false;
  QLabel* statusText_ = nullptr;
  QProgressBar* progress_ = nullptr;
  std::string updateListUrl_;
  BankList banks_;
  std::unique_ptr<ReportList> reports_;
  std::unique_ptr<TfrmImageProps> imageProps_;
  std::unique_ptr<TfrmRename> rename_;
  std::unique_ptr<TfrmCustomTemplate> customOptions_;
};

}  // namespace fw
