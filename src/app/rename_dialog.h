// TfrmRename: the Rename Images dialog, the prefix and numbering of the rename run. Its Rename
// button is wired by the window; the dialog keeps its entries while the program runs.
#pragma once

#include <QDialog>
#include <string>

class QAbstractButton;
class QLineEdit;
class QPoint;
class QRadioButton;

namespace fw {

class TfrmRename : public QDialog {
  Q_OBJECT
 public:
  TfrmRename();

  std::string prefix() const;
  bool sequential() const;
  QAbstractButton* renameButton() const { return rename_; }
  // Shown at `at` with the focus in the prefix.
  void showAt(const QPoint& at);

 private:
  QLineEdit* prefix_ = nullptr;
  QRadioButton* sequential_ = nullptr;
  QAbstractButton* rename_ = nullptr;
};

}  // namespace fw
