// Progressive JPEG thumbnails from the DC scans alone, against libjpeg's scaled decode of every
// scan on the same file. The DC path may leave any picture to libjpeg, but a thumbnail it makes
// must be one libjpeg makes too, of the same size, and the same bytes where libjpeg's 1/8
// decode takes only the DC from data it does not warn about (grey within its dithering).
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "common/error.h"
#include "common/recording_host.h"
#include "fuzz_support.h"
#include "images/image_io.h"
#include "images/jpeg_dc_smooth.h"
#include "images/jpeg_errors.h"
#include "images/jpeg_smooth.h"

namespace {

// How far the two may differ: 0 where every 1/8 sample is a block's DC, 1 for grey (libjpeg
// dithers it); -1 (not compared) for chroma that libjpeg scales up from its AC coefficients,
// and for data libjpeg warns about: it renders damage its own way (a last scan cut short
// leaves the blocks after the cut to its smoothing), the DC path from the DC that is there.
int Tolerance(const std::uint8_t* data, std::size_t size) {
  jpeg_decompress_struct cinfo{};
  fw::JpegErrors errors;
  cinfo.err = fw::AttachJpegErrors(errors);
  JSAMPARRAY row = nullptr;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return -1;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  int tolerance = cinfo.num_components == 1 ? 1 : 0;
  for (int i = 0; i < cinfo.num_components; ++i)
    if (cinfo.comp_info[i].h_samp_factor * 2 <= cinfo.max_h_samp_factor &&
        cinfo.comp_info[i].v_samp_factor * 2 <= cinfo.max_v_samp_factor)
      tolerance = -1;
  cinfo.scale_num = 1, cinfo.scale_denom = 8;
  jpeg_start_decompress(&cinfo);
  row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                   cinfo.output_width * JDIMENSION(cinfo.output_components), 1);
  while (cinfo.output_scanline < cinfo.output_height) jpeg_read_scanlines(&cinfo, row, 1);
  jpeg_finish_decompress(&cinfo);
  if (errors.mgr.num_warnings != 0) tolerance = -1;
  jpeg_destroy_decompress(&cinfo);
  return tolerance;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fw::fuzz::ScratchPath("input.jpg");
  fw::fuzz::WriteBytes(path, data, size);
  fw::ImageSize shown;
  try {
    shown = fw::GetImageSize(path);
  } catch (const fw::Error&) {
    return 0;
  }
  if (fw::fuzz::TooLargeToDecode(shown.width, shown.height)) return 0;
  // Mostly targets small enough for the DC path, now and then one it leaves alone.
  const int longest = shown.width > shown.height ? shown.width : shown.height;
  const int thumb = 1 + longest / (size > 0 ? 6 + data[size - 1] % 40 : 12);
  fw::RecordingHost host;
  std::optional<fw::Raster> dc, all;
  bool allFailed = false;
  try {
    dc = fw::SmoothJpegFromDc(path, thumb, 1, host);
  } catch (const fw::Error&) {
  }
  try {
    all = fw::SmoothJpegFromScaledDecode(path, thumb, 1, host);
  } catch (const fw::Error&) {
    allFailed = true;
  }
  if (!dc) return 0;
  if (allFailed || !all) std::abort();  // a thumbnail where libjpeg's decode gives none
  if (dc->width != all->width || dc->height != all->height || dc->rgb.size() != all->rgb.size())
    std::abort();
  const int tolerance = Tolerance(data, size);
  if (tolerance < 0) return 0;
  for (std::size_t i = 0; i < dc->rgb.size(); ++i)
    if (std::abs(int(dc->rgb[i]) - int(all->rgb[i])) > tolerance) std::abort();
  return 0;
}
