// The commands of the Advanced, Reports and About tabs and of the backup group: banner banks
// and their script code, the report list and its export, backup, restore, the update check.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "app/main_window.h"
#include "backup/backup.h"
#include "backup/restore.h"
#include "common/text.h"
#include "reports/report_export.h"
#include "reports/report_list.h"
#include "settings/catalogue.h"
#include "update/update_check.h"
#include "version.h"

namespace fw {

namespace {

// A memo's text with the line breaks of the files the system writes.
std::string MemoText(QPlainTextEdit* m) {
  return ReplaceAll(m->toPlainText().toStdString(), "\n", "\r\n");
}

void SetMemoText(QPlainTextEdit* m, const std::string& text) {
  m->setPlainText(QString::fromStdString(ReplaceAll(text, "\r\n", "\n")));
}

// The one-line input box of the name prompts.
std::function<std::optional<std::string>(const std::string&, const std::string&,
                                         const std::string&)>
InputBox(Dialogs* dialogs, QWidget* parent) {
  return [dialogs, parent](const std::string& caption, const std::string& prompt,
                           const std::string& text) -> std::optional<std::string> {
    auto reply = dialogs->input(parent, QString::fromStdString(caption),
                                QString::fromStdString(prompt), QString::fromStdString(text));
    if (!reply) return std::nullopt;
    return reply->toStdString();
  };
}

}  // namespace

bool TfrmMain::leaveCommandField(const QString& name) {
  if (name == "BannerCode") {
    banks_.text = MemoText(w<QPlainTextEdit>("BannerCode"));
    LeaveBankText(banks_, textBlockFile_);
  } else if (name == "ReportFile") {
    reports_->storeText(kReportFile, w<QLineEdit>("ReportFile")->text().toStdString());
  } else if (name == "memoReportHeader") {
    reports_->storeText(kReportHeader, MemoText(w<QPlainTextEdit>("memoReportHeader")));
  } else if (name == "memoReportTemplate") {
    reports_->storeText(kReportTemplate, MemoText(w<QPlainTextEdit>("memoReportTemplate")));
  } else if (name == "memoReportFooter") {
    reports_->storeText(kReportFooter, MemoText(w<QPlainTextEdit>("memoReportFooter")));
  } else {
    return false;
  }
  return true;
}

void TfrmMain::showBanks() {
  auto* list = w<QComboBox>("BannerBank");
  {
    QSignalBlocker quiet(list);
    list->clear();
    for (const auto& bank : banks_.banks) list->addItem(QString::fromStdString(bank));
    list->setCurrentIndex(banks_.selected);
  }
  // The box shows the lines of the bank; the line break that ends the stored text is not
  // an empty last line (it would be stored as one when the box is left).
  std::string text = banks_.text;
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
    text.resize(text.size() - 2);
  SetMemoText(w<QPlainTextEdit>("BannerCode"), text);
  applyRules();
}

void TfrmMain::addBank() {
  if (AddBank(banks_, textBlockFile_, InputBox(dialogs_, this))) showBanks();
}

void TfrmMain::deleteBank() {
  DeleteBank(banks_, textBlockFile_);
  showBanks();
}

void TfrmMain::selectBank(int index) {
  SelectBank(banks_, index, textBlockFile_);
  showBanks();
}

void TfrmMain::generateBankCode() {
  commitFocused();  // the script is made from the bank text as it stands
  GenerateBankCode(banks_, values(), host());
}

void TfrmMain::showReport() {
  ReportDefinition d = reports_->current();
  w<QComboBox>("cmbReports")->setCurrentIndex(reports_->selected());
  w<QLineEdit>("ReportFile")->setText(QString::fromStdString(d.reportFile));
  SetMemoText(w<QPlainTextEdit>("memoReportHeader"), d.header);
  SetMemoText(w<QPlainTextEdit>("memoReportTemplate"), d.templateText);
  SetMemoText(w<QPlainTextEdit>("memoReportFooter"), d.footer);
  w<QCheckBox>("chkIncludeIndexPage")->setChecked(d.includeIndexPage);
  w<QCheckBox>("chkIncludeGalleryPages")->setChecked(d.includeGalleryPages);
}

void TfrmMain::selectReport(int index) {
  reports_->select(index);
  showReport();
}

void TfrmMain::addReport() {
  if (!reports_->add(InputBox(dialogs_, this))) return;
  w<QComboBox>("cmbReports")->addItem(QString::fromStdString(reports_->names().back()));
  showReport();
}

void TfrmMain::duplicateReport() {
  commitFocused();  // the copy takes the fields as the user left them
  if (!reports_->duplicate(InputBox(dialogs_, this))) return;
  w<QComboBox>("cmbReports")->addItem(QString::fromStdString(reports_->names().back()));
  showReport();
}

void TfrmMain::deleteReport() {
  int index = reports_->selected();
  if (!reports_->remove(host())) return;
  w<QComboBox>("cmbReports")->removeItem(index);
  showReport();
}

void TfrmMain::chooseReportFile() {
  auto* edit = w<QLineEdit>("ReportFile");
  QString start = edit->text().isEmpty() ? QString::fromStdString(appFolder_) : edit->text();
  if (auto chosen = dialogs_->file(this, start, true)) {
    edit->setText(*chosen);
    reports_->storeText(kReportFile, chosen->toStdString());
  }
}

void TfrmMain::exportReport() {
  commitFocused();
  // The export takes the fields on screen, not the stored ones.
  ReportDefinition d;
  d.reportFile = w<QLineEdit>("ReportFile")->text().toStdString();
  d.header = MemoText(w<QPlainTextEdit>("memoReportHeader"));
  d.templateText = MemoText(w<QPlainTextEdit>("memoReportTemplate"));
  d.footer = MemoText(w<QPlainTextEdit>("memoReportFooter"));
  d.includeIndexPage = w<QCheckBox>("chkIncludeIndexPage")->isChecked();
  d.includeGalleryPages = w<QCheckBox>("chkIncludeGalleryPages")->isChecked();
  ExportReport(host(), *store_, root_, galleryNames(), d, values().flag(value::IsThumbPrefix));
}

std::vector<std::string> TfrmMain::galleryNames() const {
  std::vector<std::string> names;
  auto* list = w<QListWidget>("lstGalleries");
  for (int i = 0; i < list->count(); ++i) names.push_back(list->item(i)->text().toStdString());
  return names;
}

void TfrmMain::backup() {
  commitFocused();  // the text blocks being edited belong in the backup
  Backup(host(), *store_, root_, galleryNames(), appFolder_,
         w<QLineEdit>("edtBackupDir")->text().toStdString());
}

void TfrmMain::restore() {
  if (Restore(host(), *store_, appFolder_, w<QLineEdit>("edtBackupDir")->text().toStdString()))
    close();
}

void TfrmMain::checkForUpdate() {
  CheckForUpdate(host(), appFolder_, version::kFileVersion, updateListUrl_);
}

}  // namespace fw
