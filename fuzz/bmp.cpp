// BMP reader over a file: the probe decodes the whole bitmap, so it fails exactly when the
// decode fails; a damaged file only ever raises fw::Error.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/error.h"
#include "fuzz_support.h"
#include "images/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string decodeError;
  fw::Raster r;
  try {
    r = fw::DecodeBmp(bytes);
    if (r.rgb.size() != static_cast<std::size_t>(r.width) * r.height * 3) std::abort();
  } catch (const fw::Error& e) {
    decodeError = e.what();
    if (decodeError.empty()) std::abort();
  }
  // The path-taking probe, on a file in the scratch folder, must say the same.
  static const std::string path = fw::fuzz::ScratchPath("input.bmp");
  fw::fuzz::WriteBytes(path, data, size);
  try {
    fw::BmpInfo info = fw::ReadBmpSize(path);
    if (!decodeError.empty() || info.width != r.width || info.height != r.height) std::abort();
  } catch (const fw::Error& e) {
    if (decodeError != e.what()) std::abort();
  }
  return 0;
}
