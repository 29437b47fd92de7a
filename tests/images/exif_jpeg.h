// JPEG files with an Exif segment, made in code for the orientation tests.
#pragma once

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "images/raster.h"

namespace fw::testing {

struct IfdEntry {
  std::uint16_t tag = 0x0112;
  std::uint16_t type = 3;  // SHORT
  std::uint32_t count = 1;
  std::uint32_t value = 1;  // a SHORT sits in the first two bytes of the field
};

// The payload of an APP1 segment: "Exif\0\0", a TIFF header in either byte order and IFD0.
inline std::string ExifPayload(bool little, const std::vector<IfdEntry>& entries) {
  std::string out("Exif\0\0", 6);
  auto put16 = [&](std::uint32_t v) {
    const char a = char(v & 255), b = char(v >> 8 & 255);
    out += little ? std::string{a, b} : std::string{b, a};
  };
  auto put32 = [&](std::uint32_t v) {
    if (little)
      put16(v & 0xFFFF), put16(v >> 16);
    else
      put16(v >> 16), put16(v & 0xFFFF);
  };
  out += little ? "II" : "MM";
  put16(42);
  put32(8);
  put16(std::uint32_t(entries.size()));
  for (const IfdEntry& e : entries) {
    put16(e.tag), put16(e.type), put32(e.count);
    if (e.type == 3)
      put16(e.value), put16(0);
    else
      put32(e.value);
  }
  put32(0);  // no further IFD
  return out;
}

inline std::string OrientationPayload(int orientation, bool little = true) {
  return ExifPayload(little, {{0x0112, 3, 1, std::uint32_t(orientation)}});
}

// `raster` encoded by libjpeg with each payload written as an APP1 segment, in order.
inline std::string JpegWithMarkers(const Raster& raster, int marker,
                                   const std::vector<std::string>& payloads, int quality) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = JDIMENSION(raster.width);
  c.image_height = JDIMENSION(raster.height);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  jpeg_start_compress(&c, TRUE);
  for (const std::string& p : payloads)
    jpeg_write_marker(&c, marker, reinterpret_cast<const JOCTET*>(p.data()), unsigned(p.size()));
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(raster.row(int(c.next_scanline)));
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&c);
  std::free(buffer);
  return out;
}

inline std::string JpegWithApp1(const Raster& raster, const std::vector<std::string>& app1,
                                int quality = 95) {
  return JpegWithMarkers(raster, JPEG_APP0 + 1, app1, quality);
}

// Four flat quarters: red top left, green top right, blue bottom left, white bottom right.
inline Raster QuarterRaster(int w, int h) {
  Raster r{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = r.row(y) + x * 3;
      const bool right = x >= w / 2, bottom = y >= h / 2;
      p[0] = std::uint8_t(!right && !bottom ? 255 : right && bottom ? 255 : 0);
      p[1] = std::uint8_t(right && !bottom ? 255 : right && bottom ? 255 : 0);
      p[2] = std::uint8_t(bottom ? 255 : 0);
    }
  return r;
}

// The colours at the centres of a raster's quarters, top left, top right, bottom left, bottom
// right, each as the nearest of R, G, B and W ('?' when none is near).
inline std::string Quarters(const Raster& r) {
  std::string out;
  for (int qy : {1, 3})
    for (int qx : {1, 3}) {
      const std::uint8_t* p = r.row(r.height * qy / 4) + std::size_t(r.width * qx / 4) * 3;
      auto hi = [](int v) { return v > 200; };
      auto lo = [](int v) { return v < 55; };
      char c = '?';
      if (hi(p[0]) && lo(p[1]) && lo(p[2])) c = 'R';
      if (lo(p[0]) && hi(p[1]) && lo(p[2])) c = 'G';
      if (lo(p[0]) && lo(p[1]) && hi(p[2])) c = 'B';
      if (hi(p[0]) && hi(p[1]) && hi(p[2])) c = 'W';
      out += c;
    }
  return out;
}

}  // namespace fw::testing
