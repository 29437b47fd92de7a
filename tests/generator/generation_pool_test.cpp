// Go's missing-thumbnail pass on worker threads against the same run on one thread: the same
// site, byte for byte, and the same host calls in the same order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "common/recording_host.h"
#include "fakes.h"
#include "generator/generation_run.h"
#include "generator/page_hooks.h"
#include "images/image_io.h"
#include "images/jpeg_writer.h"
#include "images/thumbnail_run.h"

namespace fw {
namespace {

namespace sfs = std::filesystem;
using Tree = std::map<std::string, std::string>;

// A gallery whose thumbnail size grows with every status shown, as when the user changes it
// while the run goes on: the run keeps the size it read when it began.
class DriftingGallery : public testing::FakeGallery {
 public:
  const RecordingHost* host = nullptr;
  int integer(std::string_view name) const override {
    if (LowerAscii(name) != "thumbsize" || !host) return testing::FakeGallery::integer(name);
    return 40 + 3 * static_cast<int>(host->texts("status").size() / 4);
  }
};

void WritePicture(const std::string& path, int width, int height, bool progressive) {
  Raster r{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = r.row(y) + x * 3;
      p[0] = static_cast<std::uint8_t>(x * 255 / width);
      p[1] = static_cast<std::uint8_t>(y * 255 / height);
      p[2] = static_cast<std::uint8_t>((x ^ y) & 0xFF);
    }
  std::ofstream(path, std::ios::binary) << EncodeJpeg(r, 85, progressive);
}

Tree Snapshot(const std::string& root) {
  Tree t;
  for (const auto& e : sfs::recursive_directory_iterator(root)) {
    const std::string rel = sfs::relative(e.path(), root).string();
    t[rel] = e.is_directory() ? "<folder>" : testing::ReadAll(e.path().string());
  }
  return t;
}

struct Outcome {
  Tree files;
  std::vector<std::string> calls;
};

Outcome RunGo(const std::string& base, unsigned threads, bool drifting) {
  sfs::remove_all(base);
  const std::string pics = base + "/site/images/";
  sfs::create_directories(pics);
  sfs::create_directories(base + "/site/thumbs");
  DriftingGallery g;
  g.set("BaseDir", base + "/site").set("Rows", 2).set("Columns", 3).set("ThumbSize", 64);
  for (int i = 0; i < 9; ++i)
    WritePicture(pics + "p" + std::to_string(i) + ".jpg", 120 + 17 * i, 90 + 5 * i, i % 2 == 1);
  // A corrupt picture, a GIF cut short, and a picture whose thumbnail is already there.
  std::ofstream(pics + "bad.jpg", std::ios::binary) << "\xFF\xD8 not a picture";
  std::ofstream(pics + "r.gif", std::ios::binary) << "GIF89a cut short";
  WritePicture(pics + "q.jpg", 70, 140, false);
  WritePicture(pics + "kept.jpg", 80, 60, false);
  std::ofstream(base + "/site/thumbs/Thumb-kept.jpg", std::ios::binary) << "old thumbnail";
  // gone.jpg was deleted after the list was read: it can be neither read nor renamed.
  g.list = {"p0.jpg", "p1.jpg", "p2.jpg", "bad.jpg",  "r.gif",  "q.jpg",  "kept.jpg",
            "p3.jpg", "p4.jpg", "p5.jpg", "gone.jpg", "p6.jpg", "p7.jpg", "p8.jpg"};

  RecordingHost host;
  if (drifting) g.host = &host;
  NoBanners banners;
  RunValues run;
  RunControls busy{[] {}, [] {}};
  const GallerySnapshot snapshot = TakeSnapshot(g);
  PageContext c{snapshot, host, LibraryPictures(), banners, run};
  // The index page's sample picture is drawn by chance: draw the same one every time.
  RunGeneration(
      c, nullptr, busy, [](int) { return 0; }, threads);

  Outcome out{Snapshot(base), {}};
  for (const auto& call : host.calls) out.calls.push_back(call.kind + "|" + call.text);
  return out;
}

TEST(GenerationPool, WorkerThreadsMakeTheSiteOneThreadMakes) {
  const std::string base = testing::TempFolder("pool");
  for (bool drifting : {false, true}) {
    const Outcome one = RunGo(base, 1, drifting);
    ASSERT_TRUE(one.files.count("site/images/bad.jpg.error"));
    ASSERT_TRUE(one.files.count("site/images/r.gif.error"));
    ASSERT_EQ(one.files.at("site/thumbs/Thumb-kept.jpg"), "old thumbnail");
    ASSERT_TRUE(one.files.count("site/thumbs/Thumb-p8.jpg"));
    const ImageSize made = GetImageSize(base + "/site/thumbs/Thumb-p8.jpg");
    EXPECT_EQ(std::max(made.width, made.height), drifting ? 40 : 64);
    const std::string gone = base + "/site/images/gone.jpg";
    ASSERT_NE(std::find(one.calls.begin(), one.calls.end(),
                        "message|" + ThumbnailFailureMessage(gone, false)),
              one.calls.end());
    ASSERT_EQ(one.calls.back(), "beep|");
    ASSERT_EQ(one.calls.end()[-2], "status|Finished");
    for (unsigned threads : {2u, 3u, 8u}) {
      const Outcome many = RunGo(base, threads, drifting);
      EXPECT_EQ(many.calls, one.calls) << threads << " threads, drifting " << drifting;
      ASSERT_EQ(many.files.size(), one.files.size()) << threads << " threads";
      for (const auto& [path, bytes] : one.files) {
        ASSERT_TRUE(many.files.count(path)) << path;
        EXPECT_TRUE(many.files.at(path) == bytes) << path << ", " << threads << " threads";
      }
    }
  }
  sfs::remove_all(base);
}

}  // namespace
}  // namespace fw
