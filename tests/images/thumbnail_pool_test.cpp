// The Thumbs run on worker threads against the same run on one: the same files, byte for byte,
// and the same status texts, messages and beeps in the same order.
#include <gtest/gtest.h>

#include <map>

#include "common/recording_host.h"
#include "images/run_fixture.h"
#include "images/thumbnail_run.h"

namespace fw::testing {
namespace {

using Tree = std::map<std::string, std::string>;

// Every file under `root` with its content; folders as "<folder>".
Tree Snapshot(const std::string& root) {
  Tree t;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
    const std::string rel = std::filesystem::relative(e.path(), root).string();
    t[rel] = e.is_directory() ? "<folder>" : fs::ReadFile(e.path().string());
  }
  return t;
}

std::vector<std::string> Calls(const RecordingHost& host) {
  std::vector<std::string> out;
  for (const auto& c : host.calls) out.push_back(c.kind + "|" + c.text + "|" + c.title);
  return out;
}

struct Outcome {
  Tree files;
  std::vector<std::string> calls;
};

// Lays the same pictures out afresh under `site` and runs Thumbs on `threads` threads.
Outcome RunThumbs(const std::string& site, unsigned threads, bool thumbsBesidePictures) {
  std::filesystem::remove_all(site);
  FolderGallery g(site);
  g.set("ThumbSize", 57);
  if (thumbsBesidePictures) g.set("ImageDir", "pics").set("ThumbsDir", "pics");
  std::filesystem::create_directories(g.imageFolder());
  std::filesystem::create_directories(g.thumbFolder());
  const std::string pics = g.imageFolder();
  std::vector<std::string> list;
  auto add = [&](const std::string& name, const std::string& bytes) {
    WriteBytes(pics + name, bytes);
    list.push_back(name);
  };
  for (int i = 0; i < 7; ++i)
    add("p" + std::to_string(i) + ".jpg",
        EncodeJpeg(SmoothRaster(300 + 37 * i, 200 + 11 * i), 80, i % 2 == 1));
  add("bad.jpg", "\xFF\xD8 not a picture");
  add("c.png", PngBytes(90, 40));
  add("d.bmp", BmpBytes(33, 70));
  add("e.jpg", JpegBytes(120, 80));
  if (thumbsBesidePictures) {
    // An old thumbnail beside the pictures, which the list leaves out: it is remade.
    WriteBytes(pics + "Thumb-p0.jpg", JpegBytes(640, 480));
  } else {
    // A folder where e.jpg's thumbnail should go: that file cannot be written.
    std::filesystem::create_directories(g.thumbFolder() + "Thumb-e.jpg");
  }
  add("late.gif", "GIF89a cut short");
  g.list = list;
  RecordingHost host;
  RunControls busy;
  busy.enter = [] {};
  busy.leave = [] {};
  RunThumbnails(g, host, busy, threads);
  return {Snapshot(site), Calls(host)};
}

TEST(ThumbnailPool, WorkerThreadsMakeWhatOneThreadMakes) {
  ScratchDir dir;
  for (bool beside : {false, true}) {
    const Outcome one = RunThumbs(dir.file("site"), 1, beside);
    for (unsigned threads : {2u, 3u, 8u}) {
      const Outcome many = RunThumbs(dir.file("site"), threads, beside);
      EXPECT_EQ(one.calls, many.calls) << threads << " threads, beside " << beside;
      ASSERT_EQ(one.files.size(), many.files.size()) << threads << " threads";
      for (const auto& [name, bytes] : one.files) {
        ASSERT_TRUE(many.files.count(name)) << name;
        EXPECT_TRUE(many.files.at(name) == bytes) << name << ", " << threads << " threads";
      }
    }
    // The run met each kind of trouble: a failed picture, and a thumbnail not written.
    bool failed = false, notWritten = false;
    for (const std::string& c : one.calls) {
      failed |= c.find("Error creating thumbnail for") != std::string::npos;
      notWritten |= c.find("Could not create file") != std::string::npos;
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(notWritten, !beside);
  }
}

}  // namespace
}  // namespace fw::testing
