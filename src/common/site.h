// Where the maker's web site lives. The credit banner line of every page links to it and the
// update check asks it for the newest version.
#pragma once

namespace fw {

inline constexpr const char* kMakerSite = "http://www.ombrix.example";

}  // namespace fw
