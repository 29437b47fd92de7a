#include "generator/banners_commands.h"

#include <gtest/gtest.h>

#include <deque>

#include "common/recording_host.h"
#include "fakes.h"
#include "settings/textblock.h"

namespace fw {
namespace {

using testing::FakeGallery;
using testing::ReadAll;

// An input box that answers from a script and keeps every prompt it was shown.
struct ScriptedPrompt {
  struct Shown {
    std::string caption, prompt, answer;
  };
  std::deque<std::optional<std::string>> replies;
  std::vector<Shown> shown;

  NamePrompt fn() {
    return
        [this](const std::string& caption, const std::string& prompt, const std::string& answer) {
          shown.push_back({caption, prompt, answer});
          std::optional<std::string> r = replies.front();
          replies.pop_front();
          return r;
        };
  }
};

class BankCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base = testing::TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    file = base + "/Test.dat";
  }
  bool add(const std::string& name) {
    ScriptedPrompt p;
    p.replies = {name};
    return AddBank(list, file, p.fn());
  }

  std::string base, file;
  BankList list;
};

TEST_F(BankCommandsTest, AddAsksAgainForEmptyAndDuplicateNamesAndKeepsTheList) {
  ASSERT_TRUE(add("Top Ads"));
  list.text = "typed";
  ScriptedPrompt p;
  p.replies = {"", "top ads", "Banner", std::nullopt};
  ASSERT_TRUE(AddBank(list, file, p.fn()));
  ASSERT_EQ(p.shown.size(), 3u);
  EXPECT_EQ(p.shown[0].caption, "New Banner Bank");
  EXPECT_EQ(p.shown[0].prompt, "Add Banner Bank");
  EXPECT_EQ(p.shown[1].prompt, "Please enter a name for banner bank.");
  EXPECT_EQ(p.shown[2].prompt, "The name already exists. Please select a new one.");
  EXPECT_EQ(p.shown[2].answer, "top ads");  // the box keeps the last answer
  EXPECT_EQ(list.banks, (std::vector<std::string>{"Banner", "Top Ads"}));
  EXPECT_EQ(list.selected, 0);
  EXPECT_TRUE(list.textEnabled);
  EXPECT_EQ(list.text, "");
  EXPECT_EQ(ReadAll(file), "[Banner Banks]\r\nBanner\r\nTop Ads\r\n\r\n####\r\n");

  ScriptedPrompt refused;
  refused.replies = {"banner", std::nullopt};
  EXPECT_FALSE(AddBank(list, file, refused.fn()));
  EXPECT_EQ(refused.shown.back().prompt, "The name already exists. Please select a new one.");
  EXPECT_EQ(list.banks.size(), 2u);
  EXPECT_EQ(ReadAll(file), "[Banner Banks]\r\nBanner\r\nTop Ads\r\n\r\n####\r\n");
}

TEST_F(BankCommandsTest, TextIsStoredOnLeaveUnlessBlankAndShownOnSelection) {
  ASSERT_TRUE(add("b"));
  ASSERT_TRUE(add("a"));  // sorted in front and selected
  EXPECT_EQ(list.selected, 0);
  list.text = "<A>one</A>\r\n\r\ntwo";
  LeaveBankText(list, file);
  EXPECT_EQ(ReadSection(file, "a"), "<A>one</A>\r\n\r\ntwo\r\n");
  list.text = " \r\n  \r\n";
  LeaveBankText(list, file);  // a blank box keeps the earlier text
  EXPECT_EQ(ReadSection(file, "a"), "<A>one</A>\r\n\r\ntwo\r\n");

  SelectBank(list, 1, file);
  EXPECT_EQ(list.text, "");
  EXPECT_TRUE(list.textEnabled);
  SelectBank(list, 0, file);
  EXPECT_EQ(list.text, "<A>one</A>\r\n\r\ntwo\r\n");
}

TEST_F(BankCommandsTest, DeleteRemovesTheSectionAndSelectsTheFirstBank) {
  WriteSection(file, "Gallery Header", {"head"});
  for (const char* b : {"c", "b", "a"}) ASSERT_TRUE(add(b));
  WriteSection(file, "b", {"bee"});
  WriteSection(file, "c", {"sea"});
  SelectBank(list, 1, file);
  DeleteBank(list, file);
  EXPECT_EQ(list.banks, (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(ReadSection(file, "b"), "");
  EXPECT_EQ(ReadSection(file, "c"), "sea\r\n");
  EXPECT_EQ(ReadSection(file, "Gallery Header"), "head\r\n");
  EXPECT_EQ(ReadSection(file, "Banner Banks"), "a\r\nc\r\n");

  DeleteBank(list, file);
  DeleteBank(list, file);
  EXPECT_TRUE(list.banks.empty());
  EXPECT_EQ(list.selected, -1);
  EXPECT_FALSE(list.textEnabled);
  const std::string before = ReadAll(file);
  DeleteBank(list, file);  // nothing selected: nothing removed
  EXPECT_EQ(ReadAll(file), before);
}

TEST_F(BankCommandsTest, LoadSelectsTheFirstBankAndSharesFixedSections) {
  EXPECT_FALSE(LoadBankList(file).textEnabled);  // no file yet
  WriteSection(file, "Index Header", {"<H1>Welcome</H1>"});
  WriteSection(file, "Banner Banks", {"zed", "index header"});
  BankList loaded = LoadBankList(file);
  EXPECT_EQ(loaded.banks, (std::vector<std::string>{"index header", "zed"}));
  EXPECT_EQ(loaded.selected, 0);
  EXPECT_EQ(loaded.text, "<H1>Welcome</H1>\r\n");
}

TEST_F(BankCommandsTest, GenerateCodeWritesTheSelectedBanksScriptAndBeeps) {
  FakeGallery g;
  g.set("BaseDir", base).set("ScriptExt", "js");
  g.setSection("Top Ads", "it's\r\n");
  RecordingHost host;
  GenerateBankCode(list, g, host);  // no bank selected
  EXPECT_TRUE(host.calls.empty());

  list.banks = {"Top Ads"};
  list.selected = 0;
  GenerateBankCode(list, g, host);
  EXPECT_EQ(host.texts("beep").size(), 1u);
  EXPECT_EQ(ReadAll(base + "/Top_Ads.js"),
            "Banner = new Array();\r\nBanner[1] = 'it\\'s';\r\n"
            "var i = Math.round(Math.random() * 1 + 0.5);\r\ndocument.write(Banner[i]);\r\n");
}

}  // namespace
}  // namespace fw
