// Every modal question the window asks goes through Dialogs, so that tests can script the
// answers: message and input boxes, the colour, folder and file choosers, the beep, and
// handing a document or URL to the desktop.
#pragma once

#include <QColor>
#include <QString>
#include <optional>

#include "common/host.h"

class QWidget;

namespace fw {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void message(QWidget* parent, const QString& text, const QString& title,
                       MessageIcon icon) = 0;
  // Yes/No without an icon; true for Yes.
  virtual bool ask(QWidget* parent, const QString& text, const QString& title,
                   bool defaultNo) = 0;
  // A one-line input box; nullopt when cancelled.
  virtual std::optional<QString> input(QWidget* parent, const QString& title,
                                       const QString& prompt, const QString& initial) = 0;
  // The shared colour dialog opened at `initial`; nullopt when cancelled.
  virtual std::optional<QColor> colour(QWidget* parent, const QColor& initial) = 0;
  virtual std::optional<QString> folder(QWidget* parent, const QString& start) = 0;
  // A file-open (or, with `save`, file-save) chooser offering `start`; nullopt when cancelled.
  virtual std::optional<QString> file(QWidget*, const QString&, bool) { return std::nullopt; }
  virtual void beep() = 0;
  virtual void open(const QString& target) = 0;
};

// The real boxes and choosers of Qt.
class QtDialogs : public Dialogs {
 public:
  void message(QWidget* parent, const QString& text, const QString& title,
               MessageIcon icon) override;
  bool ask(QWidget* parent, const QString& text, const QString& title, bool defaultNo) override;
  std::optional<QString> input(QWidget* parent, const QString& title, const QString& prompt,
                               const QString& initial) override;
  std::optional<QColor> colour(QWidget* parent, const QColor& initial) override;
  std::optional<QString> folder(QWidget* parent, const QString& start) override;
  std::optional<QString> file(QWidget* parent, const QString& start, bool save) override;
  void beep() override;
  void open(const QString& target) override;
};

}  // namespace fw
