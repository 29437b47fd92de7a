// "Resize large images" and "Copy images" with conversion on worker threads against the same
// runs on one thread: the same files, byte for byte, and the same texts in the same order,
// through clashes, unreadable pictures and an abort.
#include <gtest/gtest.h>

#include "common/error.h"
#include "common/recording_host.h"
#include "images/copy_run.h"
#include "images/resize_run.h"
#include "images/run_fixture.h"

namespace fw::testing {
namespace {

using Files = std::map<std::string, std::string>;

struct Outcome {
  Files files;
  std::vector<std::string> calls;
  std::string error;
};

std::vector<std::string> Calls(const RecordingHost& host) {
  std::vector<std::string> out;
  for (const auto& c : host.calls) out.push_back(c.kind + "|" + c.text);
  return out;
}

void ExpectSameOutcome(const Outcome& one, const Outcome& many, const std::string& what) {
  EXPECT_EQ(one.calls, many.calls) << what;
  EXPECT_EQ(one.error, many.error) << what;
  ASSERT_EQ(one.files.size(), many.files.size()) << what;
  for (const auto& [name, bytes] : one.files) {
    ASSERT_TRUE(many.files.count(name)) << what << ": " << name;
    EXPECT_TRUE(many.files.at(name) == bytes) << what << ": " << name;
  }
}

// A host whose user presses Abort when the `after`-th status text is shown.
class AbortingHost : public RecordingHost {
 public:
  explicit AbortingHost(int after) : after_(after) {}
  void status(const std::string& text) override {
    RecordingHost::status(text);
    if (--after_ == 0) abort_ = true;
  }
  bool abortRequested() override { return abort_; }

 private:
  int after_;
  bool abort_ = false;
};

// Pictures of every kind and size, some to shrink, some to leave, one clash, one unreadable.
void LayOutPictures(const std::string& folder, bool withBroken) {
  std::filesystem::create_directories(folder);
  for (int i = 0; i < 6; ++i)
    MakePicture(folder + "big" + std::to_string(i) + ".jpg", 1100 + 90 * i, 700 + 40 * i);
  MakePicture(folder + "small.jpg", 300, 200);
  MakePicture(folder + "tall.png", 500, 1300);
  MakePicture(folder + "wide.bmp", 1400, 300);
  MakePicture(folder + "anim.gif", 1200, 900);
  MakePicture(folder + "clash.gif", 1500, 1000);
  MakePicture(folder + "clash.jpg", 200, 100);
  if (withBroken) WriteBytes(folder + "zz.png", "\x89PNG\r\n\x1a\n cut short");
}

Outcome Resize(const std::string& site, unsigned threads, bool withBroken, int abortAfter) {
  std::filesystem::remove_all(site);
  FolderGallery g(site);
  g.set("Sorted", 1).set("MaxImageWidth", 640).set("MaxImageHeight", 480);
  LayOutPictures(g.imageFolder(), withBroken);
  g.scan();
  AbortingHost host(abortAfter);
  Outcome out;
  try {
    RunResizeImages(g, host, {}, {}, threads);
  } catch (const Error& e) {
    out.error = e.what();
  }
  out.files = Snapshot(g.imageFolder());
  out.calls = Calls(host);
  return out;
}

Outcome Convert(const std::string& site, unsigned threads, bool shrink, int abortAfter) {
  std::filesystem::remove_all(site);
  const std::string camera = site + "/camera/";
  FolderGallery g(site);
  g.set("ImageSourceDir", camera).set("ConvertToJpeg", 1).set("JpegQuality", 70);
  g.set("SourceResizeByDimensions", shrink ? 1 : 0);
  g.set("SourceMaxImageWidth", 400).set("SourceMaxImageHeight", 300);
  LayOutPictures(camera, false);
  AbortingHost host(abortAfter);
  Outcome out;
  try {
    RunCopyImages(g, host, {}, threads);
  } catch (const Error& e) {
    out.error = e.what();
  }
  out.files = Snapshot(g.imageFolder());
  out.calls = Calls(host);
  return out;
}

TEST(PreparePool, ResizeOnWorkersMakesWhatOneThreadMakes) {
  ScratchDir dir;
  for (bool broken : {false, true})
    for (int abortAfter : {0, 3}) {
      const Outcome one = Resize(dir.file("site"), 1, broken, abortAfter);
      for (unsigned threads : {2u, 5u}) {
        const std::string what = std::to_string(threads) + " threads, broken " +
                                 std::to_string(broken) + ", abort " + std::to_string(abortAfter);
        ExpectSameOutcome(one, Resize(dir.file("site"), threads, broken, abortAfter), what);
      }
      EXPECT_EQ(!one.error.empty(), broken && abortAfter == 0);
    }
  // The run met a clash and shrank pictures of every kind.
  const Outcome one = Resize(dir.file("site"), 1, false, 0);
  bool clash = false;
  for (const std::string& c : one.calls) clash |= c.find("already exists") != std::string::npos;
  EXPECT_TRUE(clash);
  EXPECT_TRUE(one.files.count("tall.jpg") && one.files.count("wide.jpg"));
}

TEST(PreparePool, ConversionOnWorkersMakesWhatOneThreadMakes) {
  ScratchDir dir;
  for (bool shrink : {false, true})
    for (int abortAfter : {0, 2}) {
      const Outcome one = Convert(dir.file("site"), 1, shrink, abortAfter);
      ASSERT_TRUE(one.error.empty()) << one.error;
      for (unsigned threads : {2u, 4u}) {
        const std::string what = std::to_string(threads) + " threads, shrink " +
                                 std::to_string(shrink) + ", abort " + std::to_string(abortAfter);
        ExpectSameOutcome(one, Convert(dir.file("site"), threads, shrink, abortAfter), what);
      }
    }
  const Outcome all = Convert(dir.file("site"), 2, true, 0);
  EXPECT_EQ(SizeOf(FolderGallery(dir.file("site")).imageFolder() + "wide.jpg").width, 400);
  const Outcome stopped = Convert(dir.file("site"), 2, true, 2);
  EXPECT_LT(stopped.files.size(), all.files.size());
}

}  // namespace
}  // namespace fw::testing
