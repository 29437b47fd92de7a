// The update check.
#include "cli/commands.h"
#include "update/update_check.h"
#include "version.h"

namespace fw::cli {
namespace {

void CheckUpdate(Context& c) {
  auto p = Positional(c, 0, 1);
  CheckForUpdate(c.host(), c.appFolder(), version::kFileVersion, p.empty() ? "" : p[0]);
}

}  // namespace

void AddUpdateCommands(std::vector<Command>& t) {
  t.push_back({"check-update", "[URL]",
               "asks the maker's site (or URL) for a newer version", CheckUpdate});
}

}  // namespace fw::cli
