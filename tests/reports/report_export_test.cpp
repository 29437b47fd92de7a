#include "reports/report_export.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/error.h"
#include "common/recording_host.h"
#include "settings/store.h"
#include "support/fixtures.h"

namespace fw {
namespace {

const std::string kRoot = "Software\\Ombrix Software\\Framewright";

class ReportExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = std::make_unique<Store>(dir_ + "/settings.db");
    report_.reportFile = dir_ + "/report.txt";
  }

  // A gallery whose site folder is dir_/<name> with `pictures` JPEG files in "images".
  void gallery(const std::string& name, int pictures) {
    const std::string key = kRoot + "\\Galleries\\" + name;
    const std::string site = dir_ + "/" + name;
    store_->RegWriteString(key, "BaseDir", site);
    store_->RegWriteString(key, "BaseUrl", "http://example.org/" + name + "/");
    std::filesystem::create_directories(site + "/images");
    for (int i = 0; i < pictures; ++i) touch(site + "/images/p" + std::to_string(i) + ".jpg");
  }
  void set(const std::string& name, const std::string& value, const std::string& text) {
    store_->RegWriteString(kRoot + "\\Galleries\\" + name, value, text);
  }
  void setInt(const std::string& name, const std::string& value, int v) {
    store_->RegWriteInteger(kRoot + "\\Galleries\\" + name, value, v);
  }
  static void touch(const std::string& path) { std::ofstream(path, std::ios::binary) << "x"; }
  static std::string read(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  bool run(const std::vector<std::string>& galleries, bool isThumbPrefix = true) {
    return ExportReport(host_, *store_, kRoot, galleries, report_, isThumbPrefix);
  }

  test::TempDir tmp_;
  std::string dir_ = tmp_.path();
  std::unique_ptr<Store> store_;
  ReportDefinition report_;
  RecordingHost host_;
};

TEST_F(ReportExportTest, TwentyFivePicturesMakeThreePageRows) {
  gallery("Trip", 25);
  report_.templateText = "{LocalFile}|{URL}|{Gallery}|{Title}|{Pics}";
  ASSERT_TRUE(run({"Trip"}));
  const std::string site = dir_ + "/Trip/";
  const std::string url = "http://example.org/Trip/";
  EXPECT_EQ(read(report_.reportFile),
            site + "Gallery1.html|" + url + "Gallery1.html|Trip|Picture Gallery|10\r\n" + site +
                "Gallery2.html|" + url + "Gallery2.html|Trip|Picture Gallery|10\r\n" + site +
                "Gallery3.html|" + url + "Gallery3.html|Trip|Picture Gallery|5\r\n");
}

TEST_F(ReportExportTest, TenPicturesMakeOneUnnumberedPage) {
  gallery("Trip", 10);
  report_.templateText = "{LocalFile} {Pics}";
  ASSERT_TRUE(run({"Trip"}));
  EXPECT_EQ(read(report_.reportFile), dir_ + "/Trip/Gallery.html 10\r\n");
}

TEST_F(ReportExportTest, IndexRowComesFirstAndGalleriesFollowListOrder) {
  gallery("Zoo", 3);
  gallery("Alps", 12);
  set("Alps", "IndexTitle", "Alps index");
  report_.includeIndexPage = true;
  report_.header = "top\r\n";
  report_.footer = "end";
  report_.templateText = "{Gallery} {LocalFile} {URL} {Title} {Pics}";
  ASSERT_TRUE(run({"Zoo", "Alps"}));
  const std::string zoo = dir_ + "/Zoo/", alps = dir_ + "/Alps/";
  const std::string zooUrl = "http://example.org/Zoo/", alpsUrl = "http://example.org/Alps/";
  EXPECT_EQ(read(report_.reportFile),
            "top\r\n"
            "Zoo " +
                zoo + "index.html " + zooUrl +
                "index.html Picture Gallery Index 3\r\n"
                "Zoo " +
                zoo + "Gallery.html " + zooUrl +
                "Gallery.html Picture Gallery 3\r\n"
                "Alps " +
                alps + "index.html " + alpsUrl +
                "index.html Alps index 12\r\n"
                "Alps " +
                alps + "Gallery1.html " + alpsUrl +
                "Gallery1.html Picture Gallery 10\r\n"
                "Alps " +
                alps + "Gallery2.html " + alpsUrl +
                "Gallery2.html Picture Gallery 2\r\n"
                "end\r\n");
  EXPECT_EQ(host_.texts("status"),
            (std::vector<std::string>{"Exporting - gallery 1 of 2", "Exporting - gallery 2 of 2"}));
  EXPECT_EQ(host_.eventsProcessed, 2);
  EXPECT_EQ(host_.texts("beep").size(), 1u);
}

TEST_F(ReportExportTest, VariablesAreReplacedInOrderAndOnlyInTheirOwnCase) {
  gallery("Trip", 4);
  set("Trip", "GalleryTitle", "Trip of {Pics} pictures");
  set("Trip", "DocExtension", "htm");
  set("Trip", "GalleryPrefix", "Page");
  report_.templateText = "{Title} {url} {URL} {LocalFile}";
  ASSERT_TRUE(run({"Trip"}));
  EXPECT_EQ(read(report_.reportFile), "Trip of 4 pictures {url} http://example.org/Trip/Page.htm " +
                                          dir_ + "/Trip/Page.htm\r\n");
}

TEST_F(ReportExportTest, TemplateOfSeveralLinesKeepsItsLineBreaks) {
  gallery("Trip", 1);
  report_.templateText = "<li>\r\n{Gallery}\r\n</li>";
  ASSERT_TRUE(run({"Trip"}));
  EXPECT_EQ(read(report_.reportFile), "<li>\r\nTrip\r\n</li>\r\n");
}

TEST_F(ReportExportTest, LayoutDecidesPagesAndCustomOrBadLayoutsGiveNone) {
  gallery("Frame", 30);
  setInt("Frame", "Template", 2);  // 4 x 5 frame holds 14
  setInt("Frame", "Rows", 4);
  gallery("Custom", 30);
  setInt("Custom", "Template", 13);
  gallery("Odd", 30);
  setInt("Odd", "Template", 14);
  gallery("Empty", 30);
  setInt("Empty", "Template", 10);  // one row of template 10 leaves no room
  setInt("Empty", "Rows", 1);
  report_.templateText = "{Gallery} {Pics}";
  ASSERT_TRUE(run({"Frame", "Custom", "Odd", "Empty"}));
  EXPECT_EQ(read(report_.reportFile), "Frame 14\r\nFrame 14\r\nFrame 2\r\n");
  EXPECT_TRUE(host_.texts("message").empty());
}

TEST_F(ReportExportTest, MissingFoldersCountZeroAndGiveOnlyTheIndexRow) {
  store_->RegWriteString(kRoot + "\\Galleries\\Gone", "BaseDir", dir_ + "/nowhere");
  report_.includeIndexPage = true;
  report_.templateText = "{Gallery} {Pics} {LocalFile}";
  ASSERT_TRUE(run({"Gone", "Unstored"}));
  // A gallery without any stored value has an empty site folder.
  EXPECT_EQ(read(report_.reportFile),
            "Gone 0 " + dir_ + "/nowhere/index.html\r\nUnstored 0 index.html\r\n");
}

TEST_F(ReportExportTest, HeaderAndFooterAloneAreWritten) {
  gallery("Trip", 5);
  report_.includeGalleryPages = false;
  report_.header = "a\r\n\r\nb";
  report_.footer = "z\r\n";
  ASSERT_TRUE(run({"Trip"}));
  EXPECT_EQ(read(report_.reportFile), "a\r\n\r\nb\r\nz\r\n");
}

TEST_F(ReportExportTest, NothingToWriteKeepsTheOldFileAndStillBeeps) {
  gallery("Trip", 5);
  std::ofstream(report_.reportFile, std::ios::binary) << "old report";
  report_.includeGalleryPages = false;
  EXPECT_FALSE(run({"Trip"}));
  EXPECT_EQ(read(report_.reportFile), "old report");
  EXPECT_EQ(host_.texts("beep").size(), 1u);
}

TEST_F(ReportExportTest, FileThatCannotBeCreatedRaisesWithoutBeepOrGalleryCount) {
  gallery("Trip", 5);
  report_.header = "line";
  for (const std::string& file :
       std::vector<std::string>{"", dir_ + "/no/such/folder/r.txt", dir_}) {
    report_.reportFile = file;
    host_.calls.clear();
    try {
      run({"Trip"});
      ADD_FAILURE() << "no error for " << file;
    } catch (const Error& e) {
      // An empty name is told as such, not as the platform's error on an empty path.
      if (file.empty()) EXPECT_STREQ(e.what(), kNoReportFileMessage);
    }
    EXPECT_EQ(host_.texts("status"),
              (std::vector<std::string>{"Exporting - gallery 1 of 1", ""})) << file;
  }
  EXPECT_TRUE(host_.texts("beep").empty());
}

TEST_F(ReportExportTest, ExportOfAStoredReportUsesEveryGalleryOfTheStore) {
  gallery("b", 1);
  gallery("A", 2);
  const std::string key = kRoot + "\\Reports\\Links";
  store_->RegWriteString(key, "ReportFile", report_.reportFile);
  store_->RegWriteString(key, "ReportTemplate", "{Gallery}={Pics}");
  ASSERT_TRUE(ExportStoredReport(host_, *store_, kRoot, "Links", true));
  EXPECT_EQ(read(report_.reportFile), "A=2\r\nb=1\r\n");
}

TEST(CountPicturesTest, CountsEveryKindButThumbnailsAndOtherExtensions) {
  const test::TempDir tmp;
  const std::string& dir = tmp.path();
  for (const char* name : {"a.bmp", "b.GIF", "c.png", "Thumb-c.png", "d.jpg", "E.JPG",
                           "Thumb-d.jpg", "thumb-e.jpg", "xThumb-.jpg", "f.jpeg", "g.txt"})
    std::ofstream(dir + "/" + name) << "x";
  // Prefix mode: any name containing the text is a thumbnail; other kinds always count.
  EXPECT_EQ(CountPictures(dir, "Thumb-", true), 4 + 3);
  // Suffix mode: only xThumb-.jpg ends with the text + ".jpg".
  EXPECT_EQ(CountPictures(dir, "Thumb-", false), 4 + 4);
  // An empty suffix takes every name ending in lower-case ".jpg" for a thumbnail.
  EXPECT_EQ(CountPictures(dir, "", false), 4 + 1);
  EXPECT_EQ(CountPictures(dir + "/missing", "Thumb-", true), 0);
  EXPECT_EQ(CountPictures("", "Thumb-", true), 0);
}

}  // namespace
}  // namespace fw
