#include "images/jpeg_writer.h"

#include <cstdlib>

#include "images/jpeg_errors.h"

namespace fw {
namespace {

// Frees libjpeg's state and its output buffer on every way out.
struct Compressor {
  jpeg_compress_struct cinfo{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  ~Compressor() {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
  }
};

}  // namespace

std::string EncodeJpeg(const Raster& image, int quality, bool progressive) {
  Compressor c;
  JpegErrors errors;
  c.cinfo.err = AttachJpegErrors(errors);
  if (setjmp(errors.jump)) ThrowJpegFailure(errors);
  jpeg_create_compress(&c.cinfo);
  jpeg_mem_dest(&c.cinfo, &c.buffer, &c.size);
  c.cinfo.image_width = static_cast<JDIMENSION>(image.width);
  c.cinfo.image_height = static_cast<JDIMENSION>(image.height);
  c.cinfo.input_components = 3;
  c.cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c.cinfo);
  jpeg_set_quality(&c.cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&c.cinfo);
  jpeg_start_compress(&c.cinfo, TRUE);
  while (c.cinfo.next_scanline < c.cinfo.image_height) {
    // libjpeg takes non-const rows but only reads them.
    JSAMPROW row = const_cast<JSAMPROW>(image.row(static_cast<int>(c.cinfo.next_scanline)));
    jpeg_write_scanlines(&c.cinfo, &row, 1);
  }
  jpeg_finish_compress(&c.cinfo);
  return std::string(reinterpret_cast<const char*>(c.buffer), c.size);
}

}  // namespace fw
