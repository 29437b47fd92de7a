// Our PNG reader over the public PNG suite, against libpng's decode of the same files.
#include <gtest/gtest.h>

#include <cmath>
#include <csetjmp>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "images/png_reader.h"

#ifdef FW_HAVE_LIBPNG
#include <png.h>
#endif

namespace fw {
namespace {

namespace stdfs = std::filesystem;

std::vector<stdfs::path> SuiteFiles() {
  std::vector<stdfs::path> files;
  const stdfs::path dir = stdfs::path(FW_TESTDATA_DIR) / "png";
  if (!stdfs::is_directory(dir)) return files;
  for (const auto& e : stdfs::directory_iterator(dir))
    if (e.path().extension() == ".png") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

bool IsCorruptSample(const stdfs::path& p) { return p.filename().string()[0] == 'x'; }

#ifdef FW_HAVE_LIBPNG

struct Source {
  const std::string* bytes;
  std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t size) {
  auto* s = static_cast<Source*>(png_get_io_ptr(png));
  if (s->bytes->size() - s->pos < size) png_error(png, "read past end");
  std::memcpy(out, s->bytes->data() + s->pos, size);
  s->pos += size;
}

void Quiet(png_structp, png_const_charp) {}

// libpng's decode, reduced by our reader's rules: 16-bit samples to their high byte, alpha
// dropped, grey spread over 0..255 and expanded, the gAMA correction applied.
Raster ReferenceDecode(const std::string& bytes) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, Quiet);
  png_infop info = png_create_info_struct(png);
  Raster r;
  std::vector<std::uint8_t> pixels;
  std::vector<png_bytep> rows;
  Source src{&bytes, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    ADD_FAILURE() << "libpng rejected a suite file";
    return {};
  }
  png_set_read_fn(png, &src, ReadFromMemory);
  png_read_info(png, info);
  const int depth = png_get_bit_depth(png, info);
  const int type = png_get_color_type(png, info);
  if (depth == 16) png_set_strip_16(png);
  if (depth < 8) png_set_packing(png);
  if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const int channels = png_get_channels(png, info);
  r.width = int(png_get_image_width(png, info));
  r.height = int(png_get_image_height(png, info));
  const std::size_t stride = png_get_rowbytes(png, info);
  pixels.resize(stride * r.height);
  for (int y = 0; y < r.height; ++y) rows.push_back(pixels.data() + stride * y);
  png_read_image(png, rows.data());

  std::uint8_t gamma[256];
  png_fixed_point g = 0;
  const bool hasGamma = png_get_gAMA_fixed(png, info, &g) != 0;
  for (int i = 0; i < 256; ++i) {
    const double e = 1.0 / ((g == 0 ? 1 : g) / 100000.0 * 2.2);
    gamma[i] = hasGamma ? std::uint8_t(std::nearbyint(255.0 * std::pow(i / 255.0, e))) : i;
  }
  png_colorp plte = nullptr;
  int entries = 0;
  if (type == PNG_COLOR_TYPE_PALETTE) png_get_PLTE(png, info, &plte, &entries);

  r.rgb.resize(std::size_t(r.width) * r.height * 3);
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) {
      const std::uint8_t* s = rows[y] + std::size_t(x) * channels;
      std::uint8_t* d = r.row(y) + std::size_t(x) * 3;
      if (type == PNG_COLOR_TYPE_PALETTE) {
        const png_color c = s[0] < entries ? plte[s[0]] : png_color{0, 0, 0};
        d[0] = gamma[c.red], d[1] = gamma[c.green], d[2] = gamma[c.blue];
      } else if (channels <= 2) {
        d[0] = d[1] = d[2] = gamma[s[0]];
      } else {
        d[0] = gamma[s[0]], d[1] = gamma[s[1]], d[2] = gamma[s[2]];
      }
    }
  png_destroy_read_struct(&png, &info, nullptr);
  return r;
}

TEST(PngSuite, EveryValidFileDecodesToLibpngsPixels) {
  const auto files = SuiteFiles();
  if (files.empty()) GTEST_SKIP() << "no PNG suite at " << FW_TESTDATA_DIR;
  int compared = 0;
  for (const auto& path : files) {
    if (IsCorruptSample(path)) continue;
    SCOPED_TRACE(path.filename().string());
    const std::string bytes = fs::ReadFile(path.string());
    Raster ours;
    ASSERT_NO_THROW(ours = DecodePng(bytes));
    const Raster ref = ReferenceDecode(bytes);
    ASSERT_EQ(ours.width, ref.width);
    ASSERT_EQ(ours.height, ref.height);
    ASSERT_EQ(ours.rgb, ref.rgb);
    const PngInfo size = ReadPngSize(path.string());
    EXPECT_EQ(size.width, ref.width);
    EXPECT_EQ(size.height, ref.height);
    ++compared;
  }
  EXPECT_GT(compared, 150);
}

#endif  // FW_HAVE_LIBPNG

TEST(PngSuite, EveryCorruptFileFailsWithAMessage) {
  const auto files = SuiteFiles();
  if (files.empty()) GTEST_SKIP() << "no PNG suite at " << FW_TESTDATA_DIR;
  int rejected = 0;
  for (const auto& path : files) {
    if (!IsCorruptSample(path)) continue;
    SCOPED_TRACE(path.filename().string());
    try {
      ReadPng(path.string());
      ADD_FAILURE() << "decoded a corrupt file";
    } catch (const Error& e) {
      EXPECT_STRNE(e.what(), "");
      ++rejected;
    }
    EXPECT_THROW(ReadPngSize(path.string()), Error);
  }
  EXPECT_EQ(rejected, 14);
}

// The messages of the suite's corrupt files, one for each way a file can be wrong.
TEST(PngSuite, CorruptFilesTellWhatIsWrong) {
  if (SuiteFiles().empty()) GTEST_SKIP() << "no PNG suite at " << FW_TESTDATA_DIR;
  const auto message = [](const char* name) -> std::string {
    try {
      ReadPng((stdfs::path(FW_TESTDATA_DIR) / "png" / name).string());
    } catch (const Error& e) {
      return e.what();
    }
    return "(decoded)";
  };
  EXPECT_EQ(message("xs1n0g01.png"),
            "Invalid Portable Graphics Network image, it has an invalid file header.");
  EXPECT_EQ(message("xcrn0g04.png"),
            "Invalid Portable Graphics Network image, it has an invalid file header.");
  EXPECT_EQ(message("xhdn0g08.png"), "Can't read the PNG image, it has corrupted data. ");
  EXPECT_EQ(message("xcsn0g01.png"), "Can't read the PNG image, it has corrupted data. ");
  EXPECT_EQ(message("xc1n0g08.png"),
            "Could not read the image because it has an unknown color type.");
  EXPECT_EQ(message("xdtn0g01.png"),
            "The current image being loaded has no data and could not be loaded.");
  EXPECT_EQ(message("xd3n2c08.png"),
            "Could not read the image because it has an invalid bit depth.");
}

}  // namespace
}  // namespace fw
