// The file-system layer: masks, no-replace renames, atomic replacement.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/fs.h"
#include "common/subs.h"

namespace fw {
namespace {

class FsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string t = (std::filesystem::temp_directory_path() / "fwfs-XXXXXX").string();
    dir = mkdtemp(t.data());
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void put(const std::string& name, const std::string& text) {
    std::ofstream(dir + "/" + name, std::ios::binary) << text;
  }
  std::string dir;
};

TEST_F(FsTest, MasksMatchExtensionsWithoutRegardToCase) {
  put("PHOTO.JPG", "x");
  put(".hidden.jpg", "x");
  put("b.jpeg", "x");
  put("c.gif", "x");
  std::filesystem::create_directory(dir + "/folder.jpg");
  auto names = fs::ListMask(dir, "*.jpg");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".hidden.jpg", "PHOTO.JPG"}));
  EXPECT_TRUE(fs::ListMask(dir + "/missing", "*.jpg").empty());
}

TEST_F(FsTest, RenameNeverReplacesAnExistingFile) {
  put("a.jpg", "picture a");
  put("b.jpg", "picture b");
  EXPECT_FALSE(fs::RenameNoReplace(dir + "/a.jpg", dir + "/b.jpg"));
  EXPECT_EQ(fs::ReadFile(dir + "/b.jpg"), "picture b");
  EXPECT_EQ(fs::ReadFile(dir + "/a.jpg"), "picture a");
  EXPECT_TRUE(fs::RenameNoReplace(dir + "/a.jpg", dir + "/c.jpg"));
  EXPECT_FALSE(fs::Exists(dir + "/a.jpg"));
}

TEST_F(FsTest, FoldersSizesCopiesAndReplacement) {
  EXPECT_TRUE(fs::MakeFolders(dir + "/x/y/z/"));
  EXPECT_TRUE(fs::IsFolder(dir + "/x/y/z"));
  put("f", "12345");
  EXPECT_EQ(FileSizeOf(dir + "/f"), 5);
  EXPECT_EQ(FileSizeOf(dir + "/none"), 0);
  EXPECT_EQ(fs::Size(dir + "/none"), -1);
  fs::CopyFile(dir + "/f", dir + "/g");
  EXPECT_EQ(fs::ReadFile(dir + "/g"), "12345");
  fs::ReplaceAtomically(dir + "/g", "new");
  EXPECT_EQ(fs::ReadFile(dir + "/g"), "new");
  EXPECT_THROW(fs::ReplaceAtomically(dir + "/missing/g", "x"), std::exception);
  EXPECT_EQ(fs::RealPath(dir + "/x/../f"), fs::RealPath(dir) + "/f");
}

}  // namespace
}  // namespace fw
