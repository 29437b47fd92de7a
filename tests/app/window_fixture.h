// A real main window on a temporary store and application folder, with scripted dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>

#include "app/dialogs.h"
#include "app/main_window.h"

// GCC reports optional<QString> copies out of a deque as maybe-uninitialized; they are not.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

namespace fw {

struct ScriptedDialogs : Dialogs {
  struct Call {
    QString kind, title, text, initial;
  };
  std::vector<Call> calls;
  std::deque<std::optional<QString>> inputs;  // cancel once exhausted
  std::deque<bool> answers;                   // Yes once exhausted
  std::deque<std::optional<QColor>> colours;
  std::deque<std::optional<QString>> folders;
  std::deque<std::optional<QString>> files;
  std::vector<QColor> colourStarts;

  void message(QWidget*, const QString& text, const QString& title, MessageIcon) override {
    calls.push_back({"message", title, text, ""});
  }
  bool ask(QWidget*, const QString& text, const QString& title, bool defaultNo) override {
    calls.push_back({defaultNo ? "ask-no" : "ask-yes", title, text, ""});
    if (answers.empty()) return true;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<QString> input(QWidget*, const QString& title, const QString& prompt,
                               const QString& initial) override {
    calls.push_back({"input", title, prompt, initial});
    if (inputs.empty()) return std::nullopt;
    auto a = inputs.front();
    inputs.pop_front();
    return a;
  }
  std::optional<QColor> colour(QWidget*, const QColor& initial) override {
    colourStarts.push_back(initial);
    if (colours.empty()) return std::nullopt;
    auto c = colours.front();
    colours.pop_front();
    return c;
  }
  std::optional<QString> folder(QWidget*, const QString& start) override {
    calls.push_back({"folder", "", start, ""});
    if (folders.empty()) return std::nullopt;
    auto f = folders.front();
    folders.pop_front();
    return f;
  }
  std::optional<QString> file(QWidget*, const QString& start, bool save) override {
    calls.push_back({save ? "save-file" : "open-file", "", start, ""});
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
  }
  void beep() override { calls.push_back({"beep", "", "", ""}); }
  void open(const QString& target) override { calls.push_back({"open", "", target, ""}); }
  std::vector<Call> of(const QString& kind) const {
    std::vector<Call> out;
    for (const auto& c : calls)
      if (c.kind == kind) out.push_back(c);
    return out;
  }
};

class WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  // Starts (or restarts) the window on the same store and folder.
  TfrmMain& start();
  void restart();
  // Leaves a control as the user's focus change would.
  static void leave(QWidget* w);

  QTemporaryDir dir_;
  std::string appFolder_, storeFile_;
  std::string updateListUrl_;  // empty: the maker's list
  std::string root_ = "Software\\Ombrix Software\\FramewrightTest";
  ScriptedDialogs dialogs_;
  std::unique_ptr<TfrmMain> window_;
};

}  // namespace fw
