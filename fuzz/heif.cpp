// HEIF and AVIF through libheif: the boxes are probed, the primary image decoded.
// Nothing may crash or leak, and a decode that succeeds gives the probed size.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "images/heif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fw::fuzz::CheckProbeAndDecode(std::string(reinterpret_cast<const char*>(data), size),
                                fw::HeifSizeFromMemory,
                                [](const std::string& b) { return fw::DecodeHeif(b); });
  return 0;
}
