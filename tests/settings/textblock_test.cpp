#include "settings/textblock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "common/error.h"
#include "common/fs.h"

namespace fw {
namespace {

class TextBlockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("fw-textblock-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    file_ = (dir_ / "My gallery.dat").string();
  }
  void TearDown() override {
    fs::SetFaultHookForTesting(nullptr);
    std::filesystem::remove_all(dir_);
  }
  std::string contents() const { return fs::ReadFile(file_); }
  bool tempLeft() const {
    for (const auto& e : std::filesystem::directory_iterator(dir_))
      if (e.path().filename() != std::filesystem::path(file_).filename()) return true;
    return false;
  }
  std::filesystem::path dir_;
  std::string file_;
};

TEST_F(TextBlockTest, FirstSectionCreatesFileThenSectionsAppendAndReplaceInPlace) {
  WriteSection(file_, "Gallery Header", {"A", "B"});
  EXPECT_EQ(contents(), "[Gallery Header]\r\nA\r\nB\r\n\r\n####\r\n");
  WriteSection(file_, "Index Footer", {"C"});
  const std::string second = "\r\n[Index Footer]\r\nC\r\n\r\n####\r\n";
  EXPECT_EQ(contents(), "[Gallery Header]\r\nA\r\nB\r\n\r\n####\r\n" + second);
  WriteSection(file_, "gallery header", {"X", "", "Y", "Z"});
  EXPECT_EQ(contents(), "[Gallery Header]\r\nX\r\n\r\nY\r\nZ\r\n\r\n####\r\n" + second);
  EXPECT_FALSE(tempLeft());
}

TEST_F(TextBlockTest, ReadsBackWhatWasWrittenAndRepeatedSavesChangeNothing) {
  EXPECT_EQ(ReadSection(file_, "Gallery Header"), "");  // no file
  WriteSection(file_, "Gallery Header", {"A", "B"});
  WriteSection(file_, "Image Footer", {"only"});
  WriteSection(file_, "Index Header", {});
  EXPECT_EQ(ReadSection(file_, "GALLERY HEADER"), "A\r\nB\r\n");
  EXPECT_EQ(ReadSection(file_, "Image Footer"), "only\r\n");
  EXPECT_EQ(ReadSection(file_, "Index Header"), "");
  EXPECT_EQ(ReadSection(file_, "Missing"), "");
  EXPECT_NE(contents().find("[Index Header]\r\n\r\n####\r\n"), std::string::npos);

  std::string before = contents();
  for (const char* name : {"Gallery Header", "Image Footer", "Index Header"})
    WriteSection(file_, name, SplitLines(ReadSection(file_, name)));
  EXPECT_EQ(contents(), before);
}

TEST_F(TextBlockTest, ContentThatLooksLikeStructureStaysInItsSection) {
  // A content line that looks like another section's header is content.
  WriteSection(file_, "Gallery Header", {"[Image Header] not really", "[image footer]"});
  WriteSection(file_, "Image Header", {"real"});
  WriteSection(file_, "Image Footer", {"foot"});
  EXPECT_EQ(ReadSection(file_, "Gallery Header"),
            "[Image Header] not really\r\n[image footer]\r\n");
  EXPECT_EQ(ReadSection(file_, "Image Header"), "real\r\n");
  WriteSection(file_, "Image Header", {"again"});
  EXPECT_EQ(
      contents(),
      "[Gallery Header]\r\n[Image Header] not really\r\n[image footer]\r\n\r\n####\r\n"
      "\r\n[Image Header]\r\nagain\r\n\r\n####\r\n\r\n[Image Footer]\r\nfoot\r\n\r\n####\r\n");
  DeleteSection(file_, "Image Footer");
  EXPECT_EQ(ReadSection(file_, "Gallery Header"),
            "[Image Header] not really\r\n[image footer]\r\n");

  // A line of the terminator is kept with a blank after it, so it cannot end the section.
  WriteSection(file_, "S", {"a", "####", "b"});
  EXPECT_EQ(ReadSection(file_, "S"), "a\r\n#### \r\nb\r\n");
  WriteSection(file_, "S", SplitLines(ReadSection(file_, "S")));
  EXPECT_EQ(ReadSection(file_, "S"), "a\r\n#### \r\nb\r\n");

  // A section a damaged file leaves open is closed before a new one is appended.
  fs::ReplaceAtomically(file_, "[A]\r\nx");
  WriteSection(file_, "B", {"y"});
  EXPECT_EQ(contents(), "[A]\r\nx\r\n####\r\n\r\n[B]\r\ny\r\n\r\n####\r\n");
  EXPECT_EQ(ReadSection(file_, "B"), "y\r\n");
}

TEST_F(TextBlockTest, HeaderMatchesByPrefixAndTheFirstOneWins) {
  // Trailing text after the bracket does not matter; the first of two headers wins.
  fs::ReplaceAtomically(file_, "[S] old\r\n1\r\n\r\n####\r\n\r\n[S]\r\n2\r\n\r\n####\r\n");
  EXPECT_EQ(ReadSection(file_, "s"), "1\r\n");
  WriteSection(file_, "S", {"3"});
  EXPECT_EQ(contents(), "[S] old\r\n3\r\n\r\n####\r\n\r\n[S]\r\n2\r\n\r\n####\r\n");
}

TEST_F(TextBlockTest, HeaderOnTheLastLineMakesTheSectionAppendAfterTheFileAsItIs) {
  fs::ReplaceAtomically(file_, "[A]\r\nx\r\n\r\n####\r\n[B]");
  WriteSection(file_, "B", {"y"});
  EXPECT_EQ(contents(), "[A]\r\nx\r\n\r\n####\r\n[B]\r\n[B]\r\ny\r\n\r\n####\r\n");
}

TEST_F(TextBlockTest, DeletingKeepsOneSeparatorAndLeavesOtherSectionsByteForByte) {
  WriteSection(file_, "One", {"1"});
  WriteSection(file_, "Two", {"2"});
  WriteSection(file_, "Three", {"3"});
  DeleteSection(file_, "two");
  EXPECT_EQ(contents(), "[One]\r\n1\r\n\r\n####\r\n\r\n[Three]\r\n3\r\n\r\n####\r\n");
  DeleteSection(file_, "Three");
  EXPECT_EQ(contents(), "[One]\r\n1\r\n\r\n####\r\n\r\n");
  std::string before = contents();
  DeleteSection(file_, "Nowhere");
  EXPECT_EQ(contents(), before);
  DeleteSection((dir_ / "absent.dat").string(), "One");
  EXPECT_FALSE(fs::Exists((dir_ / "absent.dat").string()));
}

TEST_F(TextBlockTest, FailureAtAnyStepOfARewriteLeavesTheOldFile) {
  WriteSection(file_, "Gallery Header", {"A"});
  WriteSection(file_, "Index Footer", {"C"});
  const std::string before = contents();
  for (const char* step : {"open", "write", "sync", "rename"}) {
    SCOPED_TRACE(step);
    std::string failing = step;
    fs::SetFaultHookForTesting([failing](const char* s) { return failing == s; });
    EXPECT_THROW(WriteSection(file_, "Gallery Header", {"changed"}), Error);
    EXPECT_THROW(WriteSection(file_, "New Section", {"added"}), Error);
    EXPECT_THROW(DeleteSection(file_, "Gallery Header"), Error);
    fs::SetFaultHookForTesting(nullptr);
    EXPECT_EQ(contents(), before);
    EXPECT_FALSE(tempLeft());
  }
  // A failed first write leaves no half file behind.
  std::string fresh = (dir_ / "fresh.dat").string();
  fs::SetFaultHookForTesting([](const char* s) { return std::string(s) == "sync"; });
  EXPECT_THROW(WriteSection(fresh, "S", {"x"}), Error);
  fs::SetFaultHookForTesting(nullptr);
  EXPECT_FALSE(fs::Exists(fresh));
}

TEST_F(TextBlockTest, WritersAtTheSameTimeLoseNothing) {
  // Two galleries written at once, and two sections of one gallery written at once.
  const std::string other = (dir_ / "Other.dat").string();
  auto loop = [](const std::string& file, const std::string& section, const std::string& text) {
    for (int i = 0; i < 80; ++i) WriteSection(file, section, {text + std::to_string(i)});
  };
  std::thread a(loop, file_, "Gallery Header", "mine ");
  std::thread b(loop, other, "Gallery Header", "other ");
  std::thread c(loop, file_, "Index Footer", "foot ");
  a.join(), b.join(), c.join();
  EXPECT_EQ(ReadSection(file_, "Gallery Header"), "mine 79\r\n");
  EXPECT_EQ(ReadSection(file_, "Index Footer"), "foot 79\r\n");
  EXPECT_EQ(ReadSection(other, "Gallery Header"), "other 79\r\n");
}

TEST(SplitLinesTest, TrailingBreakAddsNoLine) {
  EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
  EXPECT_EQ(SplitLines("A\r\nB\r\n"), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(SplitLines("A\r\n\r\n"), (std::vector<std::string>{"A", ""}));
  EXPECT_EQ(SplitLines("A\nB"), (std::vector<std::string>{"A", "B"}));
}

}  // namespace
}  // namespace fw
