// The window's long runs: "Go" and "Copy images", the wiring of every command button, and the
// progress bar beside the status text.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolButton>

#include "app/main_window.h"
#include "generator/generation_run.h"
#include "images/copy_run.h"
#include "images/run_controls.h"
#include "reports/report_export.h"
#include "reports/report_list.h"

namespace fw {

void TfrmMain::on(QAbstractButton* button, std::function<void()> command) {
  connect(button, &QAbstractButton::clicked, this, [this, command] {
    guard(command);
    if (locked_.empty()) showProgress(0, 0);  // a run still going keeps its bar
  });
}

void TfrmMain::on(const char* button, std::function<void()> command) {
  on(w<QAbstractButton>(button), std::move(command));
}

void TfrmMain::connectCommands() {
  buildDialogs();
  on("butGo", [this] { runGo(); });
  on("butResizeImages", [this] { openImageProps(); });
  on("butRenameImg", [this] { openRename(); });
  on("butCustomOptions", [this] { openCustomOptions(); });
  on("butCopyImages", [this] { runCopy(); });
  on("butAddBannerBank", [this] { addBank(); });
  on("butDeleteBannerBank", [this] { deleteBank(); });
  on("butBannerCode", [this] { generateBankCode(); });
  connect(w<QComboBox>("BannerBank"), &QComboBox::activated, this,
          [this](int i) { guard([&] { selectBank(i); }); });
  w<QWidget>("BannerCode")->installEventFilter(this);

  on("butAddReport", [this] { addReport(); });
  on("butDelReport", [this] { deleteReport(); });
  on("butDupReport", [this] { duplicateReport(); });
  on("butExport", [this] { exportReport(); });
  on("butReportFile", [this] { chooseReportFile(); });
  connect(w<QComboBox>("cmbReports"), &QComboBox::activated, this,
          [this](int i) { guard([&] { selectReport(i); }); });
  for (const char* n : {"ReportFile", "memoReportHeader", "memoReportTemplate", "memoReportFooter"})
    w<QWidget>(n)->installEventFilter(this);
  auto* vars = w<QListWidget>("lstVariables");
  for (const char* v : kReportVariables) vars->addItem(v);
  connect(vars, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    auto* memo = w<QPlainTextEdit>("memoReportTemplate");
    memo->insertPlainText(item->text());  // takes the place of the selection, if any
    memo->setFocus();
  });
  connect(w<QCheckBox>("chkIncludeIndexPage"), &QCheckBox::clicked, this,
          [this](bool on) { guard([&] { reports_->storeFlag(kIncludeIndexPage, on); }); });
  connect(w<QCheckBox>("chkIncludeGalleryPages"), &QCheckBox::clicked, this,
          [this](bool on) { guard([&] { reports_->storeFlag(kIncludeGalleryPages, on); }); });

  on("butBackup", [this] { backup(); });
  on("butRestore", [this] { restore(); });
  on("butUpdateCheck", [this] { checkForUpdate(); });

  // Runs that know their total show it in the status text; the bar follows that text.
  progress_ = new QProgressBar(statusBar());
  progress_->setObjectName("ProgressBar");
  progress_->setMaximumWidth(240);
  progress_->setTextVisible(false);
  progress_->hide();
  statusBar()->addPermanentWidget(progress_);
}

void TfrmMain::showStatus(const QString& text) {
  statusText_->setText(text);
  // "... 3 of 12" is a run that knows its total; any other text ends the bar.
  static const QRegularExpression count(QStringLiteral("(\\d+) of (\\d+)$"));
  QRegularExpressionMatch m = count.match(text);
  if (m.hasMatch())
    showProgress(m.captured(1).toInt(), m.captured(2).toInt());
  else
    showProgress(0, 0);
}

void TfrmMain::showProgress(int done, int total) {
  if (!progress_) return;
  if (total <= 0) {
    progress_->hide();
    return;
  }
  progress_->setRange(0, total);
  progress_->setValue(done);
  progress_->show();
}

void TfrmMain::runGo() {
  commitFocused();
  RunGo(values(), host(),
        {[this] { setBusy(true, RunKind::Generation); },
         [this] { setBusy(false, RunKind::Generation); }});
}

void TfrmMain::runCopy() {
  commitFocused();
  // The conversion pass holds the window like the other counted runs, beside its Abort.
  RunControls abort{[this] {
                      abortRequested_ = false;
                      setBusy(true, RunKind::Copy);
                      w<QWidget>("butAbortCopy")->show();
                    },
                    [this] {
                      abortRequested_ = false;
                      w<QWidget>("butAbortCopy")->hide();
                      setBusy(false, RunKind::Copy);
                    }};
  RunCopyImages(values(), host(), abort);
}

}  // namespace fw
