// Our GIF reader over the public GIF suites: nothing crashes, sizes are the logical screen's,
// still pictures decode to the reference pixels.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "images/gif_reader.h"

namespace fw {
namespace {

namespace stdfs = std::filesystem;

const stdfs::path kGifDir = stdfs::path(FW_TESTDATA_DIR) / "gif";

std::vector<stdfs::path> SuiteFiles() {
  std::vector<stdfs::path> files;
  if (!stdfs::is_directory(kGifDir)) return files;
  for (const auto& e : stdfs::recursive_directory_iterator(kGifDir))
    if (e.path().extension() == ".gif") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(GifSuite, EveryFileLoadsOrFailsWithAMessage) {
  const auto files = SuiteFiles();
  if (files.empty()) GTEST_SKIP() << "no GIF suites at " << kGifDir;
  int decoded = 0;
  for (const auto& path : files) {
    SCOPED_TRACE(path.string());
    try {
      const GifInfo size = ReadGifSize(path.string());
      GifInfo info;
      const Raster r = DecodeGif(fs::ReadFile(path.string()), &info);
      EXPECT_EQ(r.width, size.width);
      EXPECT_EQ(r.height, size.height);
      EXPECT_EQ(r.rgb.size(), std::size_t(r.width) * r.height * 3);
      ++decoded;
    } catch (const Error& e) {
      EXPECT_STRNE(e.what(), "");
    }
  }
  EXPECT_GT(decoded, 100);
}

// The conformance suite states every file's logical screen size.
TEST(GifSuite, SizesAreTheLogicalScreens) {
  const stdfs::path dir = kGifDir / "pygif";
  if (!stdfs::is_directory(dir)) GTEST_SKIP() << "no conformance suite";
  const std::regex field(R"(^(input|width|height) = (.*)$)");
  int checked = 0;
  for (const auto& e : stdfs::directory_iterator(dir)) {
    if (e.path().extension() != ".conf") continue;
    std::ifstream conf(e.path());
    std::string line, input;
    int width = -1, height = -1;
    while (std::getline(conf, line) && line.rfind("[frame", 0) != 0) {
      std::smatch m;
      if (!std::regex_match(line, m, field)) continue;
      if (m[1] == "input") input = m[2];
      if (m[1] == "width") width = std::stoi(m[2]);
      if (m[1] == "height") height = std::stoi(m[2]);
    }
    if (input.empty() || width < 0) continue;
    SCOPED_TRACE(input);
    try {
      const GifInfo info = ReadGifSize((dir / input).string());
      EXPECT_EQ(info.width, width);
      EXPECT_EQ(info.height, height);
      ++checked;
    } catch (const Error&) {
      // A file the reader rejects has no size to compare.
    }
  }
  EXPECT_GT(checked, 70);
}

// Still pictures covering their screen: giflib's own RGB dump is the first frame's pixels.
TEST(GifSuite, StillPicturesMatchTheReferenceDump) {
  const stdfs::path dir = kGifDir / "giflib";
  if (!stdfs::is_directory(dir)) GTEST_SKIP() << "no giflib samples";
  for (const char* name : {"treescap", "treescap-interlaced", "porsche", "solid2", "gifgrid"}) {
    SCOPED_TRACE(name);
    const Raster r = ReadGif((dir / (std::string(name) + ".gif")).string());
    const std::string ref = fs::ReadFile((dir / "reference" / (std::string(name) + ".rgb")).string());
    ASSERT_EQ(ref.size(), r.rgb.size());
    EXPECT_TRUE(std::equal(ref.begin(), ref.end(), r.rgb.begin(),
                           [](char a, std::uint8_t b) { return std::uint8_t(a) == b; }));
  }
}

// Damaged copies of real files: each decodes or fails with a message; under the sanitizers
// this also shows that no damage leads outside a buffer.
TEST(GifSuite, DamagedFilesNeverEscapeTheBuffers) {
  const stdfs::path file = kGifDir / "wuffs" / "muybridge.gif";
  if (!stdfs::exists(file)) GTEST_SKIP() << "no GIF suites";
  const std::string good = fs::ReadFile(file.string());
  for (std::size_t pos = 0; pos < good.size(); pos += 13)
    for (char value : {'\0', '\xFF', '\x2C'}) {
      std::string bad = good;
      bad[pos] = value;
      try {
        DecodeGif(bad);
      } catch (const Error&) {
      }
    }
}

}  // namespace
}  // namespace fw
