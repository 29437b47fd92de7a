// The demo: a dozen synthesized pictures and a "Demo" gallery, built and generated inside a
// folder of its own, so that a newcomer sees the main job work without touching their settings.
#pragma once

#include <string>

#include "cli/context.h"

namespace fw::cli {

// Makes DIR/site/images with the pictures, a "Demo" gallery in the store (DIR/settings.db
// unless --store was given) with its text blocks in the application folder (DIR unless
// --app-folder was given), runs Go and returns the index page's path. `responsive` gives the
// gallery the Responsive layout, with texts and button colours made for it.
std::string MakeDemo(Context& c, const std::string& dir, bool responsive = false);

}  // namespace fw::cli
