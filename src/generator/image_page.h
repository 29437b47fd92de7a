// The page of one picture: the picture at full size in a thin frame, its texts and the bar to
// its neighbours and back to the gallery page that shows it.
#pragma once

#include <string>

namespace fw {

struct PageContext;

// Writes the page of `image`, the picture at the run's cursor.
void WriteImagePage(PageContext& c, const std::string& image);

}  // namespace fw
