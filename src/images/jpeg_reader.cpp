#include "images/jpeg_reader.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "common/error.h"
#include "common/fs.h"
#include "images/jpeg_errors.h"
#include "images/jpeg_file_source.h"
#include "images/jpeg_icc.h"
#include "images/jpeg_rows.h"

namespace fw {
namespace {

// Runs `work` on a fresh decompressor and returns what it returns; a libjpeg error jumps back
// here, calls `beforeThrow` and raises fw::Error. The jump skips the frames of `work`, so
// whatever needs freeing lives with the caller, not in `work`.
template <class Work, class BeforeThrow>
auto Decompress(Work&& work, BeforeThrow&& beforeThrow) {
  JpegDecompressor d;
  if (setjmp(d.errors.jump)) {
    beforeThrow();
    ThrowJpegFailure(d.errors);
  }
  jpeg_create_decompress(&d.cinfo);
  return work(&d.cinfo);
}

template <class Work>
auto Decompress(Work&& work) {
  return Decompress(std::forward<Work>(work), [] {});
}

void MemorySource(j_decompress_ptr cinfo, const std::string& bytes) {
  jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
}

JpegInfo SizeOf(j_decompress_ptr cinfo) {
  jpeg_read_header(cinfo, TRUE);
  return {static_cast<int>(cinfo->image_width), static_cast<int>(cinfo->image_height)};
}

void ReadRows(j_decompress_ptr cinfo, Raster& out) {
  JSAMPARRAY line = JpegLineBuffer(cinfo);
  while (cinfo->output_scanline < cinfo->output_height) {
    const int y = static_cast<int>(cinfo->output_scanline);
    jpeg_read_scanlines(cinfo, line, 1);
    ConvertJpegRow(cinfo, line[0], out.row(y));
  }
}

}  // namespace

JpegInfo JpegSizeFromMemory(const std::string& bytes) {
  if (bytes.empty()) return {};
  return Decompress([&](j_decompress_ptr cinfo) {
    MemorySource(cinfo, bytes);
    return SizeOf(cinfo);
  });
}

// Reads the file only as far as libjpeg's header parse pulls it (up to the first scan), not
// the image data behind it.
JpegInfo ReadJpegSize(const std::string& path) {
  JpegFileSource source(path);
  if (source.empty()) return {};
  const JpegInfo info = Decompress(
      [&](j_decompress_ptr cinfo) {
        source.attach(cinfo);
        return SizeOf(cinfo);
      },
      [&] { source.throwIfReadFailed(); });
  source.throwIfReadFailed();
  return info;
}

Raster DecodeJpeg(const std::string& bytes) {
  Raster out;
  PictureMemory decoder;
  Decompress([&](j_decompress_ptr cinfo) {
    MemorySource(cinfo, bytes);
    KeepIccMarkers(cinfo);
    jpeg_read_header(cinfo, TRUE);
    CheckJpegPixelLimit(cinfo->image_width, cinfo->image_height);
    ChooseJpegOutput(cinfo);
    // The output is as large as the picture: the decode is at full scale.
    decoder = PictureMemory(
        RasterBytes(cinfo->image_width, cinfo->image_height) + JpegDecoderBytes(cinfo),
        TooLargeToDecode(cinfo->image_width, cinfo->image_height));
    out = NewRaster(cinfo->image_width, cinfo->image_height, decoder);
    jpeg_start_decompress(cinfo);
    out.iccProfile = EmbeddedIcc(cinfo);
    ReadRows(cinfo, out);
    jpeg_finish_decompress(cinfo);
  });
  return out;
}

Raster ReadJpeg(const std::string& path) { return DecodeJpeg(fs::ReadFile(path)); }

}  // namespace fw
