// Smooth thumbnails of progressive JPEGs from their DC scans against libjpeg's scaled decode of
// every scan, over scan scripts made here with libjpeg's encoder: the same thumbnails (exact, or
// within the levels libjpeg's dithering and chroma scaling account for), the same failures, and
// libjpeg's own decode wherever the DC scans cannot stand for it.
#include <gtest/gtest.h>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>
#include <random>

#include "common/error.h"
#include "common/recording_host.h"
#include "images/jpeg_dc_smooth.h"
#include "images/jpeg_smooth.h"
#include "images/jpeg_writer.h"
#include "images/scaler.h"
#include "pictures.h"

namespace fw {
namespace {

using testing::MaxDifference;
using testing::ScratchDir;
using testing::WriteBytes;

struct Layout {
  int components;  // 1 grey, 3 colour
  int h, v;        // luma sampling: 1x1 is 4:4:4, 2x2 4:2:0, 2x1 4:2:2
  int restartRows;
  std::vector<jpeg_scan_info> script;  // empty: libjpeg's simple progression
  std::string icc = {};
};

// Shading, edges and noise in the brightness, colour that changes gently, as in most photos;
// grey pictures take the first channel.
std::vector<std::uint8_t> Photo(int w, int h, int components, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> px(std::size_t(w) * h * components);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int grey = int(rng() % 16) + ((x / 37 + y / 23) & 3) * 20;
      const int v[3] = {x * 120 / w + 20 + grey, y * 120 / h + 40 + grey,
                        (x + y) * 80 / (w + h) + 30 + grey};
      for (int c = 0; c < components; ++c)
        px[(std::size_t(y) * w + x) * components + c] = std::uint8_t(std::clamp(v[c], 0, 255));
    }
  return px;
}

std::string Encode(const std::vector<std::uint8_t>& px, int w, int h, const Layout& l) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buf, &size);
  c.image_width = w, c.image_height = h, c.input_components = l.components;
  c.in_color_space = l.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 85, TRUE);
  if (l.components == 3) c.comp_info[0].h_samp_factor = l.h, c.comp_info[0].v_samp_factor = l.v;
  c.restart_in_rows = l.restartRows;
  jpeg_simple_progression(&c);
  if (!l.script.empty()) c.scan_info = l.script.data(), c.num_scans = int(l.script.size());
  jpeg_start_compress(&c, TRUE);
  if (!l.icc.empty())
    jpeg_write_icc_profile(&c, reinterpret_cast<const JOCTET*>(l.icc.data()),
                           unsigned(l.icc.size()));
  while (c.next_scanline < c.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(px.data() + std::size_t(c.next_scanline) * w * l.components);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::string out(reinterpret_cast<char*>(buf), size);
  std::free(buf);
  return out;
}

jpeg_scan_info Dc(std::vector<int> components, int ah, int al) {
  jpeg_scan_info s{int(components.size()), {}, 0, 0, ah, al};
  for (std::size_t i = 0; i < components.size(); ++i) s.component_index[i] = components[i];
  return s;
}
jpeg_scan_info Ac(int component, int ss, int se, int ah, int al) {
  return jpeg_scan_info{1, {component}, ss, se, ah, al};
}

