// WebP through libwebp: the container is probed, the still or first frame decoded.
// Nothing may crash or leak, and a decode that succeeds gives the probed size.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "images/webp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fw::fuzz::CheckProbeAndDecode(std::string(reinterpret_cast<const char*>(data), size),
                                fw::WebpSizeFromMemory,
                                [](const std::string& b) { return fw::DecodeWebp(b); });
  return 0;
}
