// The generation run and the demo gallery.
#include "cli/commands.h"
#include "cli/demo.h"
#include "cli/gallery.h"
#include "generator/generation_run.h"

namespace fw::cli {
namespace {

void Go(Context& c) {
  auto p = Positional(c, 1, 1);
  RunGo(*OpenGallery(c, p[0]), c.host(), RunControls{});
}

void Demo(Context& c) {
  auto p = Positional(c, 1, 1);
  c.out() << MakeDemo(c, p[0], c.has("--responsive")) << "\n";
}

}  // namespace

void AddRunCommands(std::vector<Command>& t) {
  t.push_back({"go", "GALLERY [--open]",
               "writes the gallery's site; the index page opens in the browser with --open", Go});
  t.push_back({"demo", "DIR [--responsive]",
               "makes a dozen pictures and a \"Demo\" gallery inside DIR, runs Go and prints the "
               "index page's path; --responsive gives the gallery the Responsive layout",
               Demo});
}

}  // namespace fw::cli