TEST(SmoothJpegFromDc, ScanScriptsGiveLibjpegsThumbnail) {
  const std::vector<jpeg_scan_info> plain = {Dc({0, 1, 2}, 0, 0), Ac(0, 1, 63, 0, 0),
                                             Ac(1, 1, 63, 0, 0), Ac(2, 1, 63, 0, 0)};
  const std::vector<jpeg_scan_info> perComponent = {
      Dc({0}, 0, 1), Dc({1}, 0, 1), Dc({2}, 0, 1), Ac(0, 1, 63, 0, 0), Ac(2, 1, 63, 0, 0),
      Ac(1, 1, 63, 0, 0), Dc({0}, 1, 0), Dc({1}, 1, 0), Dc({2}, 1, 0)};
  // The luma's AC before the chroma's DC: legal, and the DC is still all there.
  const std::vector<jpeg_scan_info> lumaFirst = {Dc({0}, 0, 0), Ac(0, 1, 63, 0, 0),
                                                 Dc({1, 2}, 0, 2), Ac(1, 1, 63, 0, 0),
                                                 Dc({1, 2}, 2, 1), Ac(2, 1, 63, 0, 0),
                                                 Dc({1, 2}, 1, 0)};
  // Only the lowest AC coefficients of the luma: libjpeg smooths its blocks, not their DC.
  const std::vector<jpeg_scan_info> partial = {Dc({0, 1, 2}, 0, 0), Ac(0, 1, 9, 0, 0),
                                               Ac(1, 1, 63, 0, 0), Ac(2, 1, 63, 0, 0)};
  struct Case {
    const char* name;
    Layout layout;
    int tolerance;
  };
  // Exact where libjpeg's 1/8 decode takes only the DC; its grey output is dithered to 236
  // levels; the inverse DCT of 4:2:0 chroma it scales up to 2 x 2 from the AC coefficients.
  const std::vector<Case> cases = {
      {"simple 4:2:0", {3, 2, 2, 0, {}}, 2},
      {"simple 4:4:4", {3, 1, 1, 0, {}}, 0},
      {"simple 4:2:2, restarts", {3, 2, 1, 1, {}}, 0},
      {"grey", {1, 1, 1, 0, {}}, 1},
      {"grey, restarts", {1, 1, 1, 2, {}}, 1},
      {"no successive approximation 4:2:0", {3, 2, 2, 0, plain}, 2},
      {"no successive approximation 4:4:4, restarts", {3, 1, 1, 1, plain}, 0},
      {"DC split per component", {3, 2, 2, 0, perComponent}, 2},
      {"DC split per component, restarts", {3, 1, 1, 3, perComponent}, 0},
      {"luma first", {3, 2, 2, 0, lumaFirst}, 2},
      {"low AC only", {3, 1, 1, 0, partial}, 0},
  };
  struct Size {
    int w, h, size;
  };
  ScratchDir dir;
  const std::string file = dir.file("p.jpg");
  for (const Case& c : cases)
    for (const Size s : {Size{800, 600, 40}, Size{797, 603, 49}, Size{203, 611, 30}}) {
      WriteBytes(file, Encode(Photo(s.w, s.h, c.layout.components, unsigned(s.w)), s.w, s.h,
                              c.layout));
      const std::string what = std::string(c.name) + " " + std::to_string(s.w);
      RecordingHost host;
      const std::optional<Raster> dc = SmoothJpegFromDc(file, s.size, 1, host);
      ASSERT_TRUE(dc) << what;
      EXPECT_EQ(host.eventsProcessed, dc->height) << what;
      const std::optional<Raster> all = SmoothJpegFromScaledDecode(file, s.size, 1, host);
      ASSERT_TRUE(all) << what;
      EXPECT_LE(MaxDifference(*dc, *all), c.tolerance) << what;
    }
}

// A stream cut into its header, one piece per scan (with the tables just before it) and its
// end, so that a test can put the scans in another order.
struct Pieces {
  std::string head;
  std::vector<std::string> scans;
  std::string tail;
};

Pieces SplitScans(const std::string& jpeg) {
  std::vector<std::size_t> starts;
  std::size_t at = 2;
  bool inPiece = false;
  for (;;) {
    const int code = std::uint8_t(jpeg[at + 1]);
    if (code == 0xD9) break;
    if ((code == 0xC4 || code == 0xDA) && !inPiece) starts.push_back(at), inPiece = true;
    at += 2 + std::size_t(std::uint8_t(jpeg[at + 2]) << 8 | std::uint8_t(jpeg[at + 3]));
    if (code != 0xDA) continue;
    // Entropy-coded data runs to a marker that is neither a stuffed byte nor a restart.
    while (!(jpeg[at] == '\xFF' && jpeg[at + 1] != 0 && (jpeg[at + 1] & 0xF8) != 0xD0)) ++at;
    inPiece = false;
  }
  Pieces p{jpeg.substr(0, starts[0]), {}, jpeg.substr(at)};
  for (std::size_t i = 0; i < starts.size(); ++i)
    p.scans.push_back(jpeg.substr(starts[i], (i + 1 < starts.size() ? starts[i + 1] : at) - starts[i]));
  return p;
}

