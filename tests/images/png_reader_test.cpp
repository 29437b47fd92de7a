// The PNG reader on pictures made in code: chunk rules, palettes, gamma, interlacing, and
// hostile input.
#include <gtest/gtest.h>

#include "common/error.h"
#include "images/png_reader.h"
#include "png_test_file.h"
#include "support/fixtures.h"

namespace fw {
namespace {

using namespace fw::testing;

std::string MessageOf(const std::string& bytes) {
  return test::MessageOf([&] { DecodePng(bytes); }, "(decoded)");
}

// A 2 x 2 truecolour picture: red, green / blue, grey 128.
std::string TwoByTwo(const std::string& before = "", const std::string& after = "") {
  return PngFile(Ihdr(2, 2, 8, 2),
                 RgbRows({{255, 0, 0, 0, 255, 0}, {0, 0, 255, 128, 128, 128}}), before, after);
}

const char kCorrupt[] = "Can't read the PNG image, it has corrupted data. ";

TEST(PngChunks, CrcGuardsEveryChunkAndUnknownChunksFollowTheirKind) {
  const Raster plain = DecodePng(TwoByTwo());
  EXPECT_EQ(plain.rgb, (std::vector<std::uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 128, 128, 128}));

  std::string text = TwoByTwo(PngChunk("tEXt", std::string("Title\0Hello", 11)));
  EXPECT_EQ(DecodePng(text).rgb, plain.rgb);
  text[8 + 25 + 8 + 3] ^= 0x01;  // a byte inside the tEXt data
  EXPECT_EQ(MessageOf(text), kCorrupt);

