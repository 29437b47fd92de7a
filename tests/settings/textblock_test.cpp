// The text-block file, checked byte for byte on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/textblock.h"

namespace fw {
namespace {

class TextBlockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string t = (std::filesystem::temp_directory_path() / "fwtb-XXXXXX").string();
    dir = mkdtemp(t.data());
    file = dir + "/Gallery.dat";
  }
  void TearDown() override {
    chmod(dir.c_str(), 0700);
    std::filesystem::remove_all(dir);
  }
  std::string contents() const {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void put(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

  std::string dir, file;
};

TEST_F(TextBlockTest, FirstWriteCreatesTheFileAndLaterSectionsAreAppended) {
  WriteSection(file, "Gallery Header", {"A", "B"});
  EXPECT_EQ(contents(), "[Gallery Header]\r\nA\r\nB\r\n\r\n####\r\n");
  WriteSection(file, "Index Footer", {"C"});
  EXPECT_EQ(contents(),
            "[Gallery Header]\r\nA\r\nB\r\n\r\n####\r\n\r\n[Index Footer]\r\nC\r\n\r\n####\r\n");
  EXPECT_EQ(ReadSection(file, "Gallery Header"), "A\r\nB\r\n");
  EXPECT_EQ(ReadSection(file, "index footer"), "C\r\n");
  EXPECT_EQ(ReadSection(file, "Missing"), "");
  EXPECT_EQ(ReadSection(dir + "/none.dat", "Gallery Header"), "");
}

TEST_F(TextBlockTest, RewritingReplacesInPlaceAndKeepsTheRest) {
  WriteSection(file, "Gallery Header", {"A", "B"});
  WriteSection(file, "Index Footer", {"C"});
  WriteSection(file, "Gallery Header", {"X"});
  EXPECT_EQ(contents(),
            "[Gallery Header]\r\nX\r\n\r\n####\r\n\r\n[Index Footer]\r\nC\r\n\r\n####\r\n");
  std::string before = contents();
  WriteSection(file, "Gallery Header", SplitLines(ReadSection(file, "Gallery Header")));
  EXPECT_EQ(contents(), before);  // repeated saves change nothing
}

TEST_F(TextBlockTest, EmptyMemoReadsBackEmpty) {
  WriteSection(file, "Header Code", {});
  EXPECT_EQ(contents(), "[Header Code]\r\n\r\n####\r\n");
  EXPECT_EQ(ReadSection(file, "Header Code"), "");
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(SplitLines("A\r\nB\r\n"), (std::vector<std::string>{"A", "B"}));
}

TEST_F(TextBlockTest, DeletingSectionsKeepsOneSeparatingLine) {
  WriteSection(file, "One", {"1"});
  WriteSection(file, "Two", {"2"});
  WriteSection(file, "Three", {"3"});
  DeleteSection(file, "two");
  EXPECT_EQ(contents(), "[One]\r\n1\r\n\r\n####\r\n\r\n[Three]\r\n3\r\n\r\n####\r\n");
  DeleteSection(file, "Three");
  EXPECT_EQ(contents(), "[One]\r\n1\r\n\r\n####\r\n\r\n");
  DeleteSection(dir + "/none.dat", "One");
  EXPECT_FALSE(std::filesystem::exists(dir + "/none.dat"));
}

TEST_F(TextBlockTest, HeadersMatchByPrefixAndTheFirstWins) {
  put("[Gallery Header] old\r\nA\r\n\r\n####\r\n\r\n[Gallery Header]\r\nB\r\n\r\n####\r\n");
  EXPECT_EQ(ReadSection(file, "Gallery Header"), "A\r\n");
  // A content line that looks like a later section's header is taken for it.
  put("[One]\r\n[Image Footer]\r\n\r\n####\r\n\r\n[Image Footer]\r\nreal\r\n\r\n####\r\n");
  EXPECT_EQ(ReadSection(file, "Image Footer"), "");
}

TEST_F(TextBlockTest, HeaderOnTheLastLineAppendsTheSection) {
  put("[Open]\r\n");
  WriteSection(file, "Open", {"x"});
  EXPECT_EQ(contents(), "[Open]\r\n\r\n[Open]\r\nx\r\n\r\n####\r\n");
}

TEST_F(TextBlockTest, AFailedRewriteLeavesTheFileIntact) {
  if (geteuid() == 0) {
    // Root ignores folder permissions: make the temporary file's name a folder instead.
    WriteSection(file, "Keep", {"safe"});
    std::string before = contents();
    std::filesystem::create_directory(dir + "/temp$$$$.$$$");
    EXPECT_ANY_THROW(WriteSection(file, "Keep", {"lost"}));
    EXPECT_ANY_THROW(DeleteSection(file, "Keep"));
    EXPECT_EQ(contents(), before);
    return;
  }
  WriteSection(file, "Keep", {"safe"});
  std::string before = contents();
  chmod(dir.c_str(), 0500);
  EXPECT_ANY_THROW(WriteSection(file, "Keep", {"lost"}));
  EXPECT_EQ(contents(), before);
}

}  // namespace
}  // namespace fw
