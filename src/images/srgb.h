// Colours as browsers show them: a picture whose file carries an ICC profile other than sRGB
// (wide-gamut phone and camera pictures) has its pixels converted to sRGB, because the JPEGs
// the system writes carry no profile and are shown as sRGB. Pictures without a profile, and
// those whose profile is sRGB or indistinguishable from it, keep their pixels untouched.
#pragma once

#include <string_view>

#include "images/raster.h"

namespace fw {

// Whether pixels tagged with `icc` are converted: a readable RGB profile whose transform to
// sRGB moves some colour by more than one level. Empty, damaged, grey and CMYK profiles are
// not used (their pixels are taken as they are).
bool ConvertsToSrgb(std::string_view icc);

// Converts the picture's pixels from its iccProfile to sRGB when ConvertsToSrgb says so
// (perceptual intent), and clears the profile: the pixels are sRGB from then on.
void ConvertToSrgb(Raster& picture);

}  // namespace fw
