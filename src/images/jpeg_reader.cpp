#include "images/jpeg_reader.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/error.h"
#include "common/fs.h"
#include "images/jpeg_errors.h"

namespace fw {
namespace {

// Frees libjpeg's state on every way out, including the jump back from a libjpeg error.
struct Decompressor {
  jpeg_decompress_struct cinfo{};
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

void CheckPixelLimit(std::uint64_t width, std::uint64_t height) {
  if (width * height > kMaxPixels)
    throw Error("Picture too large to decode (" + std::to_string(width) + " x " +
                std::to_string(height) + " pixels)");
}

std::uint8_t Ink(unsigned a, unsigned b) { return std::uint8_t((a * b + 127) / 255); }

// Adobe applications store CMYK inverted (0 means full ink); without their marker the values
// are taken as plain ink amounts.
void CmykRowToRgb(const JSAMPLE* in, std::uint8_t* out, int width, bool inverted) {
  for (int x = 0; x < width; ++x, in += 4, out += 3) {
    unsigned c = in[0], m = in[1], y = in[2], k = in[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    out[0] = Ink(c, k);
    out[1] = Ink(m, k);
    out[2] = Ink(y, k);
  }
}

void GreyRowToRgb(const JSAMPLE* in, std::uint8_t* out, int width, JSAMPARRAY colormap) {
  for (int x = 0; x < width; ++x, out += 3) {
    std::uint8_t level = colormap ? colormap[0][in[x]] : in[x];
    out[0] = out[1] = out[2] = level;
  }
}

}  // namespace

JpegInfo JpegSizeFromMemory(const std::string& bytes) {
  if (bytes.empty()) return {};
  Decompressor d;
  JpegErrors errors;
  d.cinfo.err = AttachJpegErrors(errors);
  if (setjmp(errors.jump)) ThrowJpegFailure(errors);
  jpeg_create_decompress(&d.cinfo);
  jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.cinfo, TRUE);
  return {static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height)};
}

JpegInfo ReadJpegSize(const std::string& path) { return JpegSizeFromMemory(fs::ReadFile(path)); }

Raster DecodeJpeg(const std::string& bytes) {
  Raster out;
  Decompressor d;
  JpegErrors errors;
  d.cinfo.err = AttachJpegErrors(errors);
  if (setjmp(errors.jump)) ThrowJpegFailure(errors);
  jpeg_create_decompress(&d.cinfo);
  jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.cinfo, TRUE);
  CheckPixelLimit(d.cinfo.image_width, d.cinfo.image_height);

  switch (d.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
      d.cinfo.out_color_space = JCS_GRAYSCALE;
      d.cinfo.quantize_colors = TRUE;
      d.cinfo.two_pass_quantize = FALSE;
      d.cinfo.desired_number_of_colors = 236;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      d.cinfo.out_color_space = JCS_CMYK;
      break;
    default:
      d.cinfo.out_color_space = JCS_RGB;
      break;
  }
  jpeg_start_decompress(&d.cinfo);

  const int width = static_cast<int>(d.cinfo.output_width);
  const int height = static_cast<int>(d.cinfo.output_height);
  out.width = width;
  out.height = height;
  out.rgb.resize(std::size_t(width) * std::size_t(height) * 3);
  const bool inverted = d.cinfo.saw_Adobe_marker;
  JSAMPARRAY line = (*d.cinfo.mem->alloc_sarray)(
      reinterpret_cast<j_common_ptr>(&d.cinfo), JPOOL_IMAGE,
      d.cinfo.output_width * static_cast<JDIMENSION>(d.cinfo.output_components), 1);
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    const int y = static_cast<int>(d.cinfo.output_scanline);
    jpeg_read_scanlines(&d.cinfo, line, 1);
    if (d.cinfo.out_color_space == JCS_GRAYSCALE)
      GreyRowToRgb(line[0], out.row(y), width,
                   d.cinfo.quantize_colors ? d.cinfo.colormap : nullptr);
    else if (d.cinfo.out_color_space == JCS_CMYK)
      CmykRowToRgb(line[0], out.row(y), width, inverted);
    else
      std::copy(line[0], line[0] + std::size_t(width) * 3, out.row(y));
  }
  jpeg_finish_decompress(&d.cinfo);
  return out;
}

Raster ReadJpeg(const std::string& path) { return DecodeJpeg(fs::ReadFile(path)); }

}  // namespace fw
