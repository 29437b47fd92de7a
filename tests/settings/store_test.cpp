#include "settings/store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "common/error.h"
#include "support/fixtures.h"

namespace fw {
namespace {

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_ + "/sub/settings.db";
  }

  test::TempDir tmp_;
  std::string dir_ = tmp_.path(), file_;
};

using test::MessageOf;

const char* const kGal = "Software\\Ombrix Software\\Framewright\\Galleries\\My gallery";

TEST(SettingsRoot, ChosenByFirstArgumentOnly) {
  EXPECT_EQ(SettingsRootFor("TEST"), kTestSettingsRoot);
  EXPECT_EQ(SettingsRootFor("Test"), kTestSettingsRoot);
  EXPECT_EQ(SettingsRootFor("tests"), kSettingsRoot);
  EXPECT_EQ(SettingsRootFor(""), kSettingsRoot);
  EXPECT_EQ(SettingsRootFor(nullptr), kSettingsRoot);
}

TEST_F(StoreTest, MissingValuesGiveDefaultsAndReadsCreateNothing) {
  Store s(file_);
  EXPECT_EQ(s.RegReadInteger(kGal, "ThumbSize", 100), 100);
  EXPECT_EQ(s.RegReadString(kGal, "ImageDir", "images"), "images");
  EXPECT_TRUE(s.RegReadBool(kGal, "UseImageShell", true));
  EXPECT_FALSE(s.ValueExists(kGal, "ThumbSize"));
  EXPECT_FALSE(s.KeyExists(kGal));
  EXPECT_FALSE(s.KeyExists("Software"));
  EXPECT_TRUE(s.Subkeys("").empty());

  // An existing key without the value still gives the default.
  s.RegWriteInteger(kGal, "Rows", 3);
  EXPECT_EQ(s.RegReadInteger(kGal, "Columns", 5), 5);
  EXPECT_EQ(s.Values(kGal).size(), 1u);
}

TEST_F(StoreTest, StoredEmptyAndZeroValuesWinOverDefaults) {
  {
    Store s(file_);
    s.RegWriteString(kGal, "ImageDir", "");
    s.RegWriteInteger(kGal, "ThumbSize", 0);
    s.RegWriteBool(kGal, "UseImageShell", false);
    s.RegWriteBool(kGal, "Sorted", true);
    s.RegWriteInteger(kGal, "Odd", -7);
  }
  Store s(file_);  // a new connection reads what the first one wrote
  EXPECT_EQ(s.RegReadString(kGal, "ImageDir", "images"), "");
  EXPECT_EQ(s.RegReadInteger(kGal, "ThumbSize", 100), 0);
  EXPECT_FALSE(s.RegReadBool(kGal, "UseImageShell", true));
  EXPECT_EQ(s.RegReadInteger(kGal, "Sorted", 0), 1);
  EXPECT_TRUE(s.RegReadBool(kGal, "Odd", false));
  EXPECT_EQ(s.RegReadInteger(kGal, "Odd", 0), -7);
}

TEST_F(StoreTest, TextsKeepEveryByte) {
  Store s(file_);
  std::string text = "line 1\r\nline 2\r\n\xE9t\xE9 'quoted' \"x\"";
  s.RegWriteString(kGal, "CustomColors", text);
  EXPECT_EQ(s.RegReadString(kGal, "CustomColors", ""), text);
  std::string bytes("\x00\x01\xFF", 3);
  s.WriteBinary(kGal, "Blob", bytes);
  ASSERT_EQ(s.Values(kGal).size(), 2u);
  EXPECT_EQ(s.Values(kGal)[1].data, bytes);
  EXPECT_EQ(s.Values(kGal)[1].kind, ValueKind::Binary);
}

TEST_F(StoreTest, WrongKindReadsFailWithTheirMessages) {
  Store s(file_);
  s.RegWriteString(kGal, "Long", "abcd");  // five bytes with its zero
  s.RegWriteString(kGal, "Short", "abc");  // four bytes
  s.RegWriteInteger(kGal, "Number", 12);
  s.WriteBinary(kGal, "Big", std::string(8, 'x'));
  s.WriteBinary(kGal, "Small", std::string(2, 'x'));
  s.WriteExpandString(kGal, "Expand", "%HOME%\\x");

  EXPECT_EQ(MessageOf([&] { s.RegReadInteger(kGal, "Long", 0); }), "Failed to get data for 'Long'");
  EXPECT_EQ(MessageOf([&] { s.RegReadBool(kGal, "long", false); }),
            "Failed to get data for 'long'");
  EXPECT_EQ(MessageOf([&] { s.RegReadInteger(kGal, "Short", 0); }),
            "Invalid data type for 'Short'");
  EXPECT_EQ(MessageOf([&] { s.RegReadString(kGal, "Number", ""); }),
            "Invalid data type for 'Number'");
  EXPECT_EQ(MessageOf([&] { s.RegReadInteger(kGal, "Big", 0); }), "Failed to get data for 'Big'");
  EXPECT_EQ(MessageOf([&] { s.RegReadInteger(kGal, "Small", 0); }),
            "Invalid data type for 'Small'");
  EXPECT_EQ(MessageOf([&] { s.RegReadString(kGal, "Small", ""); }),
            "Invalid data type for 'Small'");
  EXPECT_EQ(s.RegReadString(kGal, "Expand", ""), "%HOME%\\x");  // returned unexpanded
}

