#include "common/colours.h"
#include "common/paths.h"
#include "common/rounding.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "common/error.h"

namespace fw {
namespace {

TEST(ColorToHtml, RedLowByteGoesFirstInUpperCase) {
  EXPECT_EQ(ColorToHtml(0x563412), "#123456");
  EXPECT_EQ(ColorToHtml(0x0000FF), "#FF0000");
  EXPECT_EQ(ColorToHtml(0x800000), "#000080");
  EXPECT_EQ(ColorToHtml(0xFFFFFF), "#FFFFFF");
  EXPECT_EQ(ColorToHtml(0), "#000000");
  EXPECT_EQ(ColorToHtml(0x0B0A0C), "#0C0A0B");
}

TEST(ColorToHtml, SystemColoursResolveThroughTheInstalledResolver) {
  const std::int32_t window = static_cast<std::int32_t>(0x80000005u);
  EXPECT_EQ(ColorToHtml(window), "#FFFFFF");  // the fixed palette
  SetSystemColourResolver([](int index) { return index == 5 ? 0xABCDEFu : 0u; });
  EXPECT_EQ(ColorToHtml(window), "#ABCDEF");
  SetSystemColourResolver(nullptr);
  EXPECT_EQ(ColorToHtml(static_cast<std::int32_t>(0x800000FFu)), "#000000");  // unknown index
}

TEST(AddBackslash, AppendsOneSeparatorOnlyWhenMissing) {
  EXPECT_EQ(AddBackslash("/site"), "/site/");
  EXPECT_EQ(AddBackslash("/site/"), "/site/");
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(AddBackslash("a//b"), "a//b/");
}

TEST(FindFrom, PositionsAreOneBasedAndBounded) {
  EXPECT_EQ(FindFrom(4, "abcabc", "a"), 4);
  EXPECT_EQ(FindFrom(2, "abcabc", "a"), 4);
  EXPECT_EQ(FindFrom(1, "abcabc", "bc"), 2);
  EXPECT_EQ(FindFrom(7, "abcabc", "a"), 0);
  EXPECT_EQ(FindFrom(2, "abc", ""), 2);
  EXPECT_EQ(FindFrom(0, "abc", "a"), 0);
  EXPECT_EQ(FindFrom(1, "", ""), 0);
  EXPECT_EQ(FindFrom(1, "abc", "A"), 0);
  EXPECT_EQ(FindFrom(2, "abc", "bcd"), 0);
}

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRescanning) {
  EXPECT_EQ(ReplaceAll("a_b__c", "_", " "), "a b  c");
  EXPECT_EQ(ReplaceAll("AbA", "a", "x"), "AbA");
  EXPECT_EQ(ReplaceAll("Aba", "a", "x"), "Abx");
  EXPECT_EQ(ReplaceAll("aXa", "a", "aa"), "aaXaa");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAll("abab", "ab", ""), "");
  EXPECT_EQ(ReplaceAll("text", "", "x"), "text");
  EXPECT_EQ(ReplaceAll("a\\b\\", "\\", "/"), "a/b/");
}

TEST(RightPart, TakesTheLastCharacters) {
  EXPECT_EQ(RightPart("photo.jpg", 3), "jpg");
  EXPECT_EQ(RightPart("ab", 5), "ab");
  EXPECT_EQ(RightPart("ab", 0), "");
  EXPECT_EQ(RightPart("ab", -1), "");
}

TEST(StripExtension, CutsAtTheLastDotOfTheLastName) {
  EXPECT_EQ(StripExtension("a.b.jpg"), "a.b");
  EXPECT_EQ(StripExtension("noext"), "noext");
  EXPECT_EQ(StripExtension("photo."), "photo");
  EXPECT_EQ(StripExtension("my.holiday.gif"), "my.holiday");
  EXPECT_EQ(StripExtension("/my.site/photo"), "/my.site/photo");
  EXPECT_EQ(StripExtension("/my.site/photo.png"), "/my.site/photo");
  EXPECT_EQ(StripExtension(".hidden"), "");
}

TEST(SplitFields, FieldsStartAtOne) {
  std::vector<std::string> f;
  ASSERT_EQ(SplitFields("a.b.c", ".", f), 3);
  EXPECT_EQ(f[1], "a");
  EXPECT_EQ(f[2], "b");
  EXPECT_EQ(f[3], "c");
  ASSERT_EQ(SplitFields("photo.", ".", f), 2);
  EXPECT_EQ(f[1], "photo");
  EXPECT_EQ(f[2], "");
  ASSERT_EQ(SplitFields("whole", ".", f), 1);
  EXPECT_EQ(f[1], "whole");
  ASSERT_EQ(SplitFields("3::1::4", "::", f), 3);
  EXPECT_EQ(f[2], "1");
  EXPECT_EQ(f[3], "4");
  ASSERT_EQ(SplitFields("a..", ".", f), 3);
  EXPECT_EQ(f[2], "");
  EXPECT_EQ(f[3], "");
  f = {"kept"};
  EXPECT_EQ(SplitFields("a.b", "", f), -1);
  EXPECT_EQ(f, std::vector<std::string>{"kept"});
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(62.5L), 62);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(3.5L), 4);
  EXPECT_EQ(RoundHalfEven(-2.5L), -2);
  EXPECT_EQ(RoundHalfEven(62.50001L), 63);
  EXPECT_EQ(RoundHalfEven(0.4999L), 0);
  EXPECT_EQ(RoundHalfEven(120.0L * 480 / 640), 90);
  EXPECT_EQ(RoundHalfEven(std::nanl("")), 0);
}

TEST(CaseFolding, OnlyAsciiLettersFold) {
  EXPECT_EQ(LowerAscii("Gallery HEADER \xC4"), "gallery header \xC4");
  EXPECT_TRUE(EqualsNoCase("NavPageBackcolor", "NavPageBackColor"));
  EXPECT_FALSE(EqualsNoCase("ab", "abc"));
  EXPECT_FALSE(EqualsNoCase("\xC4", "\xE4"));
}

TEST(FileSizeOf, ZeroForMissingFilesAndFolders) {
  auto dir = std::filesystem::temp_directory_path() / ("fw-size-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream((dir / "five.bin").string(), std::ios::binary) << "12345";
  EXPECT_EQ(FileSizeOf((dir / "five.bin").string()), 5);
  EXPECT_EQ(FileSizeOf((dir / "none.bin").string()), 0);
  EXPECT_EQ(FileSizeOf((dir / "five.bin/under").string()), 0);
  EXPECT_EQ(FileSizeOf(dir.string()), 0);
  std::filesystem::remove_all(dir);
}

TEST(ThrowFileError, ReasonThenPath) {
  errno = ENOENT;
  try {
    ThrowFileError("/x/y.dat");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "No such file or directory: /x/y.dat");
  }
}

}  // namespace
}  // namespace fw
