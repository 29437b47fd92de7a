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

// "Exif\0\0" and a TIFF structure: IFD0 with Orientation 6, Make (a value kept outside the
// table) and the GPS pointer, then the GPS IFD with a reference letter and a latitude.
inline std::string ExifWithGps(bool little) {
  std::string t;
  auto put16 = [&](std::uint32_t v) {
    const char a = char(v & 255), b = char(v >> 8 & 255);
    t += little ? std::string{a, b} : std::string{b, a};
  };
  auto put32 = [&](std::uint32_t v) {
    if (little)
      put16(v & 0xFFFF), put16(v >> 16);
    else
      put16(v >> 16), put16(v & 0xFFFF);
  };
  auto entry = [&](std::uint32_t tag, std::uint32_t type, std::uint32_t count, std::uint32_t v) {
    put16(tag), put16(type), put32(count);
    if (type == 3)
      put16(v), put16(0);
    else
      put32(v);
  };
  t += little ? "II" : "MM";
  put16(42), put32(8);
  put16(3);                  // IFD0 at 8, 42 bytes
  entry(0x0112, 3, 1, 6);    // Orientation
  entry(0x010F, 2, 10, 50);  // Make at 50
  entry(0x8825, 4, 1, 60);   // the GPS IFD at 60
  put32(0);
  t += std::string("MakerName\0", 10);
  put16(2);                // the GPS IFD at 60, 30 bytes
  entry(0x0001, 2, 2, 0);  // GPSLatitudeRef, kept inside the entry
  t.replace(t.size() - 4, 1, "N");
  entry(0x0002, 5, 3, 90);  // GPSLatitude at 90
  put32(0);
  for (std::uint32_t v : {52u, 1u, 31u, 1u, 4321u, 100u}) put32(v);
  return std::string("Exif\0\0", 6) + t;
}

inline const std::string kXmpWithGps =
    std::string("http://ns.adobe.com/xap/1.0/\0", 29) +
    "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/"
    "22-rdf-syntax-ns#\">\n"
    "<rdf:Description rdf:about=\"\" xmlns:e='http://ns.adobe.com/exif/1.0/'\n"
    " xmlns:tiff=\"http://ns.adobe.com/tiff/1.0/\" e:GPSLatitude=\"52,31.72N\"\n"
    " e:DateTimeOriginal=\"2026-05-01T10:00:00\" tiff:Make=\"MakerName\" e:GPSLongitude = "
    "'13,24E'>\n"
    "<e:GPSAltitude>34/1</e:GPSAltitude><e:GPSVersionID><rdf:Seq><rdf:li>2</rdf:li></rdf:Seq>"
    "</e:GPSVersionID ><e:GPSMapDatum/><e:UserComment>GPS: e:GPSLatitude</e:UserComment>\n"
    "</rdf:Description></rdf:RDF></x:xmpmeta>";

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