// Where the DC scans cannot stand for libjpeg's decode, it makes the thumbnail; SmoothJpegFile
// takes the DC scans wherever they can.
TEST(SmoothJpegFromDc, LeavesOtherScriptsAndPicturesToLibjpeg) {
  ScratchDir dir;
  const std::string file = dir.file("p.jpg");
  const std::vector<std::uint8_t> px = Photo(640, 480, 3, 7);
  const Layout simple{3, 2, 2, 0, {}};
  const std::string progressive = Encode(px, 640, 480, simple);
  Pieces acFirst = SplitScans(progressive);
  ASSERT_EQ(acFirst.scans.size(), 10u);  // libjpeg's simple progression of colour
  std::swap(acFirst.scans[0], acFirst.scans[1]);
  std::string reordered = acFirst.head;
  for (const std::string& scan : acFirst.scans) reordered += scan;
  reordered += acFirst.tail;
  struct Case {
    const char* name;
    std::string jpeg;
    int size;
  };
  const std::vector<Case> cases = {
      // libjpeg smooths the DC of blocks that never get AC coefficients.
      {"DC scans only", Encode(px, 640, 480, {3, 1, 1, 0, {Dc({0, 1, 2}, 0, 0)}}), 40},
      {"an AC scan before the DC", reordered, 40},
      {"baseline", EncodeJpeg(testing::SmoothRaster(640, 480), 90, false), 40},
      {"a target libjpeg decodes at 1/4", progressive, 60},
  };
  for (const Case& c : cases) {
    WriteBytes(file, c.jpeg);
    RecordingHost host;
    EXPECT_FALSE(SmoothJpegFromDc(file, c.size, 1, host)) << c.name;
    const std::optional<Raster> chosen = SmoothJpegFile(file, c.size, 1, host);
    const std::optional<Raster> all = SmoothJpegFromScaledDecode(file, c.size, 1, host);
    ASSERT_TRUE(chosen && all) << c.name;
    EXPECT_EQ(chosen->rgb, all->rgb) << c.name;
  }
  WriteBytes(file, progressive);
  RecordingHost host;
  const std::optional<Raster> chosen = SmoothJpegFile(file, 40, 1, host);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->rgb, SmoothJpegFromDc(file, 40, 1, host)->rgb);
}

// Turned, profiled, cut short or damaged: what libjpeg's decode gives or raises.
TEST(SmoothJpegFromDc, TurnedProfiledAndDamagedPicturesAsLibjpegDecodesThem) {
  ScratchDir dir;
  const std::string file = dir.file("p.jpg");
  const Layout layout{3, 1, 1, 1, {}, std::string(3000, 'p')};
  const std::string whole = Encode(Photo(720, 480, 3, 3), 720, 480, layout);
  WriteBytes(file, whole);
  for (int orientation : {3, 6, 7}) {
    RecordingHost host;
    const std::optional<Raster> dc = SmoothJpegFromDc(file, 40, orientation, host);
    ASSERT_TRUE(dc) << orientation;
    const std::optional<Raster> all = SmoothJpegFromScaledDecode(file, 40, orientation, host);
    EXPECT_EQ(dc->rgb, all->rgb) << orientation;
    EXPECT_EQ(dc->iccProfile, all->iccProfile);
    EXPECT_EQ(dc->iccProfile.size(), 3000u);
  }
  const Pieces pieces = SplitScans(whole);
  std::vector<std::size_t> cuts = {100, pieces.head.size() + 300};
  for (std::size_t at = pieces.head.size(), i = 0; i < pieces.scans.size(); ++i) {
    at += pieces.scans[i].size();
    cuts.push_back(at - pieces.scans[i].size() / 2);  // inside each scan
    cuts.push_back(at);                               // after it
  }
  std::vector<std::string> damaged;
  for (std::size_t cut : cuts) damaged.push_back(whole.substr(0, cut));
  {
    std::size_t start = pieces.head.size();
    for (int k = 0; k < 4; ++k) start += pieces.scans[std::size_t(k)].size();
    for (int k : {4, 5, 6}) {
      const std::size_t size = pieces.scans[std::size_t(k)].size();
      damaged.push_back(whole.substr(0, start + size / 2) + whole.substr(start + size));
      start += size;
    }
  }
  for (std::size_t at : {pieces.head.size() + 40, pieces.head.size() + 2000}) {
    std::string flipped = whole;
    flipped[at] = char(flipped[at] ^ 0x5A);
    damaged.push_back(flipped);
  }
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    WriteBytes(file, damaged[i]);
    RecordingHost host;
    std::string ours, theirs;
    std::optional<Raster> dc, all;
    try {
      dc = SmoothJpegFile(file, 40, 1, host);
    } catch (const Error& e) {
      ours = e.what();
    }
    try {
      all = SmoothJpegFromScaledDecode(file, 40, 1, host);
    } catch (const Error& e) {
      theirs = e.what();
    }
    EXPECT_EQ(ours, theirs) << "damage " << i;
    if (dc && all) {
      EXPECT_EQ(dc->rgb, all->rgb) << "damage " << i;
    }
  }
}

}  // namespace
}  // namespace fw
