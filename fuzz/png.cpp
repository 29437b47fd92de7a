// PNG reader: the size probe and the full decode must agree (the probe reads the whole file),
// and neither may do more than raise fw::Error on a damaged file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <zlib.h>

#include "common/error.h"
#include "fuzz_support.h"
#include "images/png_reader.h"

namespace {

// Mutations almost never keep a chunk's CRC right, so most inputs would stop at the first
// check. Every chunk that fits gets its correct CRC, which lets the fuzzer reach the decoding
// behind it; the CRC check itself is still met by inputs that end inside a CRC.
std::int64_t BigEndian(const std::uint8_t* p) {
  return (std::int64_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

void MendCrcs(std::string& bytes) {
  std::size_t at = 8;
  while (at + 12 <= bytes.size()) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
    const auto length = static_cast<std::uint64_t>(BigEndian(p));
    if (length > bytes.size() - at - 12) return;
    uLong crc = crc32(0L, p + 4, static_cast<uInt>(length + 4));
    std::size_t c = at + 8 + static_cast<std::size_t>(length);
    for (int i = 0; i < 4; ++i) bytes[c + i] = static_cast<char>((crc >> (24 - 8 * i)) & 0xff);
    at = c + 4;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  // Odd-sized inputs keep their CRCs as they are, so both paths stay covered.
  if (size % 2 == 0) MendCrcs(bytes);
  // Both calls decode the whole picture, so the size is taken from the header itself.
  if (size >= 24 && fw::fuzz::TooLargeToDecode(BigEndian(data + 16), BigEndian(data + 20)))
    return 0;
  fw::PngInfo probed;
  std::string probeError;
  try {
    probed = fw::PngSizeFromMemory(bytes);
  } catch (const fw::Error& e) {
    probeError = e.what();
    if (probeError.empty()) std::abort();
  }
  try {
    fw::PngInfo info;
    fw::Raster r = fw::DecodePng(bytes, &info);
    if (!probeError.empty() || r.width != probed.width || r.height != probed.height) std::abort();
    if (r.rgb.size() != static_cast<std::size_t>(r.width) * r.height * 3) std::abort();
  } catch (const fw::Error& e) {
    if (probeError != e.what()) std::abort();
  }
  return 0;
}
