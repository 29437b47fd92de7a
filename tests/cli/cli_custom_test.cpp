// framewright-cli go on galleries with the custom layout and with banner banks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli/run_cli.h"
#include "images/jpeg_writer.h"

namespace fw::test {
namespace {

namespace sfs = std::filesystem;

class CliCustomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    sfs::create_directories(site + "/images");
    for (const char* name : {"first.jpg", "second.jpg", "third.jpg"}) {
      Raster r{32, 24, std::vector<std::uint8_t>(32 * 24 * 3, 120)};
      WriteAll(site + "/images/" + name, EncodeJpeg(r, 80, false));
    }
    set("BaseDir", site);
    set("Sorted", "1");
  }
  CliResult cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--store", dir.file("settings.db"), "--app-folder", dir.path()});
    return RunCli(args);
  }
  void set(const std::string& name, const std::string& value) {
    CliResult r = cli({"set", "Own", name, value});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  void section(const std::string& name, const std::string& lines) {
    WriteAll(dir.file("lines.txt"), lines);
    CliResult r = cli({"text", "Own", name, "--set", dir.file("lines.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  std::vector<std::string> pages() {
    std::vector<std::string> names;
    for (const auto& e : sfs::directory_iterator(site))
      if (e.is_regular_file()) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir;
  std::string site = dir.file("site");
};

TEST_F(CliCustomTest, GoWritesTheCustomPagesAndNoIndexPage) {
  WriteAll(dir.file("gallery.tpl"),
           "<HTML>\r\n<A HREF=\"<Image/>\"><IMG SRC=\"<Thumb/>\"></A>\r\n"
           "<A HREF=\"<Image/>\"><IMG SRC=\"<Thumb/>\"></A>\r\n</HTML>\r\n");
  WriteAll(dir.file("image.tpl"), "<IMG SRC=\"<Image/>\"> <Previous/> <Gallery/> <Next/>\r\n");
  set("Template", "13");
  set("CustomGalleryTemplate", dir.file("gallery.tpl"));
  set("CustomImageTemplate", dir.file("image.tpl"));
  set("UseCustomImageShell", "1");

  CliResult r = cli({"go", "Own"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Writing gallery page 2\n"), std::string::npos) << r.out;
  EXPECT_TRUE(r.out.ends_with("Finished\n")) << r.out;
  EXPECT_EQ(pages(), (std::vector<std::string>{"Gallery1.html", "Gallery2.html", "first.html",
                                               "second.html", "third.html"}));
  EXPECT_EQ(ReadAll(site + "/Gallery1.html"),
            "<HTML>\r\n<A HREF=\"first.html\"><IMG SRC=\"thumbs/Thumb-first.jpg\"></A>\r\n"
            "<A HREF=\"second.html\"><IMG SRC=\"thumbs/Thumb-second.jpg\"></A>\r\n</HTML>\r\n");
  EXPECT_EQ(ReadAll(site + "/Gallery2.html"),
            "<HTML>\r\n<A HREF=\"third.html\"><IMG SRC=\"thumbs/Thumb-third.jpg\"></A>\r\n"
            "<A HREF=\"<Image/>\"><IMG SRC=\"<Thumb/>\"></A>\r\n</HTML>\r\n");
  EXPECT_EQ(ReadAll(site + "/first.html"),
            "<IMG SRC=\"images/first.jpg\"> third.html Gallery1.html second.html\r\n");
  EXPECT_TRUE(sfs::exists(site + "/thumbs/Thumb-third.jpg"));
}

TEST_F(CliCustomTest, GoWritesBannerCodeForTheGallerysBanks) {
  section("Banner Banks", "Top Ads\r\n");
  section("Top Ads", "<B>Tom's</B>\r\n\r\n<I>two</I>\r\n");
  section("Gallery Header", "{Top Ads}\r\n");
  ASSERT_EQ(cli({"go", "Own"}).exitCode, 0);
  const std::string gallery = ReadAll(site + "/Gallery.html");
  EXPECT_NE(gallery.find("  Top_Ads[1] = '<B>Tom\\'s</B>';\r\n  Top_Ads[2] = '<I>two</I>';\r\n"),
            std::string::npos);
  EXPECT_NE(gallery.find("<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">"
                         "WriteTop_Ads()</script>\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace fw::test
