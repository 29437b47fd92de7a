// The gallery's "Smooth pictures" value picks the sampler of every run that scales: each file
// Thumbs, "Resize large images" and Copy's shrink write is what ScaledJpegData makes of its
// source with that sampler, on worker threads as on one.
#include <gtest/gtest.h>

#include "common/recording_host.h"
#include "images/copy_run.h"
#include "images/resize_run.h"
#include "images/run_fixture.h"
#include "images/thumbnail_run.h"

namespace fw::testing {
namespace {

std::string Scaled(const std::string& path, int size, int quality, bool progressive, bool smooth) {
  return ScaledJpegData(path, size, quality, progressive, SamplerOf(smooth)).value();
}

TEST(SmoothPicturesOption, ThumbsResizeAndCopyShrinkScaleAsTheGallerySays) {
  ScratchDir dir;
  std::map<bool, std::string> thumbs;
  for (bool smooth : {false, true}) {
    const std::string what = smooth ? "smooth" : "point";
    RecordingHost host;
    {
      FolderGallery g(dir.file(what + "-thumbs"));
      g.set("SmoothPictures", smooth).set("ThumbSize", 60);
      std::filesystem::create_directories(g.imageFolder());
      MakePicture(g.imageFolder() + "a.png", 900, 600);
      g.scan();
      RunThumbnails(g, host, {}, 2);
      thumbs[smooth] = fs::ReadFile(g.thumbFolder() + "Thumb-a.jpg");
      EXPECT_EQ(thumbs[smooth], Scaled(g.imageFolder() + "a.png", 60, 75, true, smooth)) << what;
    }
    {
      FolderGallery g(dir.file(what + "-resize"));
      g.set("SmoothPictures", smooth).set("MaxImageWidth", 640).set("MaxImageHeight", 480);
      std::filesystem::create_directories(g.imageFolder());
      MakePicture(g.imageFolder() + "a.jpg", 900, 600);
      const std::string expected = Scaled(g.imageFolder() + "a.jpg", 640, 75, true, smooth);
      g.scan();
      RunResizeImages(g, host, {}, {}, 2);
      EXPECT_EQ(fs::ReadFile(g.imageFolder() + "a.jpg"), expected) << what;
    }
    {
      const std::string camera = dir.file(what + "-camera") + "/";
      FolderGallery g(dir.file(what + "-copy"));
      g.set("SmoothPictures", smooth).set("ImageSourceDir", camera).set("ConvertToJpeg", 1);
      g.set("SourceResizeByDimensions", 1).set("JpegQuality", 70);
      std::filesystem::create_directories(camera);
      MakePicture(camera + "a.bmp", 1200, 600);
      RunCopyImages(g, host, {}, 2);
      EXPECT_EQ(fs::ReadFile(g.imageFolder() + "a.jpg"), Scaled(camera + "a.bmp", 800, 70, false, smooth))
          << what;
      EXPECT_EQ(SizeOf(g.imageFolder() + "a.jpg").width, 800);
    }
  }
  EXPECT_NE(thumbs[false], thumbs[true]);
}

}  // namespace
}  // namespace fw::testing
