#include "app/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace fw {

void QtDialogs::message(QWidget* parent, const QString& text, const QString& title,
                        MessageIcon icon) {
  QMessageBox::Icon i = QMessageBox::NoIcon;
  if (icon == MessageIcon::Information) i = QMessageBox::Information;
  if (icon == MessageIcon::Warning) i = QMessageBox::Warning;
  if (icon == MessageIcon::Error) i = QMessageBox::Critical;
  QMessageBox box(i, title, text, QMessageBox::Ok, parent);
  box.exec();
}

bool QtDialogs::ask(QWidget* parent, const QString& text, const QString& title, bool defaultNo) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::input(QWidget* parent, const QString& title,
                                        const QString& prompt, const QString& initial) {
  bool ok = false;
  QString s = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return s;
}

std::optional<QColor> QtDialogs::colour(QWidget* parent, const QColor& initial) {
  // Custom colours live in QColorDialog's application-wide list, which the window fills at
  // start-up and saves at shutdown.
  QColor c = QColorDialog::getColor(initial, parent);
  if (!c.isValid()) return std::nullopt;
  return c;
}

std::optional<QString> QtDialogs::folder(QWidget* parent, const QString& start) {
  QString d = QFileDialog::getExistingDirectory(parent, QString(), start);
  if (d.isEmpty()) return std::nullopt;
  return d;
}

std::optional<QString> QtDialogs::file(QWidget* parent, const QString& start, bool save) {
  QString f = save ? QFileDialog::getSaveFileName(parent, QString(), start)
                   : QFileDialog::getOpenFileName(parent, QString(), start);
  if (f.isEmpty()) return std::nullopt;
  return f;
}

void QtDialogs::beep() { QApplication::beep(); }

void QtDialogs::open(const QString& target) {
  QUrl url(target);
  if (url.scheme().size() <= 1) url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
  QDesktopServices::openUrl(url);  // a failure of the desktop is ignored
}

}  // namespace fw
