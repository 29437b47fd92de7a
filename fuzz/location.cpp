// Location removal from JPEG bytes: it either fails with fw::Error and leaves the bytes as
// they were, or keeps the file's length and every byte outside the APP1 segments before the
// first scan, and finds nothing more to remove on a second pass over its own result. Bytes
// that start as a WebP file go through the WebP rule, which keeps the same promises for the
// file's length and a second pass.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/error.h"
#include "images/jpeg_location.h"
#include "images/picture_location.h"

namespace {

// Where APP1 payloads may be changed: the first scan's offset (size when none).
bool OutsideApp1(const std::string& jpeg, std::size_t changed) {
  std::size_t at = 2;
  while (at < jpeg.size()) {
    while (at < jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) ++at;
    if (at >= jpeg.size()) break;
    const unsigned code = static_cast<unsigned char>(jpeg[at++]);
    if (code == 0xDA || code == 0xD9) break;
    if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) continue;
    if (jpeg.size() - at < 2) break;
    const std::size_t length = std::size_t(static_cast<unsigned char>(jpeg[at])) << 8 |
                               static_cast<unsigned char>(jpeg[at + 1]);
    if (code == 0xE1 && changed >= at + 2 && changed < at + length) return false;
    at += length;
  }
  return true;
}

void FuzzWebp(const std::string& input) {
  std::string out = input;
  bool changed = false;
  try {
    changed = fw::RemoveWebpLocation(out);
  } catch (const fw::Error&) {
    if (out != input) std::abort();
    return;
  }
  if (out.size() != input.size() || changed != (out != input)) std::abort();
  std::string again = out;
  if (fw::RemoveWebpLocation(again) || again != out) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (input.compare(0, 4, "RIFF") == 0) {
    FuzzWebp(input);
    return 0;
  }
  std::string out = input;
  bool changed = false;
  try {
    changed = fw::RemoveJpegLocation(out);
  } catch (const fw::Error&) {
    if (out != input) std::abort();
    return 0;
  }
  if (out.size() != input.size() || changed != (out != input)) std::abort();
  for (std::size_t i = 0; i < out.size(); ++i)
    if (out[i] != input[i] && OutsideApp1(input, i)) std::abort();
  std::string again = out;
  if (fw::RemoveJpegLocation(again) || again != out) std::abort();
  return 0;
}
