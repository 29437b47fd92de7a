// "Rename images" on generated image folders.
#include "images/rename_run.h"

#include <gtest/gtest.h>

#include "common/recording_host.h"
#include "images/run_fixture.h"

namespace fw::testing {
namespace {

class RenameRunTest : public ::testing::Test {
 protected:
  RenameRunTest() : g(dir.file("site")) { std::filesystem::create_directories(folder()); }
  std::string folder() const { return g.imageFolder(); }
  // Each picture file holds its own name, so a test can tell where it went.
  void make(const std::vector<std::string>& names) {
    for (const std::string& n : names) WriteBytes(folder() + n, "was " + n);
    g.list = names;  // the list in this (manual) order
  }

  ScratchDir dir;
  FolderGallery g;
  RecordingHost host;
};

TEST_F(RenameRunTest, SequentialNumbersArePaddedToTheCountsDigitsInListOrder) {
  std::vector<std::string> names;
  for (int i = 12; i >= 1; --i)
    names.push_back("p" + std::to_string(i) + (i % 3 ? ".jpg" : ".PNG"));
  make(names);
  EXPECT_TRUE(RunRenameImages(g, host, "holiday", true));
  for (int i = 1; i <= 12; ++i) {
    const std::string& old = names[std::size_t(i - 1)];
    const std::string now = "holiday" + PadNumber(i, 2) + old.substr(old.size() - 4);
    EXPECT_EQ(fs::ReadFile(folder() + now), "was " + old);
  }
  EXPECT_EQ(Snapshot(folder()).size(), 12u);
  EXPECT_EQ(g.reloads, 1);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(SequentialNames("", 9).back(), "9");
  EXPECT_EQ(SequentialNames("x", 120).front(), "x001");
}

TEST_F(RenameRunTest, PicturesAlreadyCarryingTheirNamesStayAsTheyAre) {
  make({"image1.jpg", "image2.jpg", "image3.jpg"});
  const auto before = Snapshot(folder());
  RunRenameImages(g, host, "image", true);
  EXPECT_EQ(Snapshot(folder()), before);
}

TEST_F(RenameRunTest, NonSequentialNumbersAreDistinctAscendingAndWithinTenTimesTheCount) {
  for (int round = 0; round < 20; ++round) {
    const std::vector<std::string> names = RandomNames("", 5);
    ASSERT_EQ(names.size(), 5u);
    for (std::size_t i = 0; i < names.size(); ++i) {
      EXPECT_EQ(names[i].size(), 2u);
      EXPECT_LT(std::stoi(names[i]), 50);
      if (i > 0) {
        EXPECT_LT(names[i - 1], names[i]);
      }
    }
  }
  make({"e.jpg", "d.jpg", "c.gif", "b.jpg", "a.png"});
  RunRenameImages(g, host, "r", false);
  ASSERT_EQ(g.list.size(), 5u);
  SortImageNames(g.list);
  // Sorted by name, the pictures come back in their old list order.
  const std::vector<std::string> old = {"e.jpg", "d.jpg", "c.gif", "b.jpg", "a.png"};
  for (std::size_t i = 0; i < old.size(); ++i)
    EXPECT_EQ(fs::ReadFile(folder() + g.list[i]), "was " + old[i]);
}

TEST_F(RenameRunTest, EmptyListSaysNothingToDoAndStillReloads) {
  EXPECT_FALSE(RunRenameImages(g, host, "image", true));
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{kNothingToDoMessage});
  EXPECT_EQ(g.reloads, 1);
}

}  // namespace
}  // namespace fw::testing
