// The window's side of a Go, as a user starts it: the real main window (offscreen) on a given
// store and application folder, its first gallery loaded, then "Reload images", "Go" and
// "Sorted" clicked. Prints the seconds each click took: "reload S", "go S" and "sort S".
//   bench_window_go STORE APP_FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <chrono>
#include <cstdio>

#include "app/dialogs.h"
#include "app/main_window.h"
#include "settings/store.h"

namespace {

// Answers nothing and opens nothing: the figures are the window's work, not a browser's.
class SilentDialogs : public fw::Dialogs {
 public:
  void message(QWidget*, const QString& text, const QString&, fw::MessageIcon) override {
    std::fprintf(stderr, "%s\n", text.toStdString().c_str());
  }
  bool ask(QWidget*, const QString&, const QString&, bool) override { return true; }
  std::optional<QString> input(QWidget*, const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QColor> colour(QWidget*, const QColor&) override { return std::nullopt; }
  std::optional<QString> folder(QWidget*, const QString&) override { return std::nullopt; }
  void beep() override {}
  void open(const QString&) override {}
};

double SecondsOfClick(fw::TfrmMain& window, const char* button) {
  auto* b = window.findChild<QAbstractButton*>(button);
  const auto start = std::chrono::steady_clock::now();
  b->click();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s STORE APP_FOLDER\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SilentDialogs dialogs;
  fw::WindowOptions options;
  options.storeFile = argv[1];
  options.appFolder = std::string(argv[2]) + "/";
  options.settingsRoot = fw::kSettingsRoot;
  options.dialogs = &dialogs;
  fw::TfrmMain window(options);
  window.show();
  QApplication::processEvents();
  std::printf("reload %.3f\n", SecondsOfClick(window, "butReloadImages"));
  std::printf("go %.3f\n", SecondsOfClick(window, "butGo"));
  std::printf("sort %.3f\n", SecondsOfClick(window, "chkSort"));
  return 0;
}
