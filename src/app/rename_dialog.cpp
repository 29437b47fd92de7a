#include "app/rename_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/dialog_frame.h"
#include "images/rename_run.h"

namespace fw {

TfrmRename::TfrmRename() : QDialog(nullptr, Qt::Tool | kTitleOnly) {
  setObjectName("TfrmRename");
  setWindowTitle("Rename Images");
  auto* rv = new QFormLayout(this);
  prefix_ = new QLineEdit(kDefaultImagePrefix, this);
  prefix_->setObjectName("ImagePrefix");
  rv->addRow("Image prefix", prefix_);
  auto* numbering = new QGroupBox(" Numbering ", this);
  numbering->setObjectName("chkRename");
  auto* nh = new QHBoxLayout(numbering);
  sequential_ = new QRadioButton("Sequential", numbering);
  sequential_->setObjectName("chkRename0");
  sequential_->setChecked(true);
  auto* random = new QRadioButton("Non-sequential", numbering);
  random->setObjectName("chkRename1");
  nh->addWidget(sequential_);
  nh->addWidget(random);
  rv->addRow(numbering);
  auto* buttons = new QDialogButtonBox(this);
  auto* go = buttons->addButton("Rename", QDialogButtonBox::AcceptRole);
  go->setObjectName("butRename");
  go->setDefault(true);
  rename_ = go;
  buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("butCancelRename");
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  rv->addRow(buttons);
}

std::string TfrmRename::prefix() const { return prefix_->text().toStdString(); }

bool TfrmRename::sequential() const { return sequential_->isChecked(); }

void TfrmRename::showAt(const QPoint& at) { ShowWithFocus(this, prefix_, at); }

}  // namespace fw
