// framewright-cli report, backup and restore on temporary stores.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_cli.h"

namespace fw::test {
namespace {

const std::string kRoot = "\\Software\\Ombrix Software\\Framewright";

CliResult Cli(const TempDir& d, const std::string& store, std::vector<std::string> args) {
  args.insert(args.begin(), {"--store", d.file(store), "--app-folder", d.path()});
  return RunCli(args);
}

TEST(CliBackup, BackupThenRestoreIntoAFreshStoreGivesTheSameSettings) {
  TempDir d;
  ASSERT_EQ(Cli(d, "a.db", {"set", "Beach", "ThumbSize", "140"}).exitCode, 0);
  ASSERT_EQ(Cli(d, "a.db", {"set", "City", "GalleryTitle", "Streets"}).exitCode, 0);
  WriteAll(d.file("h.txt"), "Hello\n");
  ASSERT_EQ(Cli(d, "a.db", {"text", "Beach", "Gallery Header", "--set", d.file("h.txt")}).exitCode,
            0);
  CliResult backup = Cli(d, "a.db", {"backup", d.file("bak")});
  ASSERT_EQ(backup.exitCode, 0) << backup.err;
  EXPECT_TRUE(std::filesystem::exists(d.file("bak/registry.cfg")));
  EXPECT_TRUE(std::filesystem::exists(d.file("bak/Beach.dat")));

  std::filesystem::remove(d.file("Beach.dat"));
  CliResult restore = Cli(d, "b.db", {"restore", d.file("bak")});
  ASSERT_EQ(restore.exitCode, 0) << restore.err;
  EXPECT_EQ(Cli(d, "b.db", {"get", "Beach", "ThumbSize"}).out, "140\n");
  EXPECT_EQ(Cli(d, "b.db", {"text", "Beach", "Gallery Header"}).out, "Hello\r\n");
  ASSERT_EQ(Cli(d, "a.db", {"export", d.file("a.cfg")}).exitCode, 0);
  ASSERT_EQ(Cli(d, "b.db", {"export", d.file("b.cfg")}).exitCode, 0);
  EXPECT_EQ(ReadAll(d.file("a.cfg")), ReadAll(d.file("b.cfg")));
}

TEST(CliBackup, ReportOverAllGalleries) {
  TempDir d;
  std::string dump = "[" + kRoot + "\\Galleries\\Beach]\r\nBaseDirstr=" + d.file("beach") +
                     "\r\n\r\n[" + kRoot + "\\Reports\\List]\r\nReportFilestr=" +
                     d.file("list.txt") +
                     "\r\nReportHeaderstr=Galleries\r\nReportTemplatestr={Gallery}: {Pics}\r\n\r\n";
  WriteAll(d.file("dump.cfg"), dump);
  ASSERT_EQ(Cli(d, "s.db", {"import", d.file("dump.cfg")}).exitCode, 0);
  std::filesystem::create_directories(d.file("beach/images"));
  for (const char* n : {"a.jpg", "b.gif", "Thumb-a.jpg"}) WriteAll(d.file("beach/images/") + n, "x");
  CliResult r = Cli(d, "s.db", {"report", "List"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadAll(d.file("list.txt")), "Galleries\r\nBeach: 2\r\n");
  EXPECT_EQ(Cli(d, "s.db", {"report", "Missing"}).exitCode, 1);
}

}  // namespace
}  // namespace fw::test
