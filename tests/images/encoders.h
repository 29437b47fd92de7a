// The Debian encoders and converters the picture tests make their files with; a test that
// needs one skips when it is missing.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "images/jpeg_writer.h"
#include "images/pictures.h"

namespace fw::testing {

inline bool Have(std::initializer_list<const char*> tools) {
  for (const char* t : tools)
    if (std::system((std::string("command -v ") + t + " >/dev/null 2>&1").c_str()) != 0)
      return false;
  return true;
}

#define NEED(...) \
  if (!::fw::testing::Have({__VA_ARGS__})) GTEST_SKIP() << "tools missing: " #__VA_ARGS__

inline void Shell(const std::string& command) {
  ASSERT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
}

inline std::string Q(const std::string& path) { return "'" + path + "'"; }

// The tools Encode needs.
#define NEED_ENCODERS() NEED("heif-enc", "avifenc", "cwebp", "raw2tiff")

// `r` written at `path` in the kind its extension names (heic, avif, webp, tif), made by the
// Debian encoder from a JPEG or raw copy kept elsewhere.
inline void Encode(const std::string& path, const Raster& r) {
  const ScratchDir scratch;
  const std::string jpeg = scratch.file("in.jpg"), raw = scratch.file("in.raw");
  WriteBytes(jpeg, EncodeJpeg(r, 95, false));
  WriteBytes(raw, std::string(r.rgb.begin(), r.rgb.end()));
  std::string ext = path.substr(path.rfind('.') + 1);
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "heic") Shell("heif-enc -q 90 " + Q(jpeg) + " -o " + Q(path));
  if (ext == "avif") Shell("avifenc -s 10 " + Q(jpeg) + " " + Q(path));
  if (ext == "webp") Shell("cwebp -quiet " + Q(jpeg) + " -o " + Q(path));
  if (ext == "tif")
    Shell("raw2tiff -w " + std::to_string(r.width) + " -l " + std::to_string(r.height) +
          " -b 3 -d byte -p rgb " + Q(raw) + " " + Q(path));
}

}  // namespace fw::testing
