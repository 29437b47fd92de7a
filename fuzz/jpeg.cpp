// JPEG: the header-only probe through GetImageSize (by the file's ending, as the generator
// calls it) and the full decode through DecodePicture, on a file in the scratch folder.
// Damaged data may fail the decode while the probe still tells a size, but nothing may crash,
// leak or escape as anything other than fw::Error.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/error.h"
#include "fuzz_support.h"
#include "images/image_io.h"
#include "images/jpeg_reader.h"

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
  try {
    fw::Raster r = fw::DecodePicture(path);
    if (r.rgb.size() != static_cast<std::size_t>(r.width) * r.height * 3) std::abort();
  } catch (const fw::Error&) {
  }
  return 0;
}
