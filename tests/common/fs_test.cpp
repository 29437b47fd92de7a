#include "common/fs.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "common/error.h"

namespace fw {
namespace {

class FsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = (std::filesystem::temp_directory_path() /
            ("fw-fs-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name()))
               .string();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    fs::SetFaultHookForTesting(nullptr);
    std::filesystem::remove_all(dir_);
  }
  std::string at(const std::string& name) const { return dir_ + "/" + name; }
  std::string dir_;
};

TEST_F(FsTest, MaskMatchesExtensionsWithoutCaseAndSkipsFolders) {
  for (const char* n : {"PHOTO.JPG", "b.jpg", ".hidden.Jpg", "c.jpeg", "d.png", "jpg"})
    fs::ReplaceAtomically(at(n), "x");
  ASSERT_TRUE(fs::MakeFolders(at("folder.jpg")));
  auto names = fs::ListMask(dir_, "*.jpg");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".hidden.Jpg", "PHOTO.JPG", "b.jpg"}));
  EXPECT_EQ(fs::ListMask(dir_, "*.*").size(), 6u);
  EXPECT_EQ(fs::ListMask(dir_, "?.PNG"), std::vector<std::string>{"d.png"});
  EXPECT_TRUE(fs::ListMask(at("missing"), "*.jpg").empty());

  // One reading for several masks lists what each mask lists by itself, in the same order.
  const char* const masks[] = {"*.jpg", "*.png", "*.*", "*.gif"};
  const auto groups = fs::ListMasks(dir_, masks);
  ASSERT_EQ(groups.size(), 4u);
  for (std::size_t m = 0; m < groups.size(); ++m) EXPECT_EQ(groups[m], fs::ListMask(dir_, masks[m]));

  // What Exists() finds, folders included, but not a link to nothing.
  ASSERT_EQ(::symlink(at("gone").c_str(), at("dangling.jpg").c_str()), 0);
  ASSERT_EQ(::symlink(at("b.jpg").c_str(), at("link.jpg").c_str()), 0);
  const auto present = fs::ExistingNames(dir_);
  ASSERT_TRUE(present);
  EXPECT_EQ(present->size(), 8u);
  EXPECT_TRUE(present->count("folder.jpg") && present->count("link.jpg"));
  EXPECT_FALSE(present->count("dangling.jpg"));
  EXPECT_FALSE(fs::ExistingNames(at("missing")));
}

TEST_F(FsTest, MakeFoldersCreatesParents) {
  EXPECT_TRUE(fs::MakeFolders(at("a/b/c")));
  EXPECT_TRUE(fs::IsFolder(at("a/b/c")));
  EXPECT_TRUE(fs::MakeFolders(at("a/b/c/")));
  fs::ReplaceAtomically(at("file"), "x");
  EXPECT_FALSE(fs::MakeFolders(at("file/sub")));
  EXPECT_TRUE(fs::IsFile(at("file")));
  EXPECT_FALSE(fs::IsFolder(at("file")));
}

TEST_F(FsTest, RenameNeverReplacesAnExistingFile) {
  fs::ReplaceAtomically(at("a"), "first");
  fs::ReplaceAtomically(at("b"), "second");
  EXPECT_FALSE(fs::RenameNoReplace(at("a"), at("b")));
  EXPECT_EQ(fs::ReadFile(at("a")), "first");
  EXPECT_EQ(fs::ReadFile(at("b")), "second");
  EXPECT_TRUE(fs::RenameNoReplace(at("a"), at("c")));
  EXPECT_FALSE(fs::Exists(at("a")));
  EXPECT_EQ(fs::ReadFile(at("c")), "first");
  EXPECT_THROW(fs::RenameNoReplace(at("gone"), at("d")), Error);
}

TEST_F(FsTest, CopyReplacesAndNeverTruncatesItsOwnSource) {
  fs::ReplaceAtomically(at("src"), std::string(200000, 'q'));
  fs::ReplaceAtomically(at("dst"), "old content that is longer");
  fs::CopyFile(at("src"), at("dst"));
  EXPECT_EQ(fs::ReadFile(at("dst")), std::string(200000, 'q'));
  fs::CopyFile(at("src"), at("src"));
  EXPECT_EQ(fs::Size(at("src")), 200000);
  EXPECT_THROW(fs::CopyFile(at("missing"), at("dst")), Error);
}

TEST_F(FsTest, DeleteAndSize) {
  EXPECT_EQ(fs::Size(at("x")), -1);
  fs::ReplaceAtomically(at("x"), "");
  EXPECT_EQ(fs::Size(at("x")), 0);
  EXPECT_TRUE(fs::Delete(at("x")));
  EXPECT_TRUE(fs::Delete(at("x")));
  EXPECT_FALSE(fs::Exists(at("x")));
}

TEST_F(FsTest, AtomicReplaceKeepsTheOldFileOnFailureAndItsMode) {
  fs::ReplaceAtomically(at("f"), "old");
  ::chmod(at("f").c_str(), 0640);
  fs::ReplaceAtomically(at("f"), "new\r\n");
  EXPECT_EQ(fs::ReadFile(at("f")), "new\r\n");
  struct stat st;
  ASSERT_EQ(::stat(at("f").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  for (const char* step : {"open", "write", "sync", "rename"}) {
    std::string failing = step;
    fs::SetFaultHookForTesting([failing](const char* s) { return failing == s; });
    EXPECT_THROW(fs::ReplaceAtomically(at("f"), "lost"), Error) << step;
    fs::SetFaultHookForTesting(nullptr);
    EXPECT_EQ(fs::ReadFile(at("f")), "new\r\n") << step;
    EXPECT_EQ(fs::ListMask(dir_, "*").size(), 1u) << "temporary file left after " << step;
  }
  EXPECT_THROW(fs::ReplaceAtomically(at("no/such/folder/f"), "x"), Error);
}

TEST_F(FsTest, TargetsAtTheNameLengthLimitAreWritten) {
  // Whatever a temporary name adds must not push a valid target past the limit.
  const std::string longest(255, 'n'), source(249, 's');
  fs::ReplaceAtomically(at(longest), "thumb");
  EXPECT_EQ(fs::ReadFile(at(longest)), "thumb");
  fs::ReplaceAtomically(at(source), "picture");
  fs::CopyFile(at(source), at(std::string(249, 'c')));
  EXPECT_EQ(fs::ReadFile(at(std::string(249, 'c'))), "picture");
  EXPECT_EQ(fs::ListMask(dir_, "*").size(), 3u);
}

TEST_F(FsTest, RealPathResolvesOrEchoes) {
  fs::MakeFolders(at("r/s"));
  EXPECT_EQ(fs::RealPath(at("r/s/..")), fs::RealPath(at("r")));
  EXPECT_EQ(fs::RealPath(at("nothing/here")), at("nothing/here"));
}

}  // namespace
}  // namespace fw
