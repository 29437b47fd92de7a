// The thumbnail path that samples a JPEG while decoding it, and the probe that reads only the
// headers, against the full decode and the in-memory probe: same bytes, same sizes, same errors.
#include <gtest/gtest.h>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>

#include "common/error.h"
#include "common/fs.h"
#include "common/recording_host.h"
#include "images/image_io.h"
#include "images/jpeg_reader.h"
#include "images/jpeg_rows.h"
#include "images/jpeg_writer.h"
#include "images/scaler.h"
#include "pictures.h"

namespace fw {
namespace {

using testing::ScratchDir;
using testing::WriteBytes;

struct Layout {
  bool progressive;
  int h, v;  // luma sampling: 1x1 is 4:4:4, 2x1 4:2:2, 2x2 4:2:0, 1x2 4:4:0, 4x1 4:1:1, 1x3 uneven
  int restartRows;
};

// Gradients under noise: every row and column differs, so a wrong source row shows.
std::vector<std::uint8_t> Texture(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> px(std::size_t(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = px.data() + (std::size_t(y) * w + x) * 3;
      const unsigned n = rng() & 63;
      p[0] = std::uint8_t((x * 7 + n) & 255);
      p[1] = std::uint8_t((y * 5 + n * 2) & 255);
      p[2] = std::uint8_t(((x ^ y) * 3 + n) & 255);
    }
  return px;
}

std::string Encode(const std::vector<std::uint8_t>& px, int w, int h, int components,
                   const Layout& l) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buf, &size);
  c.image_width = w, c.image_height = h, c.input_components = components;
  c.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 85, TRUE);
  if (components == 3) c.comp_info[0].h_samp_factor = l.h, c.comp_info[0].v_samp_factor = l.v;
  c.restart_in_rows = l.restartRows;
  if (l.progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(px.data() + std::size_t(c.next_scanline) * w * components);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::string out(reinterpret_cast<char*>(buf), size);
  std::free(buf);
  return out;
}

// What the full path makes of the file, or the text of its error.
std::string FullPath(const std::string& path, int size, int& events) {
  RecordingHost host;
  try {
    const Raster r = PointSample(ReadJpeg(path), size, host);
    events = host.eventsProcessed;
    return std::to_string(r.width) + "x" + std::to_string(r.height) + ":" +
           std::string(r.rgb.begin(), r.rgb.end());
  } catch (const Error& e) {
    events = host.eventsProcessed;
    return std::string("error: ") + e.what();
  }
}

std::string FastPath(const std::string& path, int size, int& events) {
  RecordingHost host;
  try {
    const std::optional<Raster> r = SampleJpegFile(path, size, host);
    events = host.eventsProcessed;
    if (!r) return "full path";
    return std::to_string(r->width) + "x" + std::to_string(r->height) + ":" +
           std::string(r->rgb.begin(), r->rgb.end());
  } catch (const Error& e) {
    events = host.eventsProcessed;
    return std::string("error: ") + e.what();
  }
}

void ExpectSamePaths(const std::string& path, int size, const std::string& what) {
  int fullEvents = 0, fastEvents = 0;
  const std::string full = FullPath(path, size, fullEvents);
  const std::string fast = FastPath(path, size, fastEvents);
  ASSERT_EQ(full.size(), fast.size()) << what << " size " << size << ": " << fast.substr(0, 80);
  EXPECT_TRUE(full == fast) << what << " size " << size;
  if (full.rfind("error: ", 0) != 0) {
    EXPECT_EQ(fullEvents, fastEvents) << what;
  }
}

TEST(JpegFastPath, EveryLayoutSamplesTheRowsOfTheFullDecode) {
  ScratchDir dir;
  const std::vector<std::pair<int, int>> sizes = {{333, 250}, {97, 61}, {45, 131}, {260, 17}};
  const std::vector<int> thumbs = {1, 5, 23, 100, 400};
  int cases = 0;
  for (bool progressive : {false, true})
    for (auto [h, v] :
         std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {2, 2}, {1, 2}, {4, 1}, {1, 3}})
      for (int restart : {0, 1}) {
        const Layout l{progressive, h, v, restart};
        for (auto [w, ht] : sizes) {
          const std::string what = std::string(progressive ? "progressive " : "baseline ") +
                                   std::to_string(h) + "x" + std::to_string(v) + " restart " +
                                   std::to_string(restart) + " " + std::to_string(w) + "x" +
                                   std::to_string(ht);
          const std::string file = dir.file("p.jpg");
          WriteBytes(file, Encode(Texture(w, ht, unsigned(w * ht + cases)), w, ht, 3, l));
          for (int t : thumbs) {
            ExpectSamePaths(file, t, what);
            ++cases;
          }
        }
      }
  EXPECT_EQ(cases, 2 * 6 * 2 * 4 * 5);
}

