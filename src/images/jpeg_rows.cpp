#include "images/jpeg_rows.h"

#include <cstring>
#include <vector>

#include "common/error.h"
#include "common/host.h"
#include "images/jpeg_file_source.h"
#include "images/jpeg_icc.h"
#include "images/jpeg_sampled_decode.h"
#include "images/scaler.h"

namespace fw {
namespace {

std::uint8_t Ink(unsigned a, unsigned b) { return std::uint8_t((a * b + 127) / 255); }

// Rows that libjpeg decodes together; a skip that starts and ends on their boundaries gives the
// very rows a full decode gives (its upsampler then sees the same context rows).
int RowGroup(j_decompress_ptr cinfo) {
#if JPEG_LIB_VERSION >= 70
  return cinfo->max_v_samp_factor * cinfo->min_DCT_v_scaled_size;
#else
  return cinfo->max_v_samp_factor * cinfo->min_DCT_scaled_size;
#endif
}

// Grey output is dithered across rows and CMYK is left alone; merged upsampling (fancy off)
// does not reproduce the full decode after a skip.
bool CanSkipRows(j_decompress_ptr cinfo) {
  return cinfo->out_color_space == JCS_RGB && cinfo->output_components == 3 &&
         !cinfo->quantize_colors && cinfo->do_fancy_upsampling && cinfo->scale_num == 1 &&
         cinfo->scale_denom == 1;
}

}  // namespace

void CheckJpegPixelLimit(std::uint64_t width, std::uint64_t height) {
  if (width * height > kMaxPixels) throw Error(TooLargeToDecode(width, height));
}

std::uint64_t JpegDecoderBytes(j_decompress_ptr cinfo) {
  const bool wholePicture = cinfo->progressive_mode || cinfo->buffered_image ||
                            cinfo->comps_in_scan < cinfo->num_components;
  std::uint64_t bytes = 0;
  for (int i = 0; i < cinfo->num_components; ++i) {
    const jpeg_component_info& c = cinfo->comp_info[i];
    const auto roundUp = [](std::uint64_t n, std::uint64_t m) { return (n + m - 1) / m * m; };
    const std::uint64_t columns = roundUp(c.width_in_blocks, std::uint64_t(c.h_samp_factor));
    const std::uint64_t rows = roundUp(c.height_in_blocks, std::uint64_t(c.v_samp_factor));
    if (wholePicture) bytes += columns * rows * DCTSIZE2 * sizeof(JCOEF);
    // Its samples, the upsampler's context rows and the colour converter's output, with room.
    bytes += columns * DCTSIZE * std::uint64_t(cinfo->max_v_samp_factor) * DCTSIZE * 8;
  }
  return bytes;
}

void ChooseJpegOutput(j_decompress_ptr cinfo) {
  switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
      cinfo->out_color_space = JCS_GRAYSCALE;
      cinfo->quantize_colors = TRUE;
      cinfo->two_pass_quantize = FALSE;
      cinfo->desired_number_of_colors = 236;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      cinfo->out_color_space = JCS_CMYK;
      break;
    default:
      cinfo->out_color_space = JCS_RGB;
      break;
  }
}

JSAMPARRAY JpegLineBuffer(j_decompress_ptr cinfo) {
  return (*cinfo->mem->alloc_sarray)(
      reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
      cinfo->output_width * static_cast<JDIMENSION>(cinfo->output_components), 1);
}

