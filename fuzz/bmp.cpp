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
  // The probe decodes too, so the size is taken from the info header itself: 16-bit fields
  // in a core header, 32-bit ones in every other.
  if (size >= 26) {
    auto le = [&](std::size_t at, int n) {
      std::uint32_t v = 0;
      for (int i = n - 1; i >= 0; --i) v = v << 8 | data[at + i];
      return v;
    };
    const bool core = le(14, 4) == 12;
    const std::int64_t w = core ? le(18, 2) : std::int32_t(le(18, 4));
    const std::int64_t h = core ? le(20, 2) : std::int32_t(le(22, 4));
    if (fw::fuzz::TooLargeToDecode(w, h)) return 0;
  }
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
