// JPEG: the header-only probe through GetImageSize (by the file's ending, as the generator
// calls it), the full decode through DecodePicture, and the thumbnail path that samples while
// decoding, on a file in the scratch folder. Damaged data may fail the decode while the probe
// still tells a size, but nothing may crash, leak or escape as anything other than fw::Error,
// and the thumbnail path must give the full decode's sampled bytes or fail as it does; the
// smooth thumbnail path must fail exactly where the full decode fails.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "common/error.h"
#include "common/recording_host.h"
#include "fuzz_support.h"
#include "images/exif.h"
#include "images/image_io.h"
#include "images/jpeg_reader.h"
#include "images/jpeg_rows.h"
#include "images/jpeg_smooth.h"
#include "images/scaler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fw::fuzz::ScratchPath("input.jpg");
  fw::fuzz::WriteBytes(path, data, size);
  int width = -7, height = -7;
  try {
    if (!fw::GetImageSize(path, width, height)) std::abort();
    if (width < 0 || height < 0) std::abort();
  } catch (const fw::Error&) {
    if (width != -7 || height != -7) std::abort();  // errors leave the size untouched
  }
  if (fw::fuzz::TooLargeToDecode(width, height)) return 0;
  std::optional<fw::Raster> full;
  try {
    fw::Raster r = fw::DecodePicture(path);
    if (r.rgb.size() != static_cast<std::size_t>(r.width) * r.height * 3) std::abort();
    // The thumbnail path samples the stored rows; DecodePicture turns them by the EXIF tag.
    full = fw::ReadJpegOrientation(path) == 1 ? std::move(r) : fw::ReadJpeg(path);
  } catch (const fw::Error&) {
  }
  const int thumb = size > 0 ? 1 + data[size - 1] % 64 : 10;
  fw::RecordingHost host;
  std::optional<fw::Raster> fast;
  bool failed = false;
  try {
    fast = fw::SampleJpegFile(path, thumb, host);
  } catch (const fw::Error&) {
    failed = true;
  }
  if (failed != !full) std::abort();  // one path failed where the other did not
  if (full && fast && fast->rgb != fw::PointSample(*full, thumb, host).rgb) std::abort();
  // The smooth path decodes at a reduced size, but fails where the full decode fails.
  failed = false;
  try {
    const std::optional<fw::Raster> smooth = fw::SmoothJpegFile(path, thumb, 1, host);
    if (smooth && smooth->rgb.size() != std::size_t(smooth->width) * smooth->height * 3)
      std::abort();
  } catch (const fw::Error&) {
    failed = true;
  }
  if (failed != !full) std::abort();
  return 0;
}
