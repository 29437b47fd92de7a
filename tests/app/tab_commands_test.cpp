// The commands of the Advanced, Reports and About tabs and the backup group, clicked through
// the window: banner banks, the report list and its export, backup and restore, the update
// check against a local server.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include "backup/restore.h"
#include "generator/banners_commands.h"
#include "settings/store.h"
#include "settings/textblock.h"
#include "update/test_server.h"
#include "update/update_check.h"
#include "window_fixture.h"

namespace fw {
namespace {

class TabCommandTest : public WindowTest {
 protected:
  static void click(TfrmMain& w, const char* button) {
    QTest::mouseClick(w.w<QAbstractButton>(button), Qt::LeftButton);
  }
  static QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  std::string reportKey(const char* name) const { return root_ + "\\Reports\\" + name; }
};

TEST_F(TabCommandTest, BanksAreAddedEditedTurnedIntoScriptAndDeleted) {
  TfrmMain& w = start();
  auto* banks = w.w<QComboBox>("BannerBank");
  auto* code = w.w<QPlainTextEdit>("BannerCode");
  EXPECT_EQ(banks->count(), 0);
  EXPECT_FALSE(code->isEnabled());

  dialogs_.inputs = {QString(""), QString("Top ads")};
  click(w, "butAddBannerBank");
  auto inputs = dialogs_.of("input");
  ASSERT_EQ(inputs.size(), 2u);
  EXPECT_EQ(inputs[0].title, kNewBankCaption);
  EXPECT_EQ(inputs[1].text, kEmptyBankNamePrompt);
  ASSERT_EQ(banks->count(), 1);
  EXPECT_EQ(banks->currentText(), "Top ads");
  EXPECT_TRUE(code->isEnabled());

  code->setPlainText("<b>one</b>\n\n<i>two</i>");
  leave(code);
  EXPECT_EQ(ReadSection(w.textBlockFile(), "Top ads"), "<b>one</b>\r\n\r\n<i>two</i>\r\n");

  const QString site = dir_.path() + "/site";
  QDir().mkpath(site);
  w.w<QLineEdit>("BaseDir")->setText(site);
  w.w<QCheckBox>("WriteScriptFile")->setChecked(true);
  click(w, "butBannerCode");
  QByteArray script = contents(site + "/Top_ads.js");
  EXPECT_TRUE(script.contains("<b>one</b>")) << script.constData();
  EXPECT_TRUE(script.contains("<i>two</i>"));
  EXPECT_FALSE(dialogs_.of("beep").empty());

  dialogs_.inputs = {QString("Bottom")};
  click(w, "butAddBannerBank");
  EXPECT_EQ(banks->currentText(), "Bottom");
  EXPECT_EQ(code->toPlainText(), "");
  banks->setCurrentIndex(1);
  emit banks->activated(1);  // as a choice in the drop-down
  EXPECT_EQ(code->toPlainText(), "<b>one</b>\n\n<i>two</i>");

  click(w, "butDeleteBannerBank");
  ASSERT_EQ(banks->count(), 1);
  EXPECT_EQ(banks->currentText(), "Bottom");
  click(w, "butDeleteBannerBank");
  EXPECT_EQ(banks->count(), 0);
  EXPECT_FALSE(code->isEnabled());

  restart();
  EXPECT_EQ(window_->w<QComboBox>("BannerBank")->count(), 0);
}

TEST_F(TabCommandTest, ReportIsAddedEditedExportedAndDeleted) {
  TfrmMain& w = start();
  auto* reports = w.w<QComboBox>("cmbReports");
  EXPECT_EQ(reports->currentText(), "Report 1");
  dialogs_.inputs = {QString("Links")};
  click(w, "butAddReport");
  ASSERT_EQ(reports->count(), 2);
  EXPECT_EQ(reports->currentText(), "Links");

  const QString file = dir_.path() + "/report.txt";
  auto* edit = w.w<QLineEdit>("ReportFile");
  dialogs_.files = {QString("/nowhere/chosen.txt")};
  w.w<QAbstractButton>("butReportFile")->click();
  ASSERT_EQ(dialogs_.of("save-file").size(), 1u);
  EXPECT_EQ(dialogs_.of("save-file")[0].text.toStdString(), appFolder_);
  EXPECT_EQ(w.store().RegReadString(reportKey("Links"), "ReportFile", ""), "/nowhere/chosen.txt");
  edit->setText(file);
  leave(edit);
  auto* header = w.w<QPlainTextEdit>("memoReportHeader");
  header->setPlainText("<ul>\nall");
  leave(header);
  auto* templ = w.w<QPlainTextEdit>("memoReportTemplate");
  templ->setPlainText("<li>");
  templ->moveCursor(QTextCursor::End);
  auto* vars = w.w<QListWidget>("lstVariables");
  auto* gallery = vars->findItems("{Gallery}", Qt::MatchExactly).value(0);
  ASSERT_TRUE(gallery);
  QTest::mouseClick(vars->viewport(), Qt::LeftButton, {}, vars->visualItemRect(gallery).center());
  QTest::mouseDClick(vars->viewport(), Qt::LeftButton, {}, vars->visualItemRect(gallery).center());
  EXPECT_EQ(templ->toPlainText(), "<li>{Gallery}");
  leave(templ);
  w.w<QCheckBox>("chkIncludeIndexPage")->click();

  const std::string key = reportKey("Links");
  EXPECT_EQ(w.store().RegReadString(key, "ReportFile", ""), file.toStdString());
  EXPECT_EQ(w.store().RegReadString(key, "ReportHeader", ""), "<ul>\r\nall");
  EXPECT_EQ(w.store().RegReadString(key, "ReportTemplate", ""), "<li>{Gallery}");
  EXPECT_TRUE(w.store().RegReadBool(key, "IncludeIndexPage", false));

  click(w, "butExport");
  EXPECT_EQ(contents(file), "<ul>\r\nall\r\n<li>Gallery\r\n");
  EXPECT_EQ(w.w<QLabel>("StatusText")->text(), "Exporting - gallery 1 of 1");
  EXPECT_FALSE(w.w<QWidget>("ProgressBar")->isVisible());  // the export has ended

  // Another report shows its own fields; coming back shows the stored ones.
  reports->setCurrentIndex(0);
  emit reports->activated(0);
  EXPECT_EQ(edit->text(), "");
  reports->setCurrentIndex(1);
  emit reports->activated(1);
  EXPECT_EQ(edit->text(), file);

  dialogs_.answers = {true};
  click(w, "butDelReport");
  ASSERT_EQ(dialogs_.of("ask-no").size(), 1u);
  EXPECT_EQ(reports->count(), 1);
  EXPECT_EQ(reports->currentIndex(), -1);
  EXPECT_EQ(edit->text(), "");
  EXPECT_TRUE(w.store().Subkeys(root_ + "\\Reports").empty());
  // With none selected an edit is stored nowhere.
  edit->setText("elsewhere");
  leave(edit);
  EXPECT_EQ(w.store().RegReadString(reportKey("Report 1"), "ReportFile", "unset"), "unset");
}

TEST_F(TabCommandTest, BackupThenRestoreBringsTheSettingsBackAndCloses) {
  TfrmMain& w = start();
  auto* title = w.w<QLineEdit>("IndexTitle");
  title->setText("Before");
  leave(title);
  auto* memo = w.w<QPlainTextEdit>("IndexHeader");
  memo->setPlainText("kept header");
  leave(memo);
  const QString backupDir = dir_.path() + "/backup";
  w.w<QLineEdit>("edtBackupDir")->setText(backupDir);
  click(w, "butBackup");
  EXPECT_TRUE(QFile::exists(backupDir + "/registry.cfg"));
  EXPECT_TRUE(QFile::exists(backupDir + "/Gallery.dat"));

  title->setText("After");
  leave(title);
  memo->setPlainText("lost header");
  leave(memo);
  dialogs_.answers = {false};
  click(w, "butRestore");
  EXPECT_TRUE(w.isVisible());  // No leaves everything as it is
  EXPECT_EQ(w.store().RegReadString(root_ + "\\Galleries\\Gallery", "IndexTitle", ""), "After");

  dialogs_.calls.clear();
  click(w, "butRestore");
  ASSERT_FALSE(dialogs_.of("ask-yes").empty());
  EXPECT_EQ(dialogs_.of("ask-yes")[0].text, kRestoreQuestion);
  auto messages = dialogs_.of("message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, kRestoreDone);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.store().RegReadString(root_ + "\\Galleries\\Gallery", "IndexTitle", ""), "Before");
  EXPECT_EQ(ReadSection(appFolder_ + "Gallery.dat", "Index Header"), "kept header\r\n");
}

TEST_F(TabCommandTest, UpdateCheckAsksTheLocalListAndOffersTheNewVersion) {
  testing::TestServer server([](const std::string&, int) {
    return testing::Reply{"HTTP/1.0 200 OK\r\n\r\nframewright 99.0\r\n"};
  });
  updateListUrl_ = server.url("/list.txt");
  TfrmMain& w = start();
  dialogs_.answers = {true, true};
  click(w, "butUpdateCheck");
  ASSERT_EQ(server.requests().size(), 1u);
  auto opened = dialogs_.of("open");
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].text.toStdString(), WhatsNewUrl());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(appFolder_) + "temp.txt"));
}

}  // namespace
}  // namespace fw
