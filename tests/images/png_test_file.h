// Builds small PNG files in memory for the reader's tests.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace fw::testing {

inline std::string Be32(std::uint32_t v) {
  return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

inline std::string PngChunk(const std::string& type, const std::string& data) {
  const std::string td = type + data;
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(td.data()), uInt(td.size()));
  return Be32(std::uint32_t(data.size())) + td + Be32(std::uint32_t(crc));
}

inline std::string Ihdr(std::uint32_t w, std::uint32_t h, int depth, int type, int interlace = 0) {
  return PngChunk("IHDR", Be32(w) + Be32(h) + char(depth) + char(type) + '\0' + '\0' +
                              char(interlace));
}

inline std::string Deflate(const std::string& raw) {
  uLongf size = compressBound(uLong(raw.size()));
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size,
           reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()));
  out.resize(size);
  return out;
}

inline const std::string kPngSignature("\x89PNG\r\n\x1a\n", 8);

// A whole file: signature, IHDR, the extra chunks, one IDAT of `raw` (filtered rows), IEND.
inline std::string PngFile(const std::string& ihdr, const std::string& raw,
                           const std::string& before = "", const std::string& after = "") {
  return kPngSignature + ihdr + before + PngChunk("IDAT", Deflate(raw)) + after +
         PngChunk("IEND", "");
}

// Rows of 8-bit RGB pixels, each with filter type 0.
inline std::string RgbRows(const std::vector<std::vector<std::uint8_t>>& rows) {
  std::string raw;
  for (const auto& r : rows) {
    raw += '\0';
    raw.append(r.begin(), r.end());
  }
  return raw;
}

}  // namespace fw::testing
