// framewright-cli go over a phone picture stored on its side: the pages carry the size the
// browser shows, and the thumbnail stands upright.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "cli/run_cli.h"
#include "images/exif_jpeg.h"
#include "images/jpeg_reader.h"

namespace fw::test {
namespace {

TEST(CliExif, GoGivesAPortraitPhotoAPortraitImagePageAndThumbnail) {
  TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
  auto cli = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--store", dir.file("settings.db"), "--app-folder", dir.path()});
    return RunCli(args);
  };
  // Landscape pixels, as the sensor stored them, to be shown turned a quarter clockwise.
  const std::string site = dir.file("site");
  std::filesystem::create_directories(site + "/images");
  WriteAll(site + "/images/phone.jpg",
           testing::JpegWithApp1(testing::QuarterRaster(96, 64), {testing::OrientationPayload(6)}));
  ASSERT_EQ(cli({"set", "Phone", "BaseDir", site}).exitCode, 0);

  CliResult r = cli({"go", "Phone"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");

  const std::string page = ReadAll(site + "/phone.html");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(page, m, std::regex("height=\"(\\d+)\" width=\"(\\d+)\""))) << page;
  EXPECT_EQ(m[1].str(), "96");
  EXPECT_EQ(m[2].str(), "64");
  EXPECT_GT(std::stoi(m[1].str()), std::stoi(m[2].str()));

  const Raster thumb = DecodeJpeg(ReadAll(site + "/thumbs/Thumb-phone.jpg"));
  EXPECT_GT(thumb.height, thumb.width);
  EXPECT_EQ(testing::Quarters(thumb), "BRWG");  // the stored bottom left now shows top left
}

}  // namespace
}  // namespace fw::test
