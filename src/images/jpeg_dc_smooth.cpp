#include "images/jpeg_dc_smooth.h"

#include <algorithm>
#include <vector>

#include "common/fs.h"
#include "images/jpeg_dc_scans.h"
#include "images/jpeg_errors.h"
#include "images/jpeg_file_source.h"
#include "images/jpeg_icc.h"
#include "images/jpeg_rows.h"
#include "images/jpeg_smooth.h"
#include "images/orient.h"
#include "images/picture_memory.h"
#include "images/scaler.h"
#include "images/smooth_scaler.h"

namespace fw {
namespace {

bool Supported(j_decompress_ptr cinfo) {
  if (!cinfo->progressive_mode || cinfo->arith_code || cinfo->data_precision != 8) return false;
  const bool grey = cinfo->jpeg_color_space == JCS_GRAYSCALE && cinfo->num_components == 1;
  const bool colour = (cinfo->jpeg_color_space == JCS_YCbCr ||
                       cinfo->jpeg_color_space == JCS_RGB) && cinfo->num_components == 3;
  if (!grey && !colour) return false;
  // libjpeg upsamples by whole factors only.
  for (int i = 0; i < cinfo->num_components; ++i)
    if (cinfo->max_h_samp_factor % cinfo->comp_info[i].h_samp_factor != 0 ||
        cinfo->max_v_samp_factor % cinfo->comp_info[i].v_samp_factor != 0)
      return false;
  return true;
}

// libjpeg's YCbCr to RGB tables: 16 fraction bits, rounded as it rounds them.
struct YccTables {
  int crR[256], cbB[256];
  long crG[256], cbG[256];
  YccTables() {
    auto fix = [](double v) { return long(v * 65536 + 0.5); };
    for (int i = 0; i < 256; ++i) {
      const long x = i - 128;
      crR[i] = int((fix(1.40200) * x + 32768) >> 16);
      cbB[i] = int((fix(1.77200) * x + 32768) >> 16);
      crG[i] = -fix(0.71414) * x;
      cbG[i] = -fix(0.34414) * x + 32768;
    }
  }
};

int EighthOf(JDIMENSION length) { return int((length + 7) / 8); }

std::uint8_t Clamp(int v) { return std::uint8_t(std::clamp(v, 0, 255)); }

// The picture at 1/8 of its size, one pixel per block of the largest sampling. Subsampled
// components repeat their block means, as libjpeg repeats its samples at that scale; where it
// scales up the inverse DCT of subsampled chroma instead (4:2:0), the detail its AC
// coefficients add within a block is not known here.
Raster EighthRaster(j_decompress_ptr cinfo, const std::vector<DcSamples>& planes) {
  static const YccTables ycc;
  Raster r = NewRaster(EighthOf(cinfo->image_width), EighthOf(cinfo->image_height),
                       TooLargeToDecode(cinfo->image_width, cinfo->image_height));
  const std::size_t n = planes.size();
  std::vector<std::size_t> column[3];
  for (std::size_t c = 0; c < n; ++c)
    for (int x = 0; x < r.width; ++x)
      column[c].push_back(std::size_t(x * cinfo->comp_info[c].h_samp_factor /
                                      cinfo->max_h_samp_factor));
  const std::uint8_t* in[3] = {};
  for (int y = 0; y < r.height; ++y) {
    for (std::size_t c = 0; c < n; ++c) {
      const int row = y * cinfo->comp_info[c].v_samp_factor / cinfo->max_v_samp_factor;
      in[c] = planes[c].level.data() + std::size_t(row) * std::size_t(planes[c].width);
    }
    std::uint8_t* o = r.row(y);
    for (std::size_t x = 0; x < std::size_t(r.width); ++x, o += 3) {
      if (n == 1) {
        o[0] = o[1] = o[2] = in[0][column[0][x]];
        continue;
      }
      const int a = in[0][column[0][x]], b = in[1][column[1][x]], c = in[2][column[2][x]];
      if (cinfo->jpeg_color_space == JCS_RGB) {
        o[0] = std::uint8_t(a), o[1] = std::uint8_t(b), o[2] = std::uint8_t(c);
        continue;
      }
      o[0] = Clamp(a + ycc.crR[c]);
      o[1] = Clamp(a + int((ycc.cbG[b] + ycc.crG[c]) >> 16));
      o[2] = Clamp(a + ycc.cbB[b]);
    }
  }
  return r;
}

}  // namespace

std::optional<Raster> SmoothJpegFromDc(const std::string& path, int size, int orientation,
                                       Host& host) {
  if (size < 1) return std::nullopt;
  JpegFileSource source(path);
  JpegDecompressor d;
  std::string icc;
  PictureMemory claim;
  std::optional<std::vector<DcSamples>> planes;
  j_decompress_ptr cinfo = &d.cinfo;
  if (setjmp(d.errors.jump)) return std::nullopt;  // libjpeg's own decode reports it
  source.readHeader(cinfo);
  if (!Supported(cinfo)) return std::nullopt;
  if (std::uint64_t(cinfo->image_width) * cinfo->image_height > kMaxPixels) return std::nullopt;
  ChooseJpegOutput(cinfo);
  icc = EmbeddedIcc(cinfo);
  const bool swap = SwapsSides(orientation);
  const int width = static_cast<int>(swap ? cinfo->image_height : cinfo->image_width);
  const int height = static_cast<int>(swap ? cinfo->image_width : cinfo->image_height);
  const ScaledSize s = ScaledDimensions(width, height, size);
  if (DecodeEighths(width, height, s.width, s.height) != 1) return std::nullopt;
  // A file too short to hold a bit for each block's DC is cut short: nothing is held for it.
  if (std::uint64_t(std::max<std::int64_t>(fs::Size(path), 0)) * 8 < DcBlockCount(cinfo))
    return std::nullopt;
  claim = PictureMemory(DcSampleBytes(cinfo),
                        TooLargeToDecode(cinfo->image_width, cinfo->image_height));
  planes = ReadDcSamples(cinfo);
  if (!planes) return std::nullopt;
  source.throwIfReadFailed();

  Raster eighth = EighthRaster(cinfo, *planes);
  planes.reset();
  claim = PictureMemory();
  if (orientation != 1) eighth = TurnRaster(eighth, orientation);
  Raster out = NewScaledRaster(s);
  out.iccProfile = icc;
  SmoothScaler scaler(eighth.width, eighth.height, double(width) / s.width / 8,
                      double(height) / s.height / 8, out, host);
  for (int y = 0; y < eighth.height && !scaler.finished(); ++y) scaler.push(eighth.row(y));
  return out;
}

}  // namespace fw
