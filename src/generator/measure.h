// Measuring a picture for a page: a picture that cannot be read is reported to the user and
// measures 0 x 0, so its page carries no height or width for it.
#pragma once

#include <string>

#include "images/image_io.h"

namespace fw {

struct PageContext;

inline constexpr const char* kAccessErrorPrefix = "Error accessing file ";

// Measures `path`; on failure tells the user "Error accessing file " + `shownName`.
ImageSize MeasureOrReport(PageContext& c, const std::string& path, const std::string& shownName);

}  // namespace fw
