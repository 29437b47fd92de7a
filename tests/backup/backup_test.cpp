#include "backup/backup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "backup/backup_files.h"
#include "backup/dump.h"
#include "common/recording_host.h"
#include "settings/store.h"
#include "support/fixtures.h"

namespace fw {
namespace {

namespace sfs = std::filesystem;
using testing::kRoot;
using testing::Read;
using testing::Write;
using testing::Names;

class BackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = dir_ + "/app/";
    sfs::create_directories(app_);
    store_ = std::make_unique<Store>(dir_ + "/settings.db");
    store_->RegWriteInteger(kRoot, "SelectedGallery", 1);
    store_->RegWriteString(kRoot + "\\Galleries\\Alps", "BaseDir", "/srv/alps");
    store_->RegWriteInteger(kRoot + "\\Galleries\\Beach", "ThumbSize", 120);
    store_->RegWriteString(kRoot + "\\Reports\\Links", "ReportTemplate", "a\r\nb");
    Write(app_ + "Alps.dat", "Gallery Header\r\n<h1>Alps</h1>\r\n####\r\n");
    Write(app_ + "City.dat", "Gallery Footer\r\nbye\r\n####\r\n");
  }

  bool backup(const std::string& folder) {
    return Backup(host_, *store_, kRoot, galleries_, app_, folder);
  }
  std::string expectedDump() {
    const std::string file = dir_ + "/expected.cfg";
    sfs::remove(file);
    ExportSettingsTree(*store_, file, kRoot);
    return Read(file);
  }

  test::TempDir tmp_;
  std::string dir_ = tmp_.path(), app_;
  std::vector<std::string> galleries_{"Alps", "Beach", "City"};
  std::unique_ptr<Store> store_;
  RecordingHost host_;
};

TEST_F(BackupTest, CopiesDumpAndExistingTextBlockFilesAndCountsEveryGallery) {
  const std::string folder = dir_ + "/deep/backup";
  ASSERT_TRUE(backup(folder));
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"Alps.dat", "City.dat", "registry.cfg"}));
  EXPECT_EQ(Read(folder + "/Alps.dat"), Read(app_ + "Alps.dat"));
  EXPECT_EQ(Read(folder + "/registry.cfg"), expectedDump());
  EXPECT_EQ(host_.texts("status"), (std::vector<std::string>{
                                       "Performing backup - please wait ...",
                                       "Performing backup - gallery 1 of 3",
                                       "Performing backup - gallery 2 of 3",
                                       "Performing backup - gallery 3 of 3",
                                       "Finished Backup.",
                                   }));
  EXPECT_EQ(host_.calls[host_.calls.size() - 2].kind, "beep");
  EXPECT_TRUE(host_.texts("message").empty());
  EXPECT_EQ(host_.eventsProcessed, 4);
}

TEST_F(BackupTest, OnlyTheOlderBackupsFilesAreReplacedOrRemoved) {
  // The old backup named the galleries Deleted, City and ../outside; the rest is not ours.
  const std::string folder = dir_ + "/backup/";
  sfs::create_directories(folder);
  for (const char* name : {"Deleted.dat", "OLD.DAT", "City.dat", "game_save.dat", "notes.txt"})
    Write(folder + name, "older");
  Write(dir_ + "/outside.dat", "not in the folder");
  const std::string galleries = "[\\" + kRoot + "\\Galleries\\";
  Write(folder + "registry.cfg", galleries + "Deleted]\r\nGoneint=1\r\n\r\n" + galleries +
                                     "City]\r\n\r\n" + galleries + "../outside]\r\n\r\n");
  ASSERT_TRUE(backup(folder));
  EXPECT_EQ(Names(folder),
            (std::vector<std::string>{"Alps.dat", "City.dat", "OLD.DAT", "game_save.dat",
                                      "notes.txt", "registry.cfg"}));
  EXPECT_EQ(Read(folder + "City.dat"), Read(app_ + "City.dat"));
  EXPECT_EQ(Read(folder + "registry.cfg"), expectedDump());
  EXPECT_TRUE(sfs::exists(dir_ + "/outside.dat"));

  // Without an old dump nothing of the folder is taken for an old backup.
  sfs::remove(folder + "registry.cfg");
  Write(folder + "Deleted.dat", "older");
  ASSERT_TRUE(backup(folder));
  EXPECT_TRUE(sfs::exists(folder + "Deleted.dat"));
}

TEST_F(BackupTest, FolderThatCannotBeCreatedEndsTheBackup) {
  Write(dir_ + "/file", "in the way");
  EXPECT_FALSE(backup(dir_ + "/file/backup"));
  EXPECT_EQ(host_.texts("message"), std::vector<std::string>{kBackupDirNotCreated});
  EXPECT_EQ(host_.texts("status"), std::vector<std::string>{"Performing backup - please wait ..."});
}

TEST_F(BackupTest, TheApplicationFolderItselfIsRefusedInAnySpelling) {
  sfs::create_directories(dir_ + "/app/sub");
  sfs::create_directory_symlink(app_, dir_ + "/link");
  for (const std::string& folder :
       std::vector<std::string>{app_, dir_ + "/app", dir_ + "/app/sub/..", dir_ + "/link/"}) {
    host_.calls.clear();
    EXPECT_FALSE(backup(folder)) << folder;
    EXPECT_EQ(host_.texts("message"), std::vector<std::string>{kBackupDirIsAppFolder});
  }
  EXPECT_EQ(Names(app_), (std::vector<std::string>{"Alps.dat", "City.dat", "sub"}));
  EXPECT_EQ(Read(app_ + "Alps.dat"), "Gallery Header\r\n<h1>Alps</h1>\r\n####\r\n");
}

TEST_F(BackupTest, TextBlockFileThatCannotBeCopiedIsNamedAtTheEnd) {
  sfs::create_directory(app_ + "Beach.dat");  // exists, but is no file to copy
  const std::string folder = dir_ + "/backup";
  ASSERT_TRUE(backup(folder));
  EXPECT_TRUE(sfs::exists(folder + "/Alps.dat"));
  EXPECT_TRUE(sfs::exists(folder + "/City.dat"));
  EXPECT_EQ(host_.texts("status").back(), "Finished Backup.");
  ASSERT_EQ(host_.texts("message").size(), 1u);
  EXPECT_NE(host_.texts("message")[0].find("\r\nBeach"), std::string::npos);
}

}  // namespace
}  // namespace fw
