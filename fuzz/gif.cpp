// GIF reader: a decoded picture's logical screen is the one the probe tells, the raster has
// its size, and a damaged file only ever raises fw::Error.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/error.h"
#include "fuzz_support.h"
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
  // The screen's size straight from the header (after the signature, which may stand 4 bytes
  // in), so a file the probe rejects late is not decoded on a huge canvas either.
  const auto isGif = [&](std::size_t at) {
    return size >= at + 3 && (data[at] | 0x20) == 'g' && (data[at + 1] | 0x20) == 'i' &&
           (data[at + 2] | 0x20) == 'f';
  };
  const std::size_t screenAt = isGif(0) ? 6 : 10;
  if (size >= screenAt + 4 &&
      fw::fuzz::TooLargeToDecode(data[screenAt] | data[screenAt + 1] << 8,
                                 data[screenAt + 2] | data[screenAt + 3] << 8))
    return 0;
  try {
    fw::GifInfo info;
    fw::Raster r = fw::DecodeGif(bytes, &info);
    if (!probeError.empty() || info.width != probed.width || info.height != probed.height)
      std::abort();
    if (r.rgb.size() != static_cast<std::size_t>(r.width) * r.height * 3) std::abort();
  } catch (const fw::Error& e) {
    // The probe reads no further than the blocks; only the decode needs a frame.
    if (std::string(e.what()).empty()) std::abort();
  }
  return 0;
}
