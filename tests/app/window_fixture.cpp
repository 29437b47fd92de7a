#include "window_fixture.h"

#include <QFocusEvent>

namespace fw {

void WindowTest::SetUpTestSuite() {
  if (!QApplication::instance()) {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
}

void WindowTest::SetUp() {
  appFolder_ = dir_.path().toStdString() + "/app/";
  storeFile_ = dir_.path().toStdString() + "/settings.db";
  QDir().mkpath(QString::fromStdString(appFolder_));
}

TfrmMain& WindowTest::start() {
  WindowOptions o;
  o.storeFile = storeFile_;
  o.settingsRoot = root_;
  o.appFolder = appFolder_;
  o.dataFolder = FW_DATA_DIR;
  o.dialogs = &dialogs_;
  o.updateListUrl = updateListUrl_;
  window_ = std::make_unique<TfrmMain>(o);
  window_->show();
  QApplication::processEvents();
  return *window_;
}

void WindowTest::restart() {
  window_->close();
  window_.reset();
  start();
}

void WindowTest::leave(QWidget* w) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(w, &out);
}

}  // namespace fw