TEST_F(StoreTest, NamesCompareWithoutCase) {
  Store s(file_);
  s.RegWriteInteger(kGal, "NavPageBackcolor", 0x123456);
  EXPECT_EQ(s.RegReadInteger(kGal, "NavPageBackColor", 0), 0x123456);
  EXPECT_EQ(s.RegReadInteger("software\\OMBRIX SOFTWARE\\framewright\\galleries\\MY GALLERY",
                             "NAVPAGEBACKCOLOR", 0),
            0x123456);

  // Rewriting under the other spelling replaces the one value; it keeps its first name.
  s.RegWriteInteger(kGal, "NavPageBackColor", 7);
  auto values = s.Values(kGal);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, "NavPageBackcolor");
  EXPECT_EQ(values[0].integer, 7);

  s.CreateKey("Software\\Ombrix Software\\FRAMEWRIGHT\\GALLERIES\\my gallery");
  EXPECT_EQ(s.Subkeys("Software\\Ombrix Software\\Framewright\\Galleries"),
            std::vector<std::string>{"My gallery"});
}

TEST_F(StoreTest, WritesCreateParentsAndReplaceAnyKind) {
  Store s(file_);
  s.RegWriteString("A\\B\\C", "v", "text");
  EXPECT_TRUE(s.KeyExists("A"));
  EXPECT_TRUE(s.KeyExists("A\\B"));
  EXPECT_TRUE(s.KeyExists("\\A\\B\\C\\"));  // surrounding separators name the same key
  EXPECT_EQ(s.Subkeys("A"), std::vector<std::string>{"B"});

  s.RegWriteInteger("A\\B\\C", "v", 5);
  EXPECT_EQ(s.RegReadInteger("A\\B\\C", "v", 0), 5);
  EXPECT_EQ(MessageOf([&] { s.RegReadString("A\\B\\C", "v", ""); }), "Invalid data type for 'v'");
}

TEST_F(StoreTest, EnumerationOrders) {
  Store s(file_);
  for (const char* name : {"beta", "Alpha", "gamma", "Delta", "alpha2"})
    s.CreateKey(std::string("R\\") + name + "\\deeper");
  EXPECT_EQ(s.Subkeys("R"),
            (std::vector<std::string>{"Alpha", "alpha2", "beta", "Delta", "gamma"}));
  EXPECT_TRUE(s.Subkeys("Missing").empty());
  EXPECT_TRUE(s.Values("Missing").empty());

  // Values keep the order of their first write, also across rewrites.
  s.RegWriteString("R", "zeta", "1");
  s.RegWriteInteger("R", "", 5);
  s.RegWriteBool("R", "Mid", true);
  s.RegWriteString("R", "ZETA", "2");
  auto values = s.Values("R");
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].name, "zeta");
  EXPECT_EQ(values[0].data, "2");
  EXPECT_EQ(values[1].name, "");
  EXPECT_EQ(values[1].kind, ValueKind::Integer);
  EXPECT_EQ(values[2].name, "Mid");
  EXPECT_EQ(values[2].integer, 1);
}

TEST_F(StoreTest, DeleteKeyRemovesTheTreeOnly) {
  Store s(file_);
  s.RegWriteInteger("G\\Gal", "a", 1);
  s.RegWriteInteger("G\\Gal\\sub\\deep", "b", 2);
  s.RegWriteInteger("G\\Gallery", "c", 3);  // shares the name's beginning
  s.RegWriteInteger("G\\Gal-x", "d", 4);
  s.DeleteKey("g\\GAL");
  EXPECT_FALSE(s.KeyExists("G\\Gal"));
  EXPECT_FALSE(s.KeyExists("G\\Gal\\sub\\deep"));
  EXPECT_EQ(s.RegReadInteger("G\\Gallery", "c", 0), 3);
  EXPECT_EQ(s.RegReadInteger("G\\Gal-x", "d", 0), 4);
  EXPECT_EQ(s.Subkeys("G"), (std::vector<std::string>{"Gal-x", "Gallery"}));
  // A write into the deleted key starts it afresh, without its old values.
  s.RegWriteInteger("G\\Gal", "z", 9);
  EXPECT_FALSE(s.ValueExists("G\\Gal", "a"));
  EXPECT_NO_THROW(s.DeleteKey("G\\Nothing"));
}

