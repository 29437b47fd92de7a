// framewright-cli end to end: the built program run as a process on a temporary store.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "cli/run_cli.h"
#include "generator/layout.h"
#include "images/jpeg_writer.h"
#include "version.h"

namespace fw::test {
namespace {

const std::string kGalleryKey = "\\Software\\Ombrix Software\\Framewright\\Galleries\\";

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1); }

  CliResult cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--store", dir.file("settings.db"), "--app-folder", dir.path()});
    return RunCli(args);
  }
  std::string get(const std::string& gallery, const std::string& value) {
    CliResult r = cli({"get", gallery, value});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
  }
  void importDump(const std::string& gallery, const std::string& lines) {
    WriteAll(dir.file("dump.cfg"), "[" + kGalleryKey + gallery + "]\r\n" + lines + "\r\n");
    CliResult r = cli({"import", dir.file("dump.cfg")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  void makePictures(const std::string& folder, int count) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < count; ++i) {
      Raster r{40 + 20 * i, 30, std::vector<std::uint8_t>(std::size_t(40 + 20 * i) * 30 * 3, 90)};
      WriteAll(folder + "/pic" + std::to_string(i) + ".jpg", EncodeJpeg(r, 80, false));
    }
  }

  TempDir dir;
};

TEST_F(CliTest, UsageErrorsExitTwoAndVersionPrintsTheFileVersion) {
  EXPECT_EQ(RunCli({}).exitCode, 2);
  CliResult unknown = RunCli({"frobnicate"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.err.find("usage:"), std::string::npos);
  EXPECT_EQ(cli({"get", "OnlyOneArgument"}).exitCode, 2);
  EXPECT_EQ(RunCli({"--version"}).out, std::string(version::kFileVersion) + "\n");
  CliResult help = RunCli({"go", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("go GALLERY"), std::string::npos);
}

TEST_F(CliTest, ImportedDumpReadsBackWithDefaultsAndBounds) {
  importDump("Holiday", "ThumbSizeint=500\r\nGalleryTitlestr=Summerqqqqfun\r\nSortedint=1\r\n");
  EXPECT_EQ(cli({"galleries"}).out, "Holiday\n");
  EXPECT_EQ(get("Holiday", "ThumbSize"), "400\n");  // bounded to the spin's range
  EXPECT_EQ(get("Holiday", "GalleryTitle"), "Summer\r\nfun\n");
  EXPECT_EQ(get("Holiday", "Sorted"), "1\n");
  EXPECT_EQ(get("Holiday", "Rows"), "2\n");  // catalogue default
  EXPECT_EQ(get("Holiday", "imagedir"), "images\n");  // names in any case
}

TEST_F(CliTest, SetStoresByKindAndRefusesBadInput) {
  ASSERT_EQ(cli({"set", "New", "ThumbSize", "150"}).exitCode, 0);  // creates the gallery
  EXPECT_EQ(get("New", "ThumbSize"), "150\n");
  ASSERT_EQ(cli({"set", "New", "UseImageShell", "0"}).exitCode, 0);
  EXPECT_EQ(get("New", "UseImageShell"), "0\n");
  ASSERT_EQ(cli({"set", "New", "NavPageBackColor", "255"}).exitCode, 0);
  EXPECT_EQ(get("New", "NavPageBackColor"), "255\n");

  CliResult notNumber = cli({"set", "New", "ThumbSize", "big"});
  EXPECT_EQ(notNumber.exitCode, 1);
  EXPECT_FALSE(notNumber.err.empty());
  EXPECT_EQ(cli({"set", "New", "NoSuchValue", "1"}).exitCode, 1);
  CliResult missing = cli({"get", "Nobody", "ThumbSize"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Nobody"), std::string::npos);
}

TEST_F(CliTest, RowsAndColumnsShowTheLayoutsLimits) {
  importDump("Grid", "Templateint=3\r\nRowsint=5\r\nColumnsint=4\r\n");
  Grid expected = ApplyLimits(3, {5, 4});
  EXPECT_EQ(get("Grid", "Rows"), std::to_string(expected.rows) + "\n");
  EXPECT_EQ(get("Grid", "Columns"), std::to_string(expected.columns) + "\n");
}

TEST_F(CliTest, TextBlocksAndExport) {
  WriteAll(dir.file("header.txt"), "Line one\nLine two\n");
  ASSERT_EQ(cli({"text", "Notes", "Gallery Header", "--set", dir.file("header.txt")}).exitCode, 0);
  EXPECT_EQ(cli({"text", "Notes", "Gallery Header"}).out, "Line one\r\nLine two\r\n");
  EXPECT_EQ(ReadAll(dir.file("Notes.dat")),
            "[Gallery Header]\r\nLine one\r\nLine two\r\n\r\n####\r\n");

  ASSERT_EQ(cli({"set", "Notes", "ThumbSize", "90"}).exitCode, 0);
  ASSERT_EQ(cli({"export", dir.file("out.cfg")}).exitCode, 0);
  ASSERT_EQ(cli({"export", dir.file("out.cfg")}).exitCode, 0);
  std::string dump = ReadAll(dir.file("out.cfg"));
  std::string line = "ThumbSizeint=90\r\n";
  std::size_t first = dump.find(line);
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(dump.find(line, first + 1), std::string::npos);  // appended, not replaced
}

// Without --app-folder the text blocks live in the user's data folder, made on first use; an
// XDG_DATA_HOME that is not absolute is ignored.
TEST_F(CliTest, TextBlocksLiveInTheUsersDataFolderByDefault) {
  WriteAll(dir.file("header.txt"), "Hello\n");
  const std::string home = getenv("HOME") ? getenv("HOME") : "";
  const std::string fallback = dir.file("home/.local/share/framewright");
  const std::vector<std::pair<std::optional<std::string>, std::string>> cases = {
      {dir.file("data"), dir.file("data/framewright")}, {std::nullopt, fallback},
      {"relative", fallback}};
  setenv("HOME", dir.file("home").c_str(), 1);
  for (const auto& [xdgDataHome, folder] : cases) {
    if (xdgDataHome)
      setenv("XDG_DATA_HOME", xdgDataHome->c_str(), 1);
    else
      unsetenv("XDG_DATA_HOME");
    CliResult r = RunCli({"--store", dir.file("settings.db"), "text", "G", "Gallery Header",
                          "--set", dir.file("header.txt")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadAll(folder + "/G.dat"), "[Gallery Header]\r\nHello\r\n\r\n####\r\n") << folder;
    std::filesystem::remove_all(folder);
  }
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", home.c_str(), 1);
}

TEST_F(CliTest, ProbeAndScale) {
  makePictures(dir.file("p"), 3);
  EXPECT_EQ(cli({"probe", dir.file("p/pic2.jpg")}).out, "80 30\n");
  std::filesystem::copy_file(dir.file("p/pic2.jpg"), dir.file("pic2.JPEG"));
  EXPECT_EQ(cli({"probe", dir.file("pic2.JPEG")}).out, "80 30\n");  // the galleries skip it
  ASSERT_EQ(cli({"scale", dir.file("p/pic2.jpg"), dir.file("small.jpg"), "40"}).exitCode, 0);
  EXPECT_EQ(cli({"probe", dir.file("small.jpg")}).out, "40 15\n");
  EXPECT_EQ(cli({"scale", dir.file("p/pic2.jpg"), dir.file("x.jpg"), "-3"}).exitCode, 2);
  ASSERT_EQ(cli({"decode", dir.file("p/pic0.jpg"), dir.file("p0.ppm")}).exitCode, 0);
  std::string ppm = ReadAll(dir.file("p0.ppm"));
  EXPECT_EQ(ppm.rfind("P6\n40 30\n255\n", 0), 0u);
  EXPECT_EQ(ppm.size(), std::string("P6\n40 30\n255\n").size() + 40 * 30 * 3);
}

TEST_F(CliTest, GoWritesTheSiteAndReportsProgress) {
  std::string site = dir.file("site");
  makePictures(site + "/images", 3);
  ASSERT_EQ(cli({"set", "Site", "BaseDir", site}).exitCode, 0);
  ASSERT_EQ(cli({"set", "Site", "Sorted", "1"}).exitCode, 0);
  EXPECT_EQ(cli({"images", "Site"}).out, "pic0.jpg\npic1.jpg\npic2.jpg\n");

  CliResult r = cli({"go", "Site"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("Creating thumbnail 1 of 3\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("Writing Index Page\n"), std::string::npos);
  EXPECT_TRUE(r.out.ends_with("Finished\n")) << r.out;
  EXPECT_TRUE(std::filesystem::exists(site + "/thumbs/Thumb-pic0.jpg"));
  EXPECT_TRUE(std::filesystem::exists(site + "/Gallery.html"));
  EXPECT_TRUE(std::filesystem::exists(site + "/pic1.html"));
  std::string index = get("Site", "IndexFile");
  index.pop_back();
  EXPECT_TRUE(std::filesystem::exists(site + "/" + index));

  CliResult again = cli({"go", "Site"});
  EXPECT_EQ(again.out.find("Creating thumbnail"), std::string::npos);  // thumbnails exist
}

TEST_F(CliTest, GoWithoutPicturesEndsWithItsMessage) {
  std::filesystem::create_directories(dir.file("empty/images"));
  ASSERT_EQ(cli({"set", "Empty", "BaseDir", dir.file("empty")}).exitCode, 0);
  CliResult r = cli({"go", "Empty"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.err.find("There are no image files in the image directory"), std::string::npos);
}

TEST_F(CliTest, GalleryNamesThatArePathsAreRefused) {
  const std::string outside = dir.path() + "/../victim.dat";
  CliResult r = cli({"set", "../victim", "BaseDir", "x"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("The gallery name \"../victim\" is not allowed."), std::string::npos);
  WriteAll(dir.file("text.txt"), "hello\r\n");
  r = cli({"text", "../victim", "Gallery Header", "--set", dir.file("text.txt")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(outside));
  WriteAll(dir.file("dump.cfg"), "[" + kGalleryKey + "Fine]\r\nRowsint=2\r\n[" + kGalleryKey +
                                     "../victim]\r\nBaseDirstr=x\r\n");
  r = cli({"import", dir.file("dump.cfg")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("(line 3: [" + kGalleryKey + "../victim])"), std::string::npos) << r.err;
  EXPECT_EQ(cli({"galleries"}).out, "");  // nothing of the file was applied
}

TEST_F(CliTest, DemoBuildsAGalleryInsideItsFolderOnly) {
  CliResult r = RunCli({"demo", dir.file("demo")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ASSERT_TRUE(r.out.ends_with("\n"));
  std::string lastLine = r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1);
  lastLine.pop_back();
  EXPECT_TRUE(std::filesystem::exists(lastLine)) << lastLine;
  EXPECT_TRUE(std::filesystem::exists(dir.file("demo/settings.db")));
  EXPECT_TRUE(std::filesystem::exists(dir.file("demo/Demo.dat")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("config")));  // the user's store untouched

  // An application folder that does not exist yet is made.
  r = RunCli({"--app-folder", dir.file("new/app"), "demo", dir.file("demo2")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(dir.file("new/app/Demo.dat")));
}

}  // namespace
}  // namespace fw::test
