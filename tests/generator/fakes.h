// Fakes for the generator's tests: gallery values held in maps (catalogue defaults for any
// value not set), pictures of fixed sizes, and helpers that read back written pages.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/gallery_values.h"
#include "common/recording_host.h"
#include "generator/page_context.h"
#include "generator/page_hooks.h"
#include "settings/catalogue.h"
#include "settings/gallery_snapshot.h"
#include "support/map_gallery.h"

namespace fw::testing {

using FakeGallery = MapGallery;

// Thumbnails measure 120 x 90 and pictures 640 x 480 unless told otherwise; paths in
// `broken` cannot be read.
class FakePictures : public Pictures {
 public:
  std::map<std::string, ImageSize> sizes;
  std::set<std::string> broken;
  std::vector<std::string> measured;
  std::vector<std::string> made;

  ImageSize size(const std::string& path) override {
    measured.push_back(path);
    if (broken.count(path)) throw Error("cannot read " + path);
    auto it = sizes.find(path);
    if (it != sizes.end()) return it->second;
    return path.find("/thumbs/") != std::string::npos ? ImageSize{120, 90} : ImageSize{640, 480};
  }
  // Reads only `broken`, which no test changes during a run.
  std::optional<std::string> prepare(Host&, const std::string& source, int, Sampler) override {
    if (broken.count(source)) throw Error("cannot read " + source);
    return std::string("thumb");
  }
  bool write(Host&, const std::string& target, const std::string& bytes) override {
    made.push_back(target);
    std::ofstream(target, std::ios::binary) << bytes;
    return true;
  }
  bool makeDisplayCopy(Host& host, const std::string& source, const std::string& target,
                       int longestSide) override {
    return write(host, target, *prepare(host, source, longestSide, Sampler::Smooth));
  }
};

// A fresh, empty folder under the test temporary folder.
inline std::string TempFolder(const std::string& name) {
  namespace sfs = std::filesystem;
  const sfs::path p =
      sfs::temp_directory_path() / ("fw_generator_" + name + "_" + std::to_string(::getpid()));
  sfs::remove_all(p);
  sfs::create_directories(p);
  return p.string();
}

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The lines of a page file; every line must end in CR LF.
inline std::vector<std::string> PageLines(const std::string& path) {
  const std::string all = ReadAll(path);
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < all.size()) {
    const std::size_t end = all.find("\r\n", at);
    if (end == std::string::npos) {
      ADD_FAILURE() << path << " does not end in CR LF";
      lines.push_back(all.substr(at));
      break;
    }
    lines.push_back(all.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// The lines strictly between the first line equal to `from` at or after `start` and the next
// line equal to `to`.
inline std::vector<std::string> Between(const std::vector<std::string>& lines,
                                        const std::string& fromPrefix, const std::string& to) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < lines.size() && lines[i].rfind(fromPrefix, 0) != 0) ++i;
  for (++i; i < lines.size() && lines[i] != to; ++i) out.push_back(lines[i]);
  return out;
}

// Line-by-line comparison with the index of the first difference in the message.
inline void ExpectLines(const std::vector<std::string>& actual,
                        const std::vector<std::string>& expected) {
  const std::size_t n = std::min(actual.size(), expected.size());
  for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(actual[i], expected[i]) << "line " << i + 1;
  ASSERT_EQ(actual.size(), expected.size());
}

// What a page writer is handed: a fake gallery based in a fresh folder named after the running
// test, a recording host, fake pictures, no banners (a test may point `banners` elsewhere).
class PageWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base = TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    g.set("BaseDir", base);
  }
  // The writer's context over a snapshot of `g` as it stands now.
  PageContext context() {
    snapshot = TakeSnapshot(g);
    return PageContext{snapshot, host, pictures, *banners, run};
  }

  std::string base;
  FakeGallery g;
  GallerySnapshot snapshot;
  RecordingHost host;
  FakePictures pictures;
  NoBanners noBanners;
  Banners* banners = &noBanners;
  RunValues run;
};

}  // namespace fw::testing
