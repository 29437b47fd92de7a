#include "images/jpeg_smooth.h"

#include <vector>

#include "images/jpeg_dc_smooth.h"
#include "images/jpeg_errors.h"
#include "images/jpeg_file_source.h"
#include "images/jpeg_icc.h"
#include "images/jpeg_rows.h"
#include "images/orient.h"
#include "images/scaler.h"
#include "images/smooth_scaler.h"

namespace fw {
namespace {

// Leave the filter at least this reduction: the scaled inverse DCT keeps each block's own
// frequencies sharply, and the filter, not it, must decide what to drop.
constexpr double kFilterReduction = 1.5;

long long Eighths(int length, int eighths) {
  return (static_cast<long long>(length) * eighths + 7) / 8;
}

}  // namespace

int DecodeEighths(int width, int height, int outWidth, int outHeight) {
  // libjpeg-turbo has SIMD code for these scales only; the others cost more than they save.
  for (int m : {1, 2, 4})
    if (Eighths(width, m) >= kFilterReduction * outWidth &&
        Eighths(height, m) >= kFilterReduction * outHeight)
      return m;
  return 8;
}

std::optional<Raster> SmoothJpegFile(const std::string& path, int size, int orientation,
                                     Host& host) {
  std::optional<Raster> fromDc = SmoothJpegFromDc(path, size, orientation, host);
  return fromDc ? std::move(fromDc) : SmoothJpegFromScaledDecode(path, size, orientation, host);
}

std::optional<Raster> SmoothJpegFromScaledDecode(const std::string& path, int size,
                                                 int orientation, Host& host) {
  if (size < 1) return std::nullopt;
  JpegFileSource source(path);
  JpegDecompressor d;
  Raster out, stored;
  PictureMemory decoder;
  std::vector<std::uint8_t> row;
  std::optional<SmoothScaler> scaler;
  j_decompress_ptr cinfo = &d.cinfo;
  if (setjmp(d.errors.jump)) {
    source.throwIfReadFailed();
    ThrowJpegFailure(d.errors);
  }
  source.readHeader(cinfo);
  CheckJpegPixelLimit(cinfo->image_width, cinfo->image_height);
  ChooseJpegOutput(cinfo);
  const bool turned = orientation != 1;
  const bool swap = SwapsSides(orientation);
  const int width = static_cast<int>(swap ? cinfo->image_height : cinfo->image_width);
  const int height = static_cast<int>(swap ? cinfo->image_width : cinfo->image_height);
  const ScaledSize s = ScaledDimensions(width, height, size);
  if (std::uint64_t(s.width) * std::uint64_t(s.height) > kMaxPixels) return std::nullopt;
  const int eighths = DecodeEighths(width, height, s.width, s.height);
  cinfo->scale_num = static_cast<unsigned>(eighths);
  cinfo->scale_denom = 8;
  jpeg_calc_output_dimensions(cinfo);
  // A turned picture is decoded whole before it is turned and filtered.
  decoder = PictureMemory(JpegDecoderBytes(cinfo) +
                              (turned ? RasterBytes(cinfo->output_width, cinfo->output_height) : 0),
                          TooLargeToDecode(cinfo->image_width, cinfo->image_height));
  jpeg_start_decompress(cinfo);

  out = NewScaledRaster(s);
  out.iccProfile = EmbeddedIcc(cinfo);
  const int decodedWidth = static_cast<int>(cinfo->output_width);
  const int decodedHeight = static_cast<int>(cinfo->output_height);
  // Source pixels, at the decoded size, that one output pixel stands for.
  const double scaleX = double(width) / s.width * eighths / 8;
  const double scaleY = double(height) / s.height * eighths / 8;
  if (turned) {
    stored = NewRaster(decodedWidth, decodedHeight, decoder);
  } else {
    row.resize(std::size_t(decodedWidth) * 3);
    scaler.emplace(decodedWidth, decodedHeight, scaleX, scaleY, out, host);
  }
  JSAMPARRAY line = JpegLineBuffer(cinfo);
  // Every row is decoded, also those past the filter's reach, so that damage anywhere fails
  // the picture as the full decode does.
  while (cinfo->output_scanline < cinfo->output_height) {
    const int y = static_cast<int>(cinfo->output_scanline);
    jpeg_read_scanlines(cinfo, line, 1);
    if (turned) {
      ConvertJpegRow(cinfo, line[0], stored.row(y));
    } else {
      ConvertJpegRow(cinfo, line[0], row.data());
      scaler->push(row.data());
    }
  }
  jpeg_finish_decompress(cinfo);
  source.throwIfReadFailed();
  if (turned) {
    const Raster shown = TurnRaster(stored, orientation);
    SmoothScaler turnedScaler(shown.width, shown.height, scaleX, scaleY, out, host);
    for (int y = 0; y < shown.height && !turnedScaler.finished(); ++y)
      turnedScaler.push(shown.row(y));
  }
  return out;
}

}  // namespace fw
