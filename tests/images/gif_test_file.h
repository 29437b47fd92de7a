// Builds small GIF files in memory for the reader's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fw::testing {

inline std::string Le16(int v) { return {char(v & 0xFF), char(v >> 8)}; }

// LZW data of literal codes only (minimum code size 8, a clear code before the table would
// widen the codes), split into sub-blocks and terminated.
inline std::string GifImageData(const std::vector<std::uint8_t>& indices, bool endCode = true) {
  std::string bytes;
  std::uint32_t bits = 0;
  int count = 0;
  const auto put = [&](int code) {
    bits |= std::uint32_t(code) << count;
    for (count += 9; count >= 8; count -= 8, bits >>= 8) bytes += char(bits & 0xFF);
  };
  for (std::size_t i = 0; i < indices.size(); ++i) {
    if (i % 200 == 0) put(256);
    put(indices[i]);
  }
  if (endCode) put(257);
  if (count > 0) bytes += char(bits & 0xFF);
  std::string out(1, '\x08');
  for (std::size_t p = 0; p < bytes.size(); p += 255) {
    const std::string block = bytes.substr(p, 255);
    out += char(block.size()) + block;
  }
  return out + '\0';
}

struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<std::uint8_t> indices;
  int transparent = -1;
  std::string localTable;  // 3 bytes an entry, a power of two entries; empty for none
};

inline int TableBits(const std::string& table) {
  int n = 0;
  while ((2u << n) * 3 < table.size()) ++n;
  return n;
}

inline std::string GifFrameBytes(const GifFrame& f) {
  std::string out;
  if (f.transparent >= 0)
    out += std::string("\x21\xF9\x04\x01\0\0", 6) + char(f.transparent) + '\0';
  const int flags = f.localTable.empty() ? 0 : 0x80 | TableBits(f.localTable);
  out += ',' + Le16(f.left) + Le16(f.top) + Le16(f.width) + Le16(f.height) + char(flags) +
         f.localTable + GifImageData(f.indices);
  return out;
}

inline std::string GifHeader(int width, int height, const std::string& table, int background = 0) {
  return "GIF89a" + Le16(width) + Le16(height) + char(0x80 | TableBits(table)) +
         char(background) + '\0' + table;
}

// Black, white, red, green.
inline const std::string kFourColours("\0\0\0\xFF\xFF\xFF\xFF\0\0\0\xFF\0", 12);

}  // namespace fw::testing
