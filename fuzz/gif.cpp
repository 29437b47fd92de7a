// GIF reader: probe and decode agree on the logical screen, the raster has the screen's size,
// and a damaged file only ever raises fw::Error.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/error.h"
#include "images/gif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fw::GifInfo probed;
  std::string probeError;
  try {
    probed = fw::GifSizeFromMemory(bytes);
  } catch (const fw::Error& e) {
    probeError = e.what();
    if (probeError.empty()) std::abort();
  }
  try {
    fw::GifInfo info;
    fw::Raster r = fw::DecodeGif(bytes, &info);
    if (!probeError.empty() || info.width != probed.width || info.height != probed.height)
      std::abort();
    if (r.rgb.size() != static_cast<std::size_t>(r.width) * r.height * 3) std::abort();
  } catch (const fw::Error&) {
    if (probeError.empty()) std::abort();
  }
  return 0;
}