void ConvertJpegRow(j_decompress_ptr cinfo, const JSAMPLE* in, std::uint8_t* out) {
  const int width = static_cast<int>(cinfo->output_width);
  if (cinfo->out_color_space == JCS_GRAYSCALE) {
    JSAMPARRAY colormap = cinfo->quantize_colors ? cinfo->colormap : nullptr;
    for (int x = 0; x < width; ++x, out += 3) {
      const std::uint8_t level = colormap ? colormap[0][in[x]] : in[x];
      out[0] = out[1] = out[2] = level;
    }
  } else if (cinfo->out_color_space == JCS_CMYK) {
    // Adobe applications store CMYK inverted (0 means full ink); without their marker the
    // values are taken as plain ink amounts.
    const bool inverted = cinfo->saw_Adobe_marker;
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
      unsigned c = in[0], m = in[1], y = in[2], k = in[3];
      if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
      out[0] = Ink(c, k);
      out[1] = Ink(m, k);
      out[2] = Ink(y, k);
    }
  } else {
    std::memcpy(out, in, std::size_t(width) * 3);
  }
}

std::optional<Raster> SampleJpegFile(const std::string& path, int size, Host& host) {
  if (size < 1) return std::nullopt;
  JpegFileSource source(path);
  JpegDecompressor d;
  Raster out;
  std::vector<std::size_t> column;
  std::vector<std::uint8_t> row;
  std::vector<int> keptRows, keptColumns;
  std::optional<SampledDecode> sampled;
  PictureMemory decoder;
  j_decompress_ptr cinfo = &d.cinfo;
  if (setjmp(d.errors.jump)) {
    source.throwIfReadFailed();
    ThrowJpegFailure(d.errors);
  }
  source.readHeader(cinfo);
  CheckJpegPixelLimit(cinfo->image_width, cinfo->image_height);
  ChooseJpegOutput(cinfo);
  decoder = PictureMemory(JpegDecoderBytes(cinfo),
                          TooLargeToDecode(cinfo->image_width, cinfo->image_height));
  const int width = static_cast<int>(cinfo->image_width);
  const int height = static_cast<int>(cinfo->image_height);
  const ScaledSize s = ScaledDimensions(width, height, size);
  if (std::uint64_t(s.width) * std::uint64_t(s.height) > kMaxPixels) return std::nullopt;
  jpeg_start_decompress(cinfo);

  out = NewScaledRaster(s);
  out.iccProfile = EmbeddedIcc(cinfo);
  column = SampledColumns(s, width);
  row.resize(std::size_t(width) * 3);
  JSAMPARRAY line = JpegLineBuffer(cinfo);
  const bool skip = CanSkipRows(cinfo);
  const int group = RowGroup(cinfo);
  for (int y = 0; y < s.height; ++y) keptRows.push_back(SampledIndex(y, s.q, height));
  for (std::size_t offset : column) keptColumns.push_back(int(offset / 3));
  if (skip) sampled.emplace(cinfo, keptRows, keptColumns);

  // Brings the decoder to `next` as its next row; a skip never reaches the last row, so the
  // decoder always finishes through its ordinary path.
  auto advanceTo = [&](int next) {
    while (static_cast<int>(cinfo->output_scanline) < next) {
      const int at = static_cast<int>(cinfo->output_scanline);
      const int groups = (next - at) / group;
      if (skip && at % group == 0 && groups > 0)
        jpeg_skip_scanlines(cinfo, static_cast<JDIMENSION>(groups * group));
      else
        jpeg_read_scanlines(cinfo, line, 1);
    }
  };

  int decoded = -1;  // the source row held in `row`
  for (int y = 0; y < s.height; ++y) {
    const int want = keptRows[std::size_t(y)];
    if (want != decoded) {
      advanceTo(want);
      jpeg_read_scanlines(cinfo, line, 1);
      ConvertJpegRow(cinfo, line[0], row.data());
      decoded = want;
    }
    SampleRow(row.data(), column, s.width, out.row(y));
    host.processEvents();
  }
  // The rest is decoded too, so that damage in it fails the picture as the full decode does.
  advanceTo(height - 1);
  while (cinfo->output_scanline < cinfo->output_height) jpeg_read_scanlines(cinfo, line, 1);
  jpeg_finish_decompress(cinfo);
  source.throwIfReadFailed();
  return out;
}

}  // namespace fw
