#include "images/jpeg_reader.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/error.h"
#include "common/fs.h"
#include "images/jpeg_errors.h"
#include "images/jpeg_file_source.h"
#include "images/jpeg_icc.h"
#include "images/jpeg_rows.h"

namespace fw {
namespace {

// Frees libjpeg's state on every way out, including the jump back from a libjpeg error.
struct Decompressor {
  jpeg_decompress_struct cinfo{};
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

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

// Reads the file only as far as libjpeg's header parse pulls it (up to the first scan), not
// the image data behind it.
JpegInfo ReadJpegSize(const std::string& path) {
  JpegFileSource source(path);
  if (source.empty()) return {};
  Decompressor d;
  JpegErrors errors;
  d.cinfo.err = AttachJpegErrors(errors);
  if (setjmp(errors.jump)) {
    source.throwIfReadFailed();
    ThrowJpegFailure(errors);
  }
  jpeg_create_decompress(&d.cinfo);
  source.attach(&d.cinfo);
  jpeg_read_header(&d.cinfo, TRUE);
  source.throwIfReadFailed();
  return {static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height)};
}

Raster DecodeJpeg(const std::string& bytes) {
  Raster out;
  PictureMemory decoder;
  Decompressor d;
  JpegErrors errors;
  d.cinfo.err = AttachJpegErrors(errors);
  if (setjmp(errors.jump)) ThrowJpegFailure(errors);
  jpeg_create_decompress(&d.cinfo);
  jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  KeepIccMarkers(&d.cinfo);
  jpeg_read_header(&d.cinfo, TRUE);
  CheckJpegPixelLimit(d.cinfo.image_width, d.cinfo.image_height);
  ChooseJpegOutput(&d.cinfo);
  // The output is as large as the picture: the decode is at full scale.
  decoder = PictureMemory(
      RasterBytes(d.cinfo.image_width, d.cinfo.image_height) + JpegDecoderBytes(&d.cinfo),
      TooLargeToDecode(d.cinfo.image_width, d.cinfo.image_height));
  out = NewRaster(d.cinfo.image_width, d.cinfo.image_height, decoder);
  jpeg_start_decompress(&d.cinfo);
  out.iccProfile = EmbeddedIcc(&d.cinfo);

  JSAMPARRAY line = (*d.cinfo.mem->alloc_sarray)(
      reinterpret_cast<j_common_ptr>(&d.cinfo), JPOOL_IMAGE,
      d.cinfo.output_width * static_cast<JDIMENSION>(d.cinfo.output_components), 1);
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    const int y = static_cast<int>(d.cinfo.output_scanline);
    jpeg_read_scanlines(&d.cinfo, line, 1);
    ConvertJpegRow(&d.cinfo, line[0], out.row(y));
  }
  jpeg_finish_decompress(&d.cinfo);
  return out;
}

Raster ReadJpeg(const std::string& path) { return DecodeJpeg(fs::ReadFile(path)); }

}  // namespace fw
