// Gallery names. A gallery's name is its key's name in the settings store and, with ".dat"
// appended, the name of its text-block file in the application folder and in a backup
// folder. A name holding the path separator or a NUL, or one that is "." or "..", would put
// that file somewhere else; such a name is refused wherever a name enters.
#pragma once

#include <string>
#include <string_view>

namespace fw {

inline constexpr const char* kGalleryNameRule =
    "A gallery name may not contain \"/\" or a NUL character, nor be \".\" or \"..\".";

bool IsGalleryName(std::string_view name);

// Raises "The gallery name \"<name>\" is not allowed. " + kGalleryNameRule for a name that
// is not a gallery name.
void CheckGalleryName(const std::string& name);

// The gallery's text-block file in `folder`: folder (with a separator added) + name + ".dat".
// Raises as CheckGalleryName does, so the file never lies outside the folder.
std::string GalleryFile(const std::string& folder, const std::string& name);

}  // namespace fw
