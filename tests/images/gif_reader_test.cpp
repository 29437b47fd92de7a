// The GIF reader on pictures made in code: placement of the first frame, animation, lenient
// endings and hostile input.
#include <gtest/gtest.h>

#include "common/error.h"
#include "gif_test_file.h"
#include "images/gif_reader.h"
#include "support/fixtures.h"

namespace fw {
namespace {

using namespace fw::testing;

using Pixel = std::vector<std::uint8_t>;

Pixel At(const Raster& r, int x, int y) {
  const std::uint8_t* p = r.row(y) + x * 3;
  return {p[0], p[1], p[2]};
}

const Pixel kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0};

std::string MessageOf(const std::string& bytes) {
  return test::MessageOf([&] { DecodeGif(bytes); }, "(decoded)");
}

TEST(GifReader, SmallFirstFrameIsDrawnAtItsOffsetOnTheScreen) {
  GifFrame f{10, 10, 50, 50, std::vector<std::uint8_t>(2500, 2), -1, {}};
  const std::string gif = GifHeader(200, 150, kFourColours, 1) + GifFrameBytes(f) + ';';
  const GifInfo size = GifSizeFromMemory(gif);
  EXPECT_EQ(size.width, 200);
  EXPECT_EQ(size.height, 150);
  GifInfo info;
  const Raster r = DecodeGif(gif, &info);
  ASSERT_EQ(r.width, 200);
  ASSERT_EQ(r.height, 150);
  EXPECT_EQ(At(r, 10, 10), kRed);
  EXPECT_EQ(At(r, 59, 59), kRed);
  EXPECT_EQ(At(r, 9, 10), kWhite);  // uncovered parts show the background colour
  EXPECT_EQ(At(r, 60, 59), kWhite);
  EXPECT_EQ(info.firstLeft, 10);
  EXPECT_EQ(info.firstWidth, 50);

  // A frame partly outside the screen is clipped, not written beyond the raster.
  GifFrame wide{190, 140, 20, 20, std::vector<std::uint8_t>(400, 3), -1, {}};
  const Raster c = DecodeGif(GifHeader(200, 150, kFourColours) + GifFrameBytes(wide) + ';');
  EXPECT_EQ(At(c, 199, 149), kGreen);
  EXPECT_EQ(At(c, 189, 149), kBlack);
}

TEST(GifReader, OnlyTheFirstFrameOfAnAnimationIsShown) {
  GifFrame first{0, 0, 2, 1, {1, 2}, -1, {}};
  GifFrame second{0, 0, 2, 1, {3, 3}, -1, {}};
  const std::string loop = std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\0\0\0", 19);
  const std::string gif =
      GifHeader(2, 1, kFourColours) + loop + GifFrameBytes(first) + GifFrameBytes(second) + ';';
  GifInfo info;
  const Raster r = DecodeGif(gif, &info);
  EXPECT_EQ(info.frames, 2);
  EXPECT_EQ(At(r, 0, 0), kWhite);
  EXPECT_EQ(At(r, 1, 0), kRed);
  // A frame the size of the screen is taken as it is, whatever its offset says.
  GifFrame offset{5, 5, 2, 1, {2, 3}, -1, {}};
  const Raster o = DecodeGif(GifHeader(2, 1, kFourColours) + GifFrameBytes(offset));
  EXPECT_EQ(At(o, 0, 0), kRed);
  // A looping block shorter than its fields.
  EXPECT_EQ(MessageOf(GifHeader(2, 1, kFourColours) +
                      std::string("\x21\xFF\x0BNETSCAPE2.0\x01\x01\0", 17) + GifFrameBytes(first)),
            "Invalid GIF data");
}

TEST(GifReader, CutShortDataKeepsThePresetIndex) {
  GifFrame f{0, 0, 4, 1, {2, 2, 2, 2}, -1, {}};
  std::string plain = GifHeader(4, 1, kFourColours) + GifFrameBytes(f) + ';';
  // Keep the first pixel's codes only: clear and one literal.
  std::string cut = GifHeader(4, 1, kFourColours) + ',' + Le16(0) + Le16(0) + Le16(4) + Le16(1) +
                    '\0' + std::string("\x08\x03", 2) + std::string("\x00\x05\x00", 3);
  const Raster r = DecodeGif(cut);
  EXPECT_EQ(At(r, 0, 0), kRed);
  EXPECT_EQ(At(r, 3, 0), kBlack);
  f.transparent = 1;
  std::string withTransparency = GifHeader(4, 1, kFourColours) +
                                 std::string("\x21\xF9\x04\x01\0\0\x01\0", 8) +
                                 cut.substr(GifHeader(4, 1, kFourColours).size());
  EXPECT_EQ(At(DecodeGif(withTransparency), 3, 0), kWhite);
  // Every prefix of a valid file decodes or fails with a message, never beyond a buffer.
  for (std::size_t n = 0; n < plain.size(); ++n) {
    try {
      DecodeGif(plain.substr(0, n));
    } catch (const Error&) {
    }
  }
  EXPECT_EQ(MessageOf(plain.substr(0, 10)), "Unexpected end of the GIF file");
}

TEST(GifReader, LenientEnds) {
  GifFrame f{0, 0, 2, 1, {1, 3}, -1, {}};
  const std::string body = GifHeader(2, 1, kFourColours) + GifFrameBytes(f);
  const Raster r = DecodeGif("junk" + body);  // four bytes before the header
  EXPECT_EQ(At(r, 1, 0), kGreen);
  GifInfo info;
  DecodeGif(body + 'X' + GifFrameBytes(f) + ';', &info);  // a stray byte ends the frames
  EXPECT_EQ(info.frames, 1);
  DecodeGif(body, &info);  // no trailer
  EXPECT_EQ(info.frames, 1);
  EXPECT_EQ(MessageOf("jun" + body), "Invalid GIF signature");
  EXPECT_EQ(MessageOf("PNG89a" + body.substr(6)), "Invalid GIF signature");
  EXPECT_EQ(At(DecodeGif("gif89a" + body.substr(6)), 0, 0), kWhite);
  EXPECT_THROW(DecodeGif(GifHeader(2, 1, kFourColours) + ';'), Error);  // no frame to show
  EXPECT_EQ(GifSizeFromMemory(GifHeader(2, 1, kFourColours) + ';').width, 2);
}

TEST(GifReader, InterlacedRowsAndBadCodes) {
  // Rows stored in pass order 0, 4, 2, 6 | 1, 3, 5 for a 1 x 7 frame.
  std::vector<std::uint8_t> stored = {0, 0, 2, 2, 1, 1, 1};
  GifFrame f{0, 0, 1, 7, stored, -1, {}};
  std::string gif = GifHeader(1, 7, kFourColours) + GifFrameBytes(f);
  gif[GifHeader(1, 7, kFourColours).size() + 9] = char(0x40);
  const Raster r = DecodeGif(gif);
  const std::vector<Pixel> expected{kBlack, kWhite, kRed, kWhite, kBlack, kWhite, kRed};
  for (int y = 0; y < 7; ++y) EXPECT_EQ(At(r, 0, y), expected[y]) << y;

  // Code 300 after a clear code refers to nothing yet.
  std::string bad = GifHeader(2, 1, kFourColours) + ',' + Le16(0) + Le16(0) + Le16(2) + Le16(1) +
                    '\0' + std::string("\x08\x03\x00\x59\x02\x00", 6);
  EXPECT_EQ(MessageOf(bad), "Circular decoder table entry");
}

}  // namespace
}  // namespace fw
