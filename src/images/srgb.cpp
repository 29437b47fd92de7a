#include "images/srgb.h"

#include <lcms2.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace fw {
namespace {

struct ProfileCloser {
  void operator()(void* p) const { cmsCloseProfile(p); }
};
struct TransformDeleter {
  void operator()(void* t) const { cmsDeleteTransform(t); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;
using Transform = std::unique_ptr<void, TransformDeleter>;

// Probe colours: every combination of nine levels per channel.
std::vector<std::uint8_t> ProbeColours() {
  std::vector<std::uint8_t> probe;
  for (int r = 0; r <= 256; r += 32)
    for (int g = 0; g <= 256; g += 32)
      for (int b = 0; b <= 256; b += 32)
        for (int v : {r, g, b}) probe.push_back(std::uint8_t(v > 255 ? 255 : v));
  return probe;
}

bool MovesAColour(cmsHTRANSFORM t) {
  static const std::vector<std::uint8_t> probe = ProbeColours();
  std::vector<std::uint8_t> out(probe.size());
  cmsDoTransform(t, probe.data(), out.data(), cmsUInt32Number(probe.size() / 3));
  for (std::size_t i = 0; i < probe.size(); ++i)
    if (std::abs(int(out[i]) - int(probe[i])) > 1) return true;
  return false;
}

// The transform to sRGB of an RGB profile that is not sRGB; null otherwise.
Transform ToSrgb(std::string_view icc) {
  if (icc.empty()) return nullptr;
  Profile from(cmsOpenProfileFromMem(icc.data(), cmsUInt32Number(icc.size())));
  if (!from || cmsGetColorSpace(from.get()) != cmsSigRgbData) return nullptr;
  Profile srgb(cmsCreate_sRGBProfile());
  if (!srgb) return nullptr;
  Transform t(
      cmsCreateTransform(from.get(), TYPE_RGB_8, srgb.get(), TYPE_RGB_8, INTENT_PERCEPTUAL, 0));
  if (!t || !MovesAColour(t.get())) return nullptr;
  return t;
}

}  // namespace

bool ConvertsToSrgb(std::string_view icc) { return ToSrgb(icc) != nullptr; }

void ConvertToSrgb(Raster& picture) {
  if (Transform t = ToSrgb(picture.iccProfile)) {
    std::vector<std::uint8_t> row(std::size_t(picture.width) * 3);
    for (int y = 0; y < picture.height; ++y) {
      cmsDoTransform(t.get(), picture.row(y), row.data(), cmsUInt32Number(picture.width));
      std::copy(row.begin(), row.end(), picture.row(y));
    }
  }
  picture.iccProfile.clear();
}

}  // namespace fw
