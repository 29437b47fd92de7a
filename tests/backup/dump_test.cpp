#include "backup/dump.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "backup/backup_files.h"
#include "common/error.h"
#include "settings/store.h"
#include "support/fixtures.h"

namespace fw {
namespace {

using testing::kRoot;

class DumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dump_ = dir_ + "/registry.cfg";
    store_ = std::make_unique<Store>(dir_ + "/a.db");
  }

  std::string read(const std::string& path) const { return testing::Read(path); }
  void write(const std::string& text) const { testing::Write(dump_, text); }
  Store& store() { return *store_; }
  std::unique_ptr<Store> fresh() { return std::make_unique<Store>(dir_ + "/b.db"); }

  test::TempDir tmp_;
  std::string dir_ = tmp_.path(), dump_;
  std::unique_ptr<Store> store_;
};

TEST_F(DumpTest, ExportWritesSectionsBreadthFirst) {
  Store& s = store();
  s.RegWriteInteger(kRoot, "Top", -150);
  s.RegWriteString(kRoot, "CustomColors", "ColorA=FFFFFF\r\nColorB=000000\r\n");
  s.RegWriteInteger(kRoot + "\\Galleries\\Beta", "ThumbSize", 120);
  s.RegWriteString(kRoot + "\\Galleries\\Alpha", "BaseDir", "/srv/www");
  s.WriteBinary(kRoot + "\\Galleries\\Alpha\\Deep", "Blob", std::string("\x00\xAB\x7f", 3));
  s.RegWriteInteger(kRoot + "\\Galleries\\Alpha\\Deep", "", 5);
  s.WriteExpandString(kRoot + "\\Reports\\R1", "ReportFile", "%HOME%/r.txt");

  ExportSettingsTree(s, dump_, kRoot);
  const std::string r = "[\\" + kRoot;
  EXPECT_EQ(read(dump_), r +
                             "]\r\n"
                             "Topint=-150\r\n"
                             "CustomColorsstr=ColorA=FFFFFFqqqqColorB=000000qqqq\r\n"
                             "\r\n" +
                             r + "\\Galleries]\r\n\r\n" + r + "\\Reports]\r\n\r\n" + r +
                             "\\Galleries\\Alpha]\r\n"
                             "BaseDirstr=/srv/www\r\n"
                             "\r\n" +
                             r + "\\Galleries\\Beta]\r\nThumbSizeint=120\r\n\r\n" + r +
                             "\\Reports\\R1]\r\nReportFilestr=%HOME%/r.txt\r\n\r\n" + r +
                             "\\Galleries\\Alpha\\Deep]\r\n"
                             "Blobbin=00AB7F\r\n"
                             "int=5\r\n"
                             "\r\n");
}

TEST_F(DumpTest, RoundTripRestoresEveryValue) {
  Store& s = store();
  const std::string gal = kRoot + "\\Galleries\\My gallery";
  s.RegWriteString(gal, "Header", "two\r\nlines");
  s.RegWriteString(gal, "Odd", "word qqqq inside");
  s.RegWriteString(gal, "Empty", "");
  s.RegWriteInteger(gal, "Min", -2147483647 - 1);
  s.RegWriteBool(gal, "Sorted", true);
  s.WriteExpandString(gal, "Expand", "%X%");
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  s.WriteBinary(gal, "Bytes", bytes);
  s.RegWriteInteger(gal, "", 5);
  s.CreateKey(kRoot + "\\Reports\\Nothing");  // no values, no subkeys

  ExportSettingsTree(s, dump_, kRoot);
  auto t = fresh();
  ImportSettingsTree(*t, dump_);
  EXPECT_EQ(t->RegReadString(gal, "Header", ""), "two\r\nlines");
  EXPECT_EQ(t->RegReadString(gal, "Odd", ""), "word \r\n inside");
  EXPECT_EQ(t->RegReadString(gal, "Empty", "x"), "");
  EXPECT_EQ(t->RegReadInteger(gal, "Min", 0), -2147483647 - 1);
  EXPECT_TRUE(t->RegReadBool(gal, "Sorted", false));
  EXPECT_EQ(t->RegReadString(gal, "Expand", ""), "%X%");
  EXPECT_EQ(t->RegReadInteger(gal, "", 0), 5);
  auto values = t->Values(gal);
  ASSERT_EQ(values.size(), 8u);
  EXPECT_EQ(values[1].name, "Odd");
  EXPECT_EQ(values[5].kind, ValueKind::String);  // an expandable string comes back plain
  EXPECT_EQ(values[6].kind, ValueKind::Binary);
  EXPECT_EQ(values[6].data, bytes);
  // Keys are made only by writing values into them.
  EXPECT_FALSE(t->KeyExists(kRoot + "\\Reports"));
}

TEST_F(DumpTest, TwoDumpsInOneFileApplyInTurn) {
  Store& s = store();
  const std::string gal = kRoot + "\\Galleries\\G";
  s.RegWriteInteger(gal, "ThumbSize", 100);
  s.RegWriteString(gal, "Only1", "a");
  ExportSettingsTree(s, dump_, gal);
  s.RegWriteInteger(gal, "ThumbSize", 120);
  ExportSettingsTree(s, dump_, gal);
  const std::string h = "[\\" + gal + "]\r\n";
  EXPECT_EQ(read(dump_), h + "ThumbSizeint=100\r\nOnly1str=a\r\n\r\n" + h +
                             "ThumbSizeint=120\r\nOnly1str=a\r\n\r\n");
  auto t = fresh();
  ImportSettingsTree(*t, dump_);
  EXPECT_EQ(t->RegReadInteger(gal, "ThumbSize", 0), 120);
}

