// Small picture files that declare huge pictures, for the memory figures of bench/memory.sh:
//   bench_hostile DIR     writes the files below into DIR and lists them
// Each is well under 1 MB; each declares a picture of hundreds of megabytes or more, some
// past what a picture may cost, some just within it.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// clang-format off
#include <cstddef>
#include <jpeglib.h>
// clang-format on

namespace {

std::string Be32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
std::string Le16(unsigned v) { return {char(v & 255), char(v >> 8)}; }
std::string Le32(std::uint32_t v) { return Le16(v & 0xffff) + Le16(v >> 16); }

std::string Chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
  return Be32(std::uint32_t(data.size())) + body + Be32(std::uint32_t(crc));
}

// A PNG whose image data are a few inflated zero bytes: every row it declares is black.
std::string Png(std::uint32_t w, std::uint32_t h, int depth, int type) {
  const std::string zeros(64, '\0');
  std::string z(compressBound(zeros.size()), '\0');
  uLongf n = z.size();
  compress(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(zeros.data()),
           zeros.size());
  z.resize(n);
  const std::string ihdr = Be32(w) + Be32(h) + char(depth) + char(type) + std::string(3, '\0');
  return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", ihdr) + Chunk("IDAT", z) +
         Chunk("IEND", "");
}

// A logical screen of w x h holding one 1 x 1 frame.
std::string Gif(unsigned w, unsigned h) {
  std::string g = "GIF89a" + Le16(w) + Le16(h) + std::string("\x80\0\0", 3) +
                  std::string("\0\0\0\xff\xff\xff", 6);
  g += "," + Le16(0) + Le16(0) + Le16(1) + Le16(1) + std::string(1, '\0');
  g += std::string("\x02\x02\x44\x01\x00", 5);
  return g + ";";
}

// An RLE8 bitmap of w x h whose data are a few runs and the end marker.
std::string RleBmp(int w, int h) {
  std::string pixels;
  for (int i = 0; i < 200; ++i) pixels += std::string("\xff\x01", 2);
  pixels += std::string("\0\1", 2);
  std::string palette;
  for (int i = 0; i < 2; ++i)
    palette += std::string({char(i * 255), char(i * 255), char(i * 255), 0});
  const std::uint32_t offset = 14 + 40 + std::uint32_t(palette.size());
  std::string info = Le32(40) + Le32(std::uint32_t(w)) + Le32(std::uint32_t(h)) + Le16(1) +
                     Le16(8) + Le32(1) + Le32(std::uint32_t(pixels.size())) + Le32(0) + Le32(0) +
                     Le32(2) + Le32(0);
  return "BM" + Le32(offset + std::uint32_t(pixels.size())) + Le32(0) + Le32(offset) + info +
         palette + pixels;
}

// A progressive 4:4:4 JPEG of 8 x 8 pixels whose frame header is then made to declare w x h:
// a decoder that keeps the whole picture's coefficients takes 6 bytes a pixel for it.
std::string ProgressiveJpeg(unsigned w, unsigned h) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buf, &size);
  c.image_width = c.image_height = 8;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  for (int i = 0; i < 3; ++i) c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
  jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(8 * 3, 128);
  while (c.next_scanline < 8) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  std::string out(reinterpret_cast<char*>(buf), size);
  jpeg_destroy_compress(&c);
  std::free(buf);
  const auto sof = out.find("\xff\xc2");
  out[sof + 5] = char(h >> 8), out[sof + 6] = char(h & 255);
  out[sof + 7] = char(w >> 8), out[sof + 8] = char(w & 255);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_hostile DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  std::filesystem::create_directories(dir);
  // Past the bounds, and about as large as a picture may be.
  const std::pair<const char*, std::string> files[] = {
      {"wide-rgba16.png", Png(1u << 28, 1, 16, 6)},
      {"square-16384.png", Png(16384, 16384, 8, 2)},
      {"square-16384.gif", Gif(16384, 16384)},
      {"square-16384-rle.bmp", RleBmp(16384, 16384)},
      {"square-16384-progressive.jpg", ProgressiveJpeg(16384, 16384)},
      {"square-11000.png", Png(11000, 11000, 8, 2)},
      {"square-11000.gif", Gif(11000, 11000)},
      {"square-11000-rle.bmp", RleBmp(11000, 11000)},
      {"square-7900-progressive.jpg", ProgressiveJpeg(7900, 7900)},
  };
  for (const auto& [name, bytes] : files) {
    std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
    std::printf("%s %zu\n", name, bytes.size());
  }
  return 0;
}
