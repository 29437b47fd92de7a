// TIFF through libtiff: the first page's tags are probed, its rows decoded.
// Nothing may crash or leak, and a decode that succeeds gives the probed size.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "images/tiff_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fw::fuzz::CheckProbeAndDecode(std::string(reinterpret_cast<const char*>(data), size),
                                fw::TiffSizeFromMemory,
                                [](const std::string& b) { return fw::DecodeTiff(b); });
  return 0;
}