TEST_F(DumpTest, RootNamesInPathsAndHeaders) {
  Store& s = store();
  s.RegWriteInteger("Software\\X", "A", 1);
  ExportSettingsTree(s, dump_, "hkey_current_user\\Software\\X");
  EXPECT_EQ(read(dump_), "[hkey_current_user\\Software\\X]\r\nAint=1\r\n\r\n");

  std::filesystem::remove(dump_);
  ExportSettingsTree(s, dump_, "HKEY_SOMEWHERE\\Software\\X");
  EXPECT_FALSE(std::filesystem::exists(dump_));  // an unknown root writes nothing

  ExportSettingsTree(s, dump_, "Software\\Missing");
  EXPECT_EQ(read(dump_), "\r\n");  // a key that cannot be opened leaves its empty line

  write(
      "Rootint=3\r\n"
      "[HKEY_CURRENT_USER\\Software\\Y]\r\n"
      "Aint=1\r\n"
      "   \r\n"
      "[HKEY_NOWHERE\\Software\\Y]\r\n"
      "Bint=2\r\n"
      "[\\Software\\Y]\r\n"
      "Cint=3\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Y]\r\n"
      "Dint=4\r\n"
      "[\\Software\\Z]\r\n"
      "Eint=5\r\n");
  auto t = fresh();
  ImportSettingsTree(*t, dump_);
  EXPECT_EQ(t->RegReadInteger("", "Root", 0), 3);  // before any header: the hive itself
  EXPECT_EQ(t->RegReadInteger("Software\\Y", "A", 0), 1);
  EXPECT_FALSE(t->ValueExists("Software\\Y", "B"));
  EXPECT_FALSE(t->ValueExists("Software\\Y", "C"));  // still under the unknown root
  EXPECT_FALSE(t->ValueExists("Software\\Y", "D"));
  EXPECT_FALSE(t->KeyExists("Software\\Z"));
  // Other roots keep their own tree and export back under their name.
  EXPECT_EQ(t->RegReadInteger("HKEY_LOCAL_MACHINE\\Software\\Y", "D", 0), 4);
  EXPECT_EQ(t->RegReadInteger("HKEY_LOCAL_MACHINE\\Software\\Z", "E", 0), 5);
  std::filesystem::remove(dump_);
  ExportSettingsTree(*t, dump_, "HKEY_LOCAL_MACHINE\\Software\\Z");
  EXPECT_EQ(read(dump_), "[HKEY_LOCAL_MACHINE\\Software\\Z]\r\nEint=5\r\n\r\n");
}

TEST_F(DumpTest, ImportFailuresAndSkippedLines) {
  const std::string gal = kRoot + "\\Galleries\\G";
  const std::string lines = "[\\" + gal +
                            "]\r\n"
                            "ThumbSizeint=120\r\n"
                            "Badbin=0G12\r\n"
                            "Oddbin=ABC\r\n"
                            "no equals sign\r\n"
                            "=5\r\n"
                            "Textstr=a=b\r\n";
  write(lines + "Rowsint=two\r\nAfterint=1\r\n");
  Store& s = store();
  auto failure = [&] {
    try {
      ImportSettingsTree(s, dump_);
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("no failure");
  };
  // A bad line anywhere fails the whole file before anything is written.
  EXPECT_EQ(failure(), "'two' is not a valid integer value (line 8: Rowsint=two)");
  EXPECT_FALSE(s.KeyExists(gal));

  write("[\\" + gal + "]\r\nThumbSizeint=120\r\n[\\" + kRoot +
        "\\Galleries\\../victimdir/notes]\r\nBaseDirstr=x\r\n");
  EXPECT_EQ(failure(),
            "The gallery name \"../victimdir/notes\" is not allowed. A gallery name may not "
            "contain \"/\" or a NUL character, nor be \".\" or \"..\". (line 3: [\\" +
                kRoot + "\\Galleries\\../victimdir/notes])");
  EXPECT_FALSE(s.KeyExists(gal));

  write(lines);
  EXPECT_EQ(ImportSettingsTree(s, dump_), std::vector<std::string>{"line 3: Badbin=0G12"});
  EXPECT_EQ(s.RegReadInteger(gal, "ThumbSize", 0), 120);
  EXPECT_FALSE(s.ValueExists(gal, "Bad"));
  EXPECT_EQ(s.Values(gal)[1].data, "\xAB");  // odd digit count: the last digit is dropped
  EXPECT_EQ(s.RegReadString(gal, "Text", ""), "a=b");
  EXPECT_EQ(s.Values(gal).size(), 3u);

  EXPECT_NO_THROW(ImportSettingsTree(s, dir_ + "/missing.cfg"));
}

TEST_F(DumpTest, LostLinesAreSilent) {
  EXPECT_NO_THROW(AppendTextLine(dir_ + "/no/such/folder/x.cfg", "line"));
  AppendTextLine(dump_, "one");
  AppendTextLine(dump_, "");
  AppendTextLine(dump_, "two");
  EXPECT_EQ(read(dump_), "one\r\n\r\ntwo\r\n");
}

}  // namespace
}  // namespace fw