TEST(JpegFastPath, GreyAndDamagedFilesMatchTheFullDecode) {
  ScratchDir dir;
  const std::string file = dir.file("p.jpg");
  // Grey is dithered across rows: every row is decoded, only the sampled ones are kept.
  std::vector<std::uint8_t> grey(300 * 200);
  for (std::size_t i = 0; i < grey.size(); ++i) grey[i] = std::uint8_t((i * 37) ^ (i / 300));
  WriteBytes(file, Encode(grey, 300, 200, 1, {false, 1, 1, 0}));
  for (int t : {3, 50, 333}) ExpectSamePaths(file, t, "grey");

  const std::string whole = Encode(Texture(400, 300, 7), 400, 300, 3, {false, 2, 2, 0});
  const std::string prog = Encode(Texture(400, 300, 8), 400, 300, 3, {true, 2, 2, 0});
  // Cut short anywhere: in the headers, in the scans, just before the end.
  for (const std::string* src : {&whole, &prog})
    for (std::size_t keep : {std::size_t(0), std::size_t(1), std::size_t(100), std::size_t(700),
                             src->size() / 3, src->size() / 2, src->size() - 2}) {
      WriteBytes(file, src->substr(0, keep));
      for (int t : {10, 120}) ExpectSamePaths(file, t, "cut at " + std::to_string(keep));
    }
  // Damaged bytes in the scan data and in the headers.
  for (std::size_t at : {std::size_t(20), std::size_t(170), whole.size() / 4, whole.size() / 2}) {
    std::string bad = whole;
    for (std::size_t i = at; i < at + 40 && i < bad.size(); ++i) bad[i] = char(bad[i] ^ 0x5A);
    WriteBytes(file, bad);
    for (int t : {10, 120}) ExpectSamePaths(file, t, "damaged at " + std::to_string(at));
  }
  // The errors the full path raises only after its decode are left to it.
  WriteBytes(file, whole);
  RecordingHost host;
  EXPECT_FALSE(SampleJpegFile(file, 0, host));
  EXPECT_FALSE(SampleJpegFile(file, 1 << 20, host));
  EXPECT_THROW(SampleJpegFile(dir.file("missing.jpg"), 10, host), Error);
}

TEST(JpegFastPath, ThumbnailFileIsTheFullPathsBytes) {
  ScratchDir dir;
  const std::string src = dir.file("big.jpg");
  WriteBytes(src, Encode(Texture(640, 480, 3), 640, 480, 3, {false, 2, 2, 0}));
  RecordingHost host;
  ASSERT_TRUE(MakeScaledJpeg(host, src, dir.file("t.jpg"), 100, 75, true));
  EXPECT_EQ(host.eventsProcessed, 75);
  EXPECT_EQ(fs::ReadFile(dir.file("t.jpg")),
            EncodeJpeg(PointSample(ReadJpeg(src), 100, host), 75, true));
  // Shrunk in place: the source is read to its end before the target replaces it.
  ASSERT_TRUE(MakeScaledJpeg(host, src, src, 100, 75, true));
  EXPECT_EQ(fs::ReadFile(src), fs::ReadFile(dir.file("t.jpg")));
}

std::string ProbeFile(const std::string& path) {
  try {
    const JpegInfo i = ReadJpegSize(path);
    return std::to_string(i.width) + "x" + std::to_string(i.height);
  } catch (const Error& e) {
    return std::string("error: ") + e.what();
  }
}

std::string ProbeMemory(const std::string& path) {
  try {
    const JpegInfo i = JpegSizeFromMemory(fs::ReadFile(path));
    return std::to_string(i.width) + "x" + std::to_string(i.height);
  } catch (const Error& e) {
    return std::string("error: ") + e.what();
  }
}

TEST(JpegProbeFromFile, SameSizesAndErrorsAsTheWholeFileInMemory) {
  ScratchDir dir;
  const std::string file = dir.file("p.jpg");
  // Large enough that the image data lies far beyond the first chunk read.
  const std::string whole = Encode(Texture(1200, 900, 5), 1200, 900, 3, {false, 2, 2, 0});
  ASSERT_GT(whole.size(), 200000u);
  for (std::size_t keep : {std::size_t(0), std::size_t(2), std::size_t(30), std::size_t(160),
                           std::size_t(400), std::size_t(700), whole.size()}) {
    WriteBytes(file, whole.substr(0, keep));
    EXPECT_EQ(ProbeFile(file), ProbeMemory(file)) << "cut at " << keep;
  }
  EXPECT_EQ(ProbeFile(file), "1200x900");
  WriteBytes(file, "");
  EXPECT_EQ(ProbeFile(file), "0x0");
  WriteBytes(file, "\x89PNG\r\n\x1a\n not a jpeg");
  EXPECT_EQ(ProbeFile(file), ProbeMemory(file));
  EXPECT_EQ(ProbeFile(dir.file("missing.jpg")), ProbeMemory(dir.file("missing.jpg")));
  EXPECT_EQ(ProbeFile(dir.file("")), ProbeMemory(dir.file("")));  // a folder
}

// Every JPEG of the public suites, good or hostile, through both probes and both thumbnail paths.
TEST(JpegFastPath, PublicSuites) {
  namespace sfs = std::filesystem;
  const sfs::path root = sfs::path(FW_TESTDATA_DIR) / "jpeg";
  if (!sfs::is_directory(root)) GTEST_SKIP() << "no " << root;
  int files = 0;
  for (const auto& e : sfs::recursive_directory_iterator(root)) {
    const std::string ext = e.path().extension().string();
    if (ext != ".jpg" && ext != ".jpeg") continue;
    if (e.file_size() > (4u << 20)) continue;
    const std::string name = e.path().string();
    EXPECT_EQ(ProbeFile(name), ProbeMemory(name)) << name;
    for (int t : {16, 100}) ExpectSamePaths(name, t, name);
    ++files;
  }
  EXPECT_GT(files, 50);
}

}  // namespace
}  // namespace fw
