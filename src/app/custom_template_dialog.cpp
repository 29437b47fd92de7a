#include "app/custom_template_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dialog_frame.h"
#include "app/dialogs.h"
#include "settings/catalogue.h"

namespace fw {

TfrmCustomTemplate::TfrmCustomTemplate(Store& store, CurrentKey currentKey, Guard guard,
                                       Dialogs& dialogs, std::string appFolder)
    : SettingsDialog(store, std::move(currentKey), std::move(guard), "TfrmCustomTemplate"),
      dialogs_(dialogs),
      appFolder_(std::move(appFolder)) {
  setWindowTitle("Custom Template Options");
  setWindowFlags(Qt::Tool | kCloseBox);
  auto* cv = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("CustomTabs");
  cv->addWidget(tabs_);
  addPage("Gallery page", {"CustomGalleryTemplate", "CustomGalleryPrefix", "CustomGalleryExt",
                           "ImagePlaceHolder", "ThumbPlaceHolder", "UseCustomImageShell"});
  addPage("Image page", {"CustomImageTemplate", "ImagePagePlaceHolder", "PreviousPlaceHolder",
                         "NextPlaceHolder", "GalleryPlaceHolder"});
  shell_ = qobject_cast<QCheckBox*>(find("UseCustomImageShell"));
  connect(shell_, &QCheckBox::toggled, tabs_, [this](bool on) { tabs_->setTabVisible(1, on); });
  tabs_->setTabVisible(1, false);
}

void TfrmCustomTemplate::addPage(const char* title, std::initializer_list<const char*> names) {
  auto* tab = new QWidget(tabs_);
  auto* f = new QFormLayout(tab);
  for (const char* n : names) {
    QWidget* c = control(n);
    c->setMinimumWidth(260);
    const QString label = QString::fromStdString(FindGalleryValue(n)->label);
    if (std::string(n).find("Template") == std::string::npos) {
      if (qobject_cast<QCheckBox*>(c))
        f->addRow(c);
      else
        f->addRow(label, c);
      continue;
    }
    auto* row = new QHBoxLayout;
    row->addWidget(c, 1);
    auto* browse = new QToolButton(tab);
    browse->setObjectName(QString("butBrowse") + n);
    browse->setText("...");
    browse->setToolTip("Select base directory");
    row->addWidget(browse);
    f->addRow(label, row);
    auto* edit = qobject_cast<QLineEdit*>(c);
    connect(browse, &QToolButton::clicked, this, [this, edit] { chooseFile(edit); });
  }
  tabs_->addTab(tab, title);
}

void TfrmCustomTemplate::chooseFile(QLineEdit* edit) {
  const QString start = edit->text().isEmpty() ? QString::fromStdString(appFolder_) : edit->text();
  if (auto chosen = dialogs_.file(this, start, false)) {
    edit->setText(*chosen);
    store(edit);
  }
}

void TfrmCustomTemplate::load(const std::string& galleryKey) {
  fill(galleryKey);
  tabs_->setTabVisible(1, shell_->isChecked());
}

void TfrmCustomTemplate::showFirstPage() {
  tabs_->setCurrentIndex(0);
  ShowWithFocus(this, find("CustomGalleryTemplate"));
}

}  // namespace fw
