#include "backup/restore.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "backup/backup.h"
#include "backup/backup_files.h"
#include "backup/dump.h"
#include "common/error.h"
#include "common/recording_host.h"
#include "settings/store.h"
#include "support/fixtures.h"

namespace fw {
namespace {

namespace sfs = std::filesystem;
using testing::kRoot;
using testing::Read;
using testing::Write;

class RestoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = dir_ + "/app/";
    backup_ = dir_ + "/backup/";
    sfs::create_directories(app_);
    sfs::create_directories(backup_);
    store_ = std::make_unique<Store>(dir_ + "/settings.db");
  }

  bool restore() { return Restore(host_, *store_, app_, backup_); }
  std::string dump(const Store& store, const std::string& name) {
    const std::string file = dir_ + "/" + name;
    ExportSettingsTree(store, file, kRoot);
    return Read(file);
  }

  test::TempDir tmp_;
  std::string dir_ = tmp_.path(), app_, backup_;
  std::unique_ptr<Store> store_;
  RecordingHost host_;
};

TEST_F(RestoreTest, AnsweringNoChangesNothing) {
  Write(backup_ + "registry.cfg", "[\\" + kRoot + "]\r\nTopint=7\r\n\r\n");
  Write(backup_ + "Alps.dat", "backup");
  host_.answers = {false};
  EXPECT_FALSE(restore());
  EXPECT_FALSE(store_->KeyExists(kRoot));
  EXPECT_FALSE(sfs::exists(app_ + "Alps.dat"));
  ASSERT_EQ(host_.calls.size(), 1u);
  EXPECT_EQ(host_.calls[0].text, kRestoreQuestion);
  EXPECT_EQ(host_.calls[0].title, "");
}

TEST_F(RestoreTest, ImportsTheDumpAndCopiesEveryTextBlockFile) {
  store_->RegWriteInteger(kRoot, "Left", 300);
  store_->RegWriteInteger(kRoot, "Top", 1);
  Write(backup_ + "registry.cfg", "[\\" + kRoot + "]\r\nTopint=7\r\n\r\n[\\" + kRoot +
                                      "\\Galleries\\Alps]\r\nBaseDirstr=/srv/alps\r\n\r\n");
  Write(backup_ + "Alps.dat", "from backup");
  Write(backup_ + "Forgotten.dat", "a gallery no longer in the settings");
  Write(app_ + "Alps.dat", "live");
  Write(app_ + "Other.dat", "untouched");
  EXPECT_TRUE(restore());
  EXPECT_EQ(store_->RegReadInteger(kRoot, "Top", 0), 7);
  EXPECT_EQ(store_->RegReadInteger(kRoot, "Left", 0), 300);  // absent from the dump
  EXPECT_EQ(store_->RegReadString(kRoot + "\\Galleries\\Alps", "BaseDir", ""), "/srv/alps");
  EXPECT_EQ(Read(app_ + "Alps.dat"), "from backup");
  EXPECT_EQ(Read(app_ + "Forgotten.dat"), "a gallery no longer in the settings");
  EXPECT_EQ(Read(app_ + "Other.dat"), "untouched");
  std::vector<std::string> kinds;
  for (const auto& c : host_.calls) kinds.push_back(c.kind);
  EXPECT_EQ(kinds, (std::vector<std::string>{"ask", "status", "beep", "message"}));
  EXPECT_EQ(host_.calls[1].text, "Performing restore - please wait ...");
  EXPECT_EQ(host_.calls[3].text, "Configuration restored.\r\nPlease restart Framewright now.");
}

TEST_F(RestoreTest, EmptyBackupFolderLeavesOnlyTheMessage) {
  EXPECT_TRUE(restore());
  EXPECT_FALSE(store_->KeyExists(kRoot));
  EXPECT_EQ(host_.texts("message"), std::vector<std::string>{kRestoreDone});
}

TEST_F(RestoreTest, MalformedIntegerEndsTheRestoreBeforeAnythingChanges) {
  Write(backup_ + "registry.cfg", "[\\" + kRoot +
                                      "]\r\nTopint=7\r\nLeftint=wide\r\n"
                                      "Widthint=9\r\n\r\n");
  Write(backup_ + "Alps.dat", "from backup");
  EXPECT_THROW(restore(), Error);
  EXPECT_FALSE(store_->ValueExists(kRoot, "Top"));
  EXPECT_FALSE(store_->ValueExists(kRoot, "Width"));
  EXPECT_FALSE(sfs::exists(app_ + "Alps.dat"));
  EXPECT_TRUE(host_.texts("message").empty());
  EXPECT_TRUE(host_.texts("beep").empty());
}

TEST_F(RestoreTest, RestoringFromTheApplicationFolderKeepsItsFiles) {
  Write(app_ + "Alps.dat", "live text blocks");
  EXPECT_TRUE(Restore(host_, *store_, app_, dir_ + "/app"));
  EXPECT_EQ(Read(app_ + "Alps.dat"), "live text blocks");
}

TEST_F(RestoreTest, BackupThenRestoreIntoAFreshStoreGivesTheSameSettings) {
  store_->RegWriteInteger(kRoot, "SelectedGallery", 1);
  store_->RegWriteString(kRoot, "CustomColors", "ColorA=FFFFFF\r\n");
  store_->RegWriteString(kRoot + "\\Galleries\\Alps", "BaseDir", "/srv/alps");
  store_->RegWriteBool(kRoot + "\\Galleries\\Alps", "Sorted", true);
  store_->RegWriteInteger(kRoot + "\\Galleries\\Beach", "ThumbSize", -120);
  store_->WriteBinary(kRoot + "\\Galleries\\Beach", "Blob", std::string("\0\x01\xff", 3));
  store_->RegWriteString(kRoot + "\\Reports\\Links", "ReportTemplate", "a\r\nb");
  Write(app_ + "Alps.dat", "Gallery Header\r\nhi\r\n####\r\n");
  ASSERT_TRUE(Backup(host_, *store_, kRoot, {"Alps", "Beach"}, app_, backup_));

  Store fresh(dir_ + "/fresh.db");
  sfs::remove(app_ + "Alps.dat");
  ASSERT_TRUE(Restore(host_, fresh, app_, backup_));
  EXPECT_EQ(dump(fresh, "fresh.cfg"), dump(*store_, "original.cfg"));
  EXPECT_EQ(fresh.RegReadString(kRoot + "\\Reports\\Links", "ReportTemplate", ""), "a\r\nb");
  EXPECT_EQ(Read(app_ + "Alps.dat"), "Gallery Header\r\nhi\r\n####\r\n");
}

}  // namespace
}  // namespace fw
