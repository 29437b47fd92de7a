// The style sheet and the script the responsive layout's pages share, written into the site
// folder by every run with that layout. The style sheet carries the gallery's colours, sizes
// and background pictures; the script only adds keys and swipes to links every page already
// has, so the pages work with scripts off.
#pragma once

#include <string>

namespace fw {

struct GallerySettings;

inline constexpr const char* kStyleFile = "framewright.css";
inline constexpr const char* kScriptFile = "framewright.js";

// The style sheet's lines, each ended by CR LF.
std::string ResponsiveStyle(const GallerySettings& g);
// The script: a link whose data-key names a key (ArrowLeft, ArrowRight, Escape) is followed
// when that key is pressed; a swipe to the left or right stands for the arrow keys.
const std::string& ResponsiveScript();

// Writes both into AddBackslash(BaseDir); a file that cannot be written raises.
void WriteResponsiveAssets(const GallerySettings& g);

}  // namespace fw
