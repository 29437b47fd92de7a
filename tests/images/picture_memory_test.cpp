#include "images/picture_memory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "common/error.h"
#include "common/recording_host.h"
#include "gif_test_file.h"
#include "images/image_io.h"
#include "images/jpeg_writer.h"
#include "pictures.h"
#include "png_test_file.h"

namespace fw {
namespace {

constexpr std::uint64_t kMiB = 1 << 20;

void WaitFor(const std::atomic<int>& count, int value) {
  while (count < value) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(PictureMemoryTest, OnePictureIsBoundedAndAllThreadsShareOneBudget) {
  EXPECT_THROW(PictureMemory(kPictureMemoryLimit + 1, "refused"), Error);
  {
    PictureMemory most(kPictureMemoryLimit - 10 * kMiB, "refused");
    EXPECT_THROW(PictureMemory(20 * kMiB, "refused"), Error);  // the same picture's total
    PictureMemory more(10 * kMiB, "refused");
    EXPECT_EQ(PictureMemoryInUse(), kPictureMemoryLimit);
  }
  EXPECT_EQ(PictureMemoryInUse(), 0u);

  // Three pictures on three threads fill the shared budget but for 68 MiB; one of them then
  // takes 100 MiB more at once, while a fourth picture waits until they are done.
  std::atomic<int> held{0}, grown{0}, done{0};
  auto picture = [&](std::uint64_t first, std::uint64_t then) {
    PictureMemory a(first, "refused");
    ++held;
    WaitFor(held, 4);
    PictureMemory b(then, "refused");
    ++grown;
    WaitFor(done, 1);
  };
  std::thread p1(picture, 200 * kMiB, 100 * kMiB);
  std::thread p2(picture, 200 * kMiB, 0);
  std::thread p3(picture, 300 * kMiB, 0);
  WaitFor(held, 3);
  std::atomic<bool> fourth{false};
  std::thread p4([&] {
    PictureMemory m(100 * kMiB, "refused");
    fourth = true;
  });
  ++held;
  WaitFor(grown, 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(fourth);
  EXPECT_EQ(PictureMemoryInUse(), 800 * kMiB);
  ++done;
  p1.join(), p2.join(), p3.join(), p4.join();
  EXPECT_TRUE(fourth);
  EXPECT_EQ(PictureMemoryInUse(), 0u);
}

std::string Patched(std::string jpeg, int width, int height) {
  const auto sof = jpeg.find("\xff\xc2");
  jpeg[sof + 5] = char(height >> 8), jpeg[sof + 6] = char(height & 255);
  jpeg[sof + 7] = char(width >> 8), jpeg[sof + 8] = char(width & 255);
  return jpeg;
}

std::string Le(std::uint32_t v, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += char(i < 4 ? v >> (8 * i) : 0);  // wider fields: zeros
  return s;
}

// An RLE8 bitmap of w x h whose data are one run and the end marker.
std::string RleBmp(int w, int h) {
  const auto le = Le;
  const std::string data("\xff\x01\x00\x01", 4);
  const std::uint32_t offset = 14 + 40 + 8;
  return "BM" + le(offset + data.size(), 4) + le(0, 4) + le(offset, 4) + le(40, 4) + le(w, 4) +
         le(h, 4) + le(1, 2) + le(8, 2) + le(1, 4) + le(data.size(), 4) + le(0, 8) + le(2, 4) +
         le(0, 4) + std::string("\0\0\0\0\xff\xff\xff\0", 8) + data;
}

// A grey TIFF of w x h in one strip of 16 bytes.
std::string GreyTiff(std::uint32_t w, std::uint32_t h) {
  const std::pair<int, std::uint32_t> tags[] = {{256, w},   {257, h}, {258, 8}, {259, 1}, {262, 1},
                                                {273, 122}, {277, 1}, {278, h}, {279, 16}};
  std::string t = "II" + Le(42, 2) + Le(8, 4) + Le(9, 2);
  for (const auto& [tag, value] : tags) {
    const bool wide = tag == 256 || tag == 257 || tag == 273 || tag == 278 || tag == 279;
    t += Le(tag, 2) + Le(wide ? 4 : 3, 2) + Le(1, 4) + Le(value, 4);
  }
  return t + Le(0, 4) + std::string(16, '\0');
}

// A lossless WebP whose header declares w x h, followed by a few bytes of image data.
std::string LosslessWebp(std::uint32_t w, std::uint32_t h) {
  const std::string payload = "\x2f" + Le((w - 1) | (h - 1) << 14, 4) + std::string(9, '\0');
  return "RIFF" + Le(std::uint32_t(12 + payload.size()), 4) + "WEBPVP8L" +
         Le(std::uint32_t(payload.size()), 4) + payload;
}

// Files of a few bytes that declare pictures of hundreds of megabytes and more: their size is
// told at once, and decoding or scaling them is refused before the memory is taken.
TEST(PictureMemoryTest, TinyFilesDeclaringHugePicturesCostNothing) {
  using namespace testing;
  ScratchDir dir;
  const Raster small{8, 8, std::vector<std::uint8_t>(8 * 8 * 3, 128)};
  const struct {
    const char* name;
    std::string bytes;
    int width, height;
  } cases[] = {
      {"wide-rgba16.png", PngFile(Ihdr(1u << 28, 1, 16, 6), std::string(64, '\0')), 1 << 28, 1},
      {"square.png", PngFile(Ihdr(16384, 16384, 8, 2), std::string(64, '\0')), 16384, 16384},
      {"square.gif",
       GifHeader(16384, 16384, kFourColours) + GifFrameBytes({0, 0, 1, 1, {1}, -1, ""}) + ";",
       16384, 16384},
      {"square-rle.bmp", RleBmp(16384, 16384), 16384, 16384},
      {"square-progressive.jpg", Patched(EncodeJpeg(small, 75, true), 16384, 16384), 16384, 16384},
      {"square.tif", GreyTiff(16384, 16384), 16384, 16384},
      {"square.webp", LosslessWebp(16383, 16383), 16383, 16383},
  };
  ResetPictureMemoryPeak();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.file(c.name);
    WriteBytes(path, c.bytes);
    const PictureKind kind = AnyPictureKind(path);
    const ImageSize size = GetImageSize(path, kind);
    EXPECT_EQ(size.width, c.width);
    EXPECT_EQ(size.height, c.height);
    const std::string refusal = TooLargeToDecode(c.width, c.height);
    try {
      DecodePicture(path, kind);
      ADD_FAILURE() << "decoded";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), refusal);
    }
    for (Sampler sampler : {Sampler::Point, Sampler::Smooth}) {
      RecordingHost host;
      try {
        MakeScaledJpeg(host, path, kind, dir.file("thumb.jpg"), 100, 75, true, sampler);
        ADD_FAILURE() << "scaled";
      } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), refusal);
      }
    }
  }
  EXPECT_LT(PictureMemoryPeak(), 16 * kMiB);
  EXPECT_EQ(PictureMemoryInUse(), 0u);
}

}  // namespace
}  // namespace fw