  EXPECT_EQ(DecodePng(TwoByTwo(PngChunk("prVt", "anything"))).rgb, plain.rgb);
  EXPECT_EQ(MessageOf(TwoByTwo(PngChunk("PRVT", "anything"))),
            "The currently being loaded image contains critical(s) chunk(s) not reconized by the "
            "decoder.");
  // Chunks after IEND are never read.
  EXPECT_EQ(DecodePng(TwoByTwo() + "junk after the end").rgb, plain.rgb);
}

TEST(PngChunks, StructureErrors) {
  EXPECT_EQ(MessageOf("GIF89a"),
            "Invalid Portable Graphics Network image, it has an invalid file header.");
  EXPECT_EQ(MessageOf(kPngSignature),
            "This PNG image is invalid, the IHDR chunk is either not present or it isn't the "
            "first chunk.");
  const std::string raw = RgbRows({{1, 2, 3}});
  EXPECT_EQ(MessageOf(kPngSignature + PngChunk("gAMA", Be32(45455)) + Ihdr(1, 1, 8, 2) +
                      PngChunk("IDAT", Deflate(raw)) + PngChunk("IEND", "")),
            "This PNG image is invalid, the IHDR chunk is either not present or it isn't the "
            "first chunk.");
  EXPECT_EQ(MessageOf(kPngSignature + Ihdr(1, 1, 8, 2) + PngChunk("IEND", "")),
            "The current image being loaded has no data and could not be loaded.");
  // A length that runs past the end of the file, or wraps around, is corrupt data.
  std::string file = TwoByTwo();
  EXPECT_EQ(MessageOf(file.substr(0, file.size() - 20)), kCorrupt);
  file.replace(8 + 25, 4, Be32(0xFFFFFFF0u));
  EXPECT_EQ(MessageOf(file), kCorrupt);
  EXPECT_EQ(MessageOf(PngFile(Ihdr(2, 2, 8, 2), RgbRows({{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}}))
                          .replace(8 + 8 + 12, 1, "\x07")),
            kCorrupt);  // a changed interlace byte breaks the IHDR's CRC
}

TEST(PngDecode, HeaderKindsAndFilters) {
  EXPECT_EQ(MessageOf(PngFile(Ihdr(1, 1, 8, 3), std::string(2, '\0'))),
            "The current image requeries a palette but it is not avaliable.");
  EXPECT_EQ(MessageOf(PngFile(Ihdr(1, 1, 8, 3), std::string(2, '\0'), PngChunk("PLTE", "abcd"))),
            "The current image being loaded has an invalid palette!");
  EXPECT_EQ(MessageOf(PngFile(Ihdr(1, 1, 8, 5), std::string(2, '\0'))),
            "Could not read the image because it has an unknown color type.");
  EXPECT_EQ(MessageOf(PngFile(Ihdr(1, 1, 8, 2, 2), std::string(4, '\0'))),
            "The image has an unknown interlace method.");
  EXPECT_EQ(MessageOf(PngFile(Ihdr(1, 1, 8, 2), std::string("\x05\0\0\0", 4))),
            "The image could not be loaded because it uses an unknown set of filter types.");
  EXPECT_EQ(MessageOf(PngFile(Ihdr(1u << 15, 1u << 14, 8, 2), "")),
            "Picture too large to decode (32768 x 16384 pixels)");

  // Indices past the palette's end show black instead of reading beyond it.
  const Raster indexed = DecodePng(
      PngFile(Ihdr(2, 1, 8, 3), std::string("\0\0\x09", 3), PngChunk("PLTE", "\x10\x20\x30")));
  EXPECT_EQ(indexed.rgb, (std::vector<std::uint8_t>{0x10, 0x20, 0x30, 0, 0, 0}));

  // 2-bit grey spreads its four levels over 0..255.
  const Raster grey = DecodePng(PngFile(Ihdr(4, 1, 2, 0), std::string("\0\x1b", 2)));
  EXPECT_EQ(grey.rgb, (std::vector<std::uint8_t>{0, 0, 0, 85, 85, 85, 170, 170, 170, 255, 255, 255}));
}

TEST(PngDecode, SixteenBitsAlphaAndGamma) {
  // 16-bit truecolour with alpha: high bytes kept, alpha (0 here) never blends.
  const std::string rgba16("\0\x12\x34\x56\x78\x9a\xbc\0\0", 9);
  EXPECT_EQ(DecodePng(PngFile(Ihdr(1, 1, 16, 6), rgba16)).rgb,
            (std::vector<std::uint8_t>{0x12, 0x56, 0x9a}));
  EXPECT_EQ(DecodePng(PngFile(Ihdr(1, 1, 8, 6), std::string("\0\0\0\0\0", 5))).rgb,
            (std::vector<std::uint8_t>{0, 0, 0}));

  const std::string rows = RgbRows({{128, 64, 0}});
  EXPECT_EQ(DecodePng(PngFile(Ihdr(1, 1, 8, 2), rows, PngChunk("gAMA", Be32(100000)))).rgb,
            (std::vector<std::uint8_t>{186, 136, 0}));
  EXPECT_EQ(DecodePng(PngFile(Ihdr(1, 1, 8, 2), rows, PngChunk("gAMA", Be32(45455)))).rgb,
            (std::vector<std::uint8_t>{128, 64, 0}));
  // The table also corrects palettes and grey levels.
  EXPECT_EQ(DecodePng(PngFile(Ihdr(1, 1, 8, 3), std::string(2, '\0'),
                              PngChunk("gAMA", Be32(100000)) + PngChunk("PLTE", std::string("\x80\x40\0", 3))))
                .rgb,
            (std::vector<std::uint8_t>{186, 136, 0}));
  EXPECT_EQ(DecodePng(PngFile(Ihdr(1, 1, 8, 0), std::string("\0\x80", 2),
                              PngChunk("gAMA", Be32(100000))))
                .rgb,
            (std::vector<std::uint8_t>{186, 186, 186}));
  // tRNS is recorded, not applied.
  PngInfo info;
  EXPECT_EQ(DecodePng(PngFile(Ihdr(1, 1, 8, 2), rows, PngChunk("tRNS", std::string(6, '\x01'))),
                      &info)
                .rgb,
            (std::vector<std::uint8_t>{128, 64, 0}));
  EXPECT_TRUE(info.hasTransparentColor);
  EXPECT_EQ(info.transparentRed, 0x0101);
}

TEST(PngDecode, InterlacedEqualsNonInterlaced) {
  // 3 x 3 grey: Adam7 passes 1, 4, 6 and 7 hold pixels there; 2, 3 and 5 take no bytes.
  const std::uint8_t v[3][3] = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  std::string flat;
  for (const auto& r : v) flat += std::string(1, '\0') + char(r[0]) + char(r[1]) + char(r[2]);
  std::string adam7;
  adam7 += std::string(1, '\0') + char(v[0][0]);                   // pass 1: (0,0)
  adam7 += std::string(1, '\0') + char(v[0][2]);                   // pass 4: (2,0)
  adam7 += std::string(1, '\0') + char(v[2][0]) + char(v[2][2]);   // pass 5: (0,2) (2,2)
  adam7 += std::string(1, '\0') + char(v[0][1]);                   // pass 6: (1,0)
  adam7 += std::string(1, '\0') + char(v[2][1]);                   // pass 6: (1,2)
  adam7 += std::string(1, '\0') + char(v[1][0]) + char(v[1][1]) + char(v[1][2]);  // pass 7
  const Raster a = DecodePng(PngFile(Ihdr(3, 3, 8, 0), flat));
  const Raster b = DecodePng(PngFile(Ihdr(3, 3, 8, 0, 1), adam7));
  EXPECT_EQ(a.rgb, b.rgb);
  EXPECT_EQ(a.rgb[3 * 4], 50);
}

TEST(PngDecode, CutShortOrCorruptStreams) {
  // A stream that stops after the first row leaves the second black.
  const std::string raw = RgbRows({{9, 9, 9}, {7, 7, 7}});
  std::string deflated = Deflate(raw);
  z_stream z{};
  std::string partial(64, '\0');
  deflateInit(&z, 9);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
  z.avail_in = 4;
  z.next_out = reinterpret_cast<Bytef*>(partial.data());
  z.avail_out = uInt(partial.size());
  deflate(&z, Z_SYNC_FLUSH);
  partial.resize(partial.size() - z.avail_out);
  deflateEnd(&z);
  const std::string cut = kPngSignature + Ihdr(1, 2, 8, 2) + PngChunk("IDAT", partial) +
                          PngChunk("IEND", "");
  EXPECT_EQ(DecodePng(cut).rgb, (std::vector<std::uint8_t>{9, 9, 9, 0, 0, 0}));

  deflated[2] = char(0xFF);  // an invalid block type
  const std::string bad = kPngSignature + Ihdr(1, 2, 8, 2) + PngChunk("IDAT", deflated) +
                          PngChunk("IEND", "");
  EXPECT_NE(MessageOf(bad), "(decoded)");
}

// Every prefix and many single-byte changes of a valid file either decode or fail with a
// message; under the sanitizers this also proves no read or write beyond a buffer.
TEST(PngDecode, HostileBytesNeverEscapeTheBuffers) {
  const std::string good = PngFile(Ihdr(5, 3, 4, 3, 1), std::string(3 * 40, '\x21'),
                                   PngChunk("PLTE", std::string(9, '\x40')));
  for (std::size_t n = 0; n < good.size(); ++n) {
    try {
      DecodePng(good.substr(0, n));
    } catch (const Error&) {
    }
  }
  // Changes to the IHDR fields with a fixed CRC, so the decoder sees them (sizes kept small).
  for (int field : {19, 23, 24, 25, 26, 27, 28})
    for (int value : {0, 1, 3, 7, 16, 0x80, 0xFF}) {
      std::string f = kPngSignature +
                      PngChunk("IHDR", std::string(good, 16, 13).replace(field - 16, 1, 1, char(value))) +
                      good.substr(8 + 25);
      try {
        DecodePng(f);
      } catch (const Error&) {
      }
    }
}

}  // namespace
}  // namespace fw
