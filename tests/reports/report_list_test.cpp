#include "reports/report_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>

#include "common/recording_host.h"
#include "settings/store.h"
#include "support/fixtures.h"

namespace fw {
namespace {

const std::string kRoot = "Software\\Ombrix Software\\Framewright";

// An input box that plays back scripted answers and keeps what it was shown.
struct ScriptedInput {
  struct Shown {
    std::string caption, prompt, text;
    bool operator==(const Shown&) const = default;
  };
  std::deque<std::optional<std::string>> answers;
  std::vector<Shown> shown;

  AskText fn() {
    return [this](const std::string& c, const std::string& p, const std::string& t) {
      shown.push_back({c, p, t});
      auto a = answers.front();
      answers.pop_front();
      return a;
    };
  }
};

class ReportListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = std::make_unique<Store>(dir_ + "/settings.db");
  }
  std::string key(const std::string& name) const { return kRoot + "\\Reports\\" + name; }

  test::TempDir tmp_;
  std::string dir_ = tmp_.path();
  std::unique_ptr<Store> store_;
  RecordingHost host_;
  ScriptedInput input_;
};

TEST_F(ReportListTest, AnEmptyStoreOffersReportOneWithoutCreatingIt) {
  ReportList list(*store_, kRoot);
  EXPECT_EQ(list.names(), std::vector<std::string>{"Report 1"});
  list.select(0);
  const ReportDefinition r = list.current();
  EXPECT_EQ(r.reportFile, "");
  EXPECT_FALSE(r.includeIndexPage);
  EXPECT_TRUE(r.includeGalleryPages);
  EXPECT_FALSE(store_->KeyExists(key("Report 1")));
  list.storeText(kReportTemplate, "{URL}");
  EXPECT_EQ(store_->RegReadString(key("Report 1"), kReportTemplate, ""), "{URL}");
}

TEST_F(ReportListTest, AddAsksAgainForEmptyAndExistingNamesAndAppends) {
  store_->CreateKey(key("Links"));
  ReportList list(*store_, kRoot);
  input_.answers = {"", "LINKS", "  "};
  ASSERT_TRUE(list.add(input_.fn()));
  using S = ScriptedInput::Shown;
  EXPECT_EQ(input_.shown,
            (std::vector<S>{
                {"New Report", "Report name", ""},
                {"New Report", "Please enter a name for Report", ""},
                {"New Report", "The name already exists. Please select a new one.", "LINKS"},
            }));
  // A name of blanks is accepted; the list keeps insertion order.
  EXPECT_EQ(list.names(), (std::vector<std::string>{"Links", "  "}));
  EXPECT_EQ(list.selected(), 1);
  EXPECT_TRUE(store_->KeyExists(key("  ")));

  input_.answers = {std::nullopt};
  EXPECT_FALSE(list.add(input_.fn()));
  EXPECT_EQ(list.names().size(), 2u);
}

TEST_F(ReportListTest, DeleteConfirmsRemovesTheTreeAndLeavesNoneSelected) {
  store_->RegWriteString(key("A"), kReportFile, "a");
  store_->RegWriteString(key("A") + "\\Below", "x", "y");
  store_->RegWriteString(key("B"), kReportFile, "b");
  ReportList list(*store_, kRoot);
  list.select(0);

  host_.answers = {false};
  EXPECT_FALSE(list.remove(host_));
  EXPECT_TRUE(store_->KeyExists(key("A")));

  host_.answers = {true};
  EXPECT_TRUE(list.remove(host_));
  EXPECT_FALSE(store_->KeyExists(key("A")));
  EXPECT_FALSE(store_->KeyExists(key("A") + "\\Below"));
  EXPECT_EQ(list.names(), std::vector<std::string>{"B"});
  EXPECT_EQ(list.selected(), -1);
  ASSERT_EQ(host_.calls.size(), 2u);
  EXPECT_EQ(host_.calls[1].text, "Are you sure you want to delete the selected report?");
  EXPECT_EQ(host_.calls[1].title, "Delete Report");

  // With none selected: a second delete asks nothing, and edits change no report.
  EXPECT_FALSE(list.remove(host_));
  EXPECT_EQ(host_.calls.size(), 2u);
  list.storeText(kReportFile, "edited");
  list.storeFlag(kIncludeIndexPage, true);
  EXPECT_EQ(store_->RegReadString(key("B"), kReportFile, ""), "b");
  EXPECT_FALSE(store_->ValueExists(key("B"), kIncludeIndexPage));
  EXPECT_EQ(list.current().reportFile, "");
}

TEST_F(ReportListTest, DuplicateProposesNameCopiesValuesAndSelectsTheCopy) {
  store_->RegWriteString(key("Links"), kReportHeader, "<ul>\r\n");
  store_->RegWriteBool(key("Links"), kIncludeIndexPage, true);
  ReportList list(*store_, kRoot);
  list.select(0);
  input_.answers = {"links", "Links-1"};
  ASSERT_TRUE(list.duplicate(input_.fn()));
  ASSERT_EQ(input_.shown.size(), 2u);
  EXPECT_EQ(input_.shown[0].caption, "Duplicate Report");
  EXPECT_EQ(input_.shown[0].prompt, "Please enter a name for the duplicate Report");
  EXPECT_EQ(input_.shown[0].text, "Links-1");
  EXPECT_EQ(input_.shown[1].prompt, "The name already exists. Please select a new one.");
  EXPECT_EQ(list.selectedName(), "Links-1");
  const ReportDefinition copy = list.current();
  EXPECT_EQ(copy.header, "<ul>\r\n");
  EXPECT_TRUE(copy.includeIndexPage);

  // The copy is independent of its source.
  list.storeText(kReportHeader, "changed");
  EXPECT_EQ(store_->RegReadString(key("Links"), kReportHeader, ""), "<ul>\r\n");
}

TEST_F(ReportListTest, DuplicateOfAReportWithoutKeyCopiesNothing) {
  ReportList list(*store_, kRoot);
  list.select(0);
  input_.answers = {"Second"};
  ASSERT_TRUE(list.duplicate(input_.fn()));
  EXPECT_EQ(list.names(), (std::vector<std::string>{"Report 1", "Second"}));
  EXPECT_FALSE(store_->KeyExists(key("Second")));

  list.select(-1);
  EXPECT_FALSE(list.duplicate(input_.fn()));
}

}  // namespace
}  // namespace fw