TEST_F(StoreTest, CopyKeyCopiesTheTreeUnlessTargetExists) {
  Store s(file_);
  s.RegWriteString("G\\Src", "b", "x");
  s.RegWriteInteger("G\\Src", "a", 1);
  s.RegWriteBool("G\\Src\\Sub", "c", true);
  s.CreateKey("G\\Src\\Empty");

  s.CopyKey("G\\Src", "G\\Copy");
  auto values = s.Values("G\\Copy");
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].name, "b");
  EXPECT_EQ(values[1].name, "a");
  EXPECT_TRUE(s.RegReadBool("G\\Copy\\Sub", "c", false));
  EXPECT_EQ(s.Subkeys("G\\Copy"), (std::vector<std::string>{"Empty", "Sub"}));

  // The copy is independent of its source.
  s.RegWriteInteger("G\\Src", "a", 2);
  EXPECT_EQ(s.RegReadInteger("G\\Copy", "a", 0), 1);

  // Existing target: nothing changes, not even values missing in it.
  s.RegWriteInteger("G\\Other", "a", 50);
  s.CopyKey("G\\Src", "G\\other");
  EXPECT_EQ(s.Values("G\\Other").size(), 1u);
  EXPECT_EQ(s.RegReadInteger("G\\Other", "a", 0), 50);

  s.CopyKey("G\\Missing", "G\\New");
  EXPECT_FALSE(s.KeyExists("G\\New"));

  // Copying into its own subtree copies the tree as it was before the copy.
  s.CopyKey("G\\Src", "G\\Src\\Sub\\Again");
  EXPECT_EQ(s.RegReadInteger("G\\Src\\Sub\\Again", "a", 0), 2);
  EXPECT_TRUE(s.KeyExists("G\\Src\\Sub\\Again\\Sub"));
  EXPECT_FALSE(s.KeyExists("G\\Src\\Sub\\Again\\Sub\\Again"));
}

TEST_F(StoreTest, WriteThatCannotHappenFailsAndLeavesNothing) {
  Store s(file_);
  s.RegWriteInteger(kGal, "Rows", 2);
  s.setBusyTimeout(50);

  // Another process holds the write lock longer than this store waits.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(file_.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(MessageOf([&] { s.RegWriteInteger(kGal, "Rows", 3); }),
            "Failed to set data for 'Rows'");
  EXPECT_EQ(MessageOf([&] { s.RegWriteString(kGal + std::string("\\New"), "Text", "x"); }),
            "Failed to set data for 'Text'");
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);

  EXPECT_EQ(s.RegReadInteger(kGal, "Rows", 0), 2);
  EXPECT_FALSE(s.KeyExists(kGal + std::string("\\New")));
  s.RegWriteInteger(kGal, "Rows", 3);
  EXPECT_EQ(s.RegReadInteger(kGal, "Rows", 0), 3);
}

TEST_F(StoreTest, TwoProcessesWritingTogetherLoseNothing) {
  constexpr int kWrites = 300;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      int rc = 0;
      try {
        Store s(file_);
        for (int i = 0; i < kWrites; ++i) {
          s.RegWriteInteger(kGal, "w" + std::to_string(c) + "_" + std::to_string(i), i);
          s.RegWriteInteger(kGal + std::string("\\P") + std::to_string(c), "last", i);
          s.RegWriteString(kGal, "shared", std::to_string(c));
        }
      } catch (...) {
        rc = 1;
      }
      _exit(rc);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  Store s(file_);
  EXPECT_EQ(s.Values(kGal).size(), 2u * kWrites + 1);
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < kWrites; ++i)
      ASSERT_EQ(s.RegReadInteger(kGal, "w" + std::to_string(c) + "_" + std::to_string(i), -1), i);
    EXPECT_EQ(s.RegReadInteger(kGal + std::string("\\P") + std::to_string(c), "last", -1),
              kWrites - 1);
  }
  EXPECT_EQ(s.Subkeys(kGal), (std::vector<std::string>{"P0", "P1"}));
}

}  // namespace
}  // namespace fw
