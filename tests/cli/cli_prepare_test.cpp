// framewright-cli preparing a gallery's pictures, run as a process on a temporary store.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_cli.h"
#include "images/encoders.h"
#include "images/exif_jpeg.h"
#include "images/image_io.h"
#include "images/jpeg_location.h"
#include "images/jpeg_writer.h"
#include "images/run_fixture.h"

namespace fw::test {
namespace {

TEST(CliPrepareTest, CopyThumbsResizeAndRenameAGallery) {
  TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
  const auto cli = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--store", dir.file("settings.db"), "--app-folder", dir.path()});
    return RunCli(args);
  };
  const std::string site = dir.file("site");
  const std::string images = site + "/images/";
  std::filesystem::create_directories(dir.file("camera"));
  for (int i = 0; i < 3; ++i) {
    Raster r{1200 + 10 * i, 900,
             std::vector<std::uint8_t>(std::size_t(1200 + 10 * i) * 900 * 3, 70)};
    WriteAll(dir.file("camera/shot " + std::to_string(i) + ".jpg"), EncodeJpeg(r, 80, false));
  }
  for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
           {"BaseDir", site}, {"Sorted", "1"}, {"ImageSourceDir", dir.file("camera")}})
    ASSERT_EQ(cli({"set", "Trip", name, value}).exitCode, 0);

  CliResult copy = cli({"copy", "Trip"});
  ASSERT_EQ(copy.exitCode, 0) << copy.err;
  EXPECT_EQ(cli({"images", "Trip"}).out, "shot_0.jpg\nshot_1.jpg\nshot_2.jpg\n");

  CliResult thumbs = cli({"thumbs", "Trip"});
  ASSERT_EQ(thumbs.exitCode, 0) << thumbs.err;
  EXPECT_EQ(thumbs.out,
            "Creating thumbnail 1 of 3\nCreating thumbnail 2 of 3\nCreating thumbnail 3 of 3\n"
            "Finished creating thumbnails\n");
  EXPECT_EQ(GetImageSize(site + "/thumbs/Thumb-shot_0.jpg").width, 100);

  CliResult resize = cli({"resize", "Trip"});
  ASSERT_EQ(resize.exitCode, 0) << resize.err;
  EXPECT_EQ(resize.out.substr(resize.out.rfind("Resizing")),
            "Resizing image 3 of 3\nFinished resizing.\n");
  EXPECT_EQ(GetImageSize(images + "shot_2.jpg").width, 1024);

  CliResult rename = cli({"rename", "Trip", "--prefix", "trip"});
  ASSERT_EQ(rename.exitCode, 0) << rename.err;
  EXPECT_EQ(cli({"images", "Trip"}).out, "trip1.jpg\ntrip2.jpg\ntrip3.jpg\n");
  ASSERT_EQ(cli({"rename", "Trip", "--random"}).exitCode, 0);
  EXPECT_EQ(cli({"images", "Trip"}).out.substr(0, 5), "image");

  CliResult empty = cli({"rename", "Nobody"});
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_EQ(cli({"thumbs"}).exitCode, 2);
}

TEST(CliPrepareTest, APhoneFolderBecomesAGalleryWithoutItsLocationInOneCopy) {
  NEED_ENCODERS();
  TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
  const auto cli = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--store", dir.file("settings.db"), "--app-folder", dir.path()});
    return RunCli(args);
  };
  const std::string phone = dir.file("phone/"), images = dir.file("site/images/");
  std::filesystem::create_directories(phone);
  testing::Encode(phone + "IMG_0001.HEIC", testing::SmoothRaster(64, 48));
  testing::Encode(phone + "web.webp", testing::SmoothRaster(30, 20));
  testing::Encode(phone + "sticker.avif", testing::SmoothRaster(16, 16));
  testing::Encode(phone + "scan.tif", testing::SmoothRaster(20, 30));
  testing::MakePicture(phone + "shot.png", 10, 10);
  const std::string withGps =
      testing::JpegWithApp1(testing::QuarterRaster(32, 16), {testing::ExifWithGps(true)});
  WriteAll(phone + "cam.jpeg", withGps);
  for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
           {"BaseDir", dir.file("site")}, {"Sorted", "1"}, {"ImageSourceDir", phone},
           {"ConvertToJpeg", "1"}, {"ListWebPictures", "1"}, {"RemoveLocation", "1"}})
    ASSERT_EQ(cli({"set", "Trip", name, value}).exitCode, 0) << name;
  EXPECT_EQ(cli({"get", "Trip", "RemoveLocation"}).out, "1\n");

  CliResult copy = cli({"copy", "Trip"});
  ASSERT_EQ(copy.exitCode, 0) << copy.err;
  EXPECT_EQ(cli({"images", "Trip"}).out,
            "cam.jpg\nIMG_0001.jpg\nscan.jpg\nshot.jpg\nsticker.jpg\nweb.jpg\n");
  std::string cam = ReadAll(images + "cam.jpg");
  EXPECT_EQ(cam.size(), withGps.size());
  EXPECT_FALSE(RemoveJpegLocation(cam));
  EXPECT_EQ(GetImageSize(images + "IMG_0001.jpg", PictureKind::Jpeg).width, 64);
  ASSERT_EQ(cli({"thumbs", "Trip"}).exitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.file("site/thumbs/Thumb-IMG_0001.jpg")));
  EXPECT_EQ(cli({"go", "Trip"}).exitCode, 0);
}

}  // namespace
}  // namespace fw::test
